// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11hotkey.h"

#include <xcb/xcb_keysyms.h>

#include <cstdlib>

#include "platform/xcbutil.h"

namespace tunedex {
namespace {

constexpr xcb_keysym_t kF10 = 0xFFC7;
// Shift alone, and with Caps Lock and Num Lock (Mod2), which would otherwise hide the press.
constexpr std::uint16_t kModifierSets[] = {
    XCB_MOD_MASK_SHIFT, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_2,
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

}  // namespace

X11HotKey::X11HotKey(const std::string& display) {
  m_connection = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
  if (xcb_connection_has_error(m_connection)) return;
  m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
  xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, kF10);
  m_keycode = codes ? codes[0] : 0;
  std::free(codes);
  xcb_key_symbols_free(symbols);
  if (m_keycode == 0) return;
  m_registered = true;
  for (std::uint16_t modifiers : kModifierSets) {
    xcb_generic_error_t* error = xcb_request_check(
        m_connection, xcb_grab_key_checked(m_connection, 1, m_root, modifiers, m_keycode,
                                           XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    if (error) {
      m_registered = false;  // BadAccess: another client holds the key
      std::free(error);
    }
  }
  if (!m_registered) xcb_ungrab_key(m_connection, m_keycode, m_root, XCB_MOD_MASK_ANY);
  xcb_flush(m_connection);
}

X11HotKey::~X11HotKey() {
  if (m_registered) {
    for (std::uint16_t modifiers : kModifierSets) {
      xcb_ungrab_key(m_connection, m_keycode, m_root, modifiers);
    }
    xcb::Sync(m_connection);
  }
  xcb_disconnect(m_connection);
}

int X11HotKey::Fd() const {
  return m_connection ? xcb_get_file_descriptor(m_connection) : -1;
}

int X11HotKey::TakePresses() {
  int presses = 0;
  if (!m_connection || xcb_connection_has_error(m_connection)) return 0;
  while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
    if ((event->response_type & 0x7F) == XCB_KEY_PRESS &&
        reinterpret_cast<xcb_key_press_event_t*>(event)->detail == m_keycode) {
      ++presses;
    }
    std::free(event);
  }
  return presses;
}

}  // namespace tunedex
