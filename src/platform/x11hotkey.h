// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

#include <string>

namespace tunedex {

// The global Shift+F10: a key grab on the root window (also with Caps Lock and Num Lock on),
// on a connection of its own. The window program watches Fd() and calls TakePresses().
class X11HotKey {
 public:
  explicit X11HotKey(const std::string& display = {});
  ~X11HotKey();
  X11HotKey(const X11HotKey&) = delete;
  X11HotKey& operator=(const X11HotKey&) = delete;

  // False when the server refused the grab (another program holds Shift+F10).
  bool Registered() const { return m_registered; }
  int Fd() const;
  // How many presses of the key arrived since the last call; never waits.
  int TakePresses();

 private:
  xcb_connection_t* m_connection = nullptr;
  xcb_window_t m_root = 0;
  xcb_keycode_t m_keycode = 0;
  bool m_registered = false;
};

}  // namespace tunedex
