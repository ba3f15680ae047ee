// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <functional>
#include <string>
#include <vector>

#include "players/desktop.h"

namespace tunedex {

// The desktop of an X11 display, through its own xcb connection. A window handle is the id of
// a client window (never a window manager's frame).
class X11Desktop : public Desktop {
 public:
  // Connects to the display ($DISPLAY when empty); Connected() tells whether it worked.
  explicit X11Desktop(const std::string& display = {});
  ~X11Desktop() override;
  X11Desktop(const X11Desktop&) = delete;
  X11Desktop& operator=(const X11Desktop&) = delete;

  bool Connected() const { return m_connection != nullptr; }
  bool HasWindowManager();

  std::vector<WindowHandle> TopLevelWindows() override;
  std::string WindowClass(WindowHandle window) override;
  std::string WindowCaption(WindowHandle window) override;
  bool WindowExists(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  bool IsMinimised(WindowHandle window) override;
  WindowHandle OwnerOf(WindowHandle window) override;
  WindowHandle ForegroundWindow() override;
  void BringToFront(WindowHandle window) override;
  void CloseWindow(WindowHandle window) override;
  bool DropFile(WindowHandle window, const std::string& path) override;
  void PostSwitchBack(WindowHandle window) override;

  // Tunedex's own windows answer the switch-back message in the program itself.
  void SetSwitchBackHandler(std::function<void(WindowHandle)> handler) {
    m_switchBack = std::move(handler);
  }

 private:
  xcb_atom_t Atom(const char* name);
  bool HasWmState(xcb_window_t window);
  xcb_window_t FindClientBelow(xcb_window_t window, int depth);
  std::vector<xcb_atom_t> AtomList(xcb_window_t window, xcb_atom_t property);

  xcb_connection_t* m_connection = nullptr;
  xcb_ewmh_connection_t m_ewmh{};
  bool m_ewmhReady = false;
  xcb_window_t m_root = 0;
  xcb_window_t m_helper = 0;  // an unmapped window of ours, for timestamps
  std::function<void(WindowHandle)> m_switchBack;
};

// The uri-list line a dropped file is handed over as: file:// and the absolute path,
// percent-encoded as UTF-8, ended by CR LF.
std::string FileUriLine(const std::string& path);

}  // namespace tunedex
