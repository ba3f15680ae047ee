// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11desktop.h"

#include <xcb/xcb_icccm.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/xcbutil.h"
#include "platform/xdndsource.h"

namespace tunedex {
namespace {

using xcb::Own;

constexpr std::uint32_t kIconicState = 3;

}  // namespace

X11Desktop::X11Desktop(const std::string& display) {
  int screenNumber = 0;
  xcb_connection_t* connection =
      xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return;
  }
  m_connection = connection;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  m_root = screens.data->root;
  m_ewmhReady = xcb_ewmh_init_atoms_replies(&m_ewmh, xcb_ewmh_init_atoms(m_connection, &m_ewmh),
                                            nullptr) != 0;
  m_helper = xcb_generate_id(m_connection);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_helper, m_root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  xcb_flush(m_connection);
}

X11Desktop::~X11Desktop() {
  if (!m_connection) return;
  if (m_ewmhReady) xcb_ewmh_connection_wipe(&m_ewmh);
  xcb_disconnect(m_connection);
}

xcb_atom_t X11Desktop::Atom(const char* name) {
  return xcb::InternAtom(m_connection, name);
}

bool X11Desktop::HasWindowManager() {
  if (!m_connection || !m_ewmhReady) return false;
  xcb_window_t check = 0;
  if (!xcb_ewmh_get_supporting_wm_check_reply(
          &m_ewmh, xcb_ewmh_get_supporting_wm_check(&m_ewmh, m_root), &check, nullptr)) {
    return false;
  }
  return WindowExists(check);
}

bool X11Desktop::HasWmState(xcb_window_t window) {
  const xcb_atom_t wmState = Atom("WM_STATE");
  auto reply = Own(xcb_get_property_reply(
      m_connection, xcb_get_property(m_connection, 0, window, wmState, wmState, 0, 0), nullptr));
  return reply && reply->type == wmState;
}

xcb_window_t X11Desktop::FindClientBelow(xcb_window_t window, int depth) {
  if (HasWmState(window)) return window;
  if (depth == 0) return 0;
  auto tree =
      Own(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
  if (!tree) return 0;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    if (const xcb_window_t client = FindClientBelow(children[i], depth - 1)) return client;
  }
  return 0;
}

std::vector<WindowHandle> X11Desktop::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  if (!m_connection) return windows;
  xcb_ewmh_get_windows_reply_t list{};
  if (m_ewmhReady && HasWindowManager() &&
      xcb_ewmh_get_client_list_reply(&m_ewmh, xcb_ewmh_get_client_list(&m_ewmh, 0), &list,
                                     nullptr)) {
    windows.assign(list.windows, list.windows + list.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&list);
    return windows;
  }
  auto tree =
      Own(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
  if (!tree) return windows;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const int count = xcb_query_tree_children_length(tree.get());
  for (int i = 0; i < count; ++i) {
    if (const xcb_window_t client = FindClientBelow(children[i], 2)) windows.push_back(client);
  }
  if (!windows.empty()) return windows;
  // No window manager: the mapped children of the root that have a class.
  for (int i = 0; i < count; ++i) {
    if (IsVisible(children[i]) && !WindowClass(children[i]).empty()) windows.push_back(children[i]);
  }
  return windows;
}

std::string X11Desktop::WindowClass(WindowHandle window) {
  if (!m_connection) return {};
  // WM_CLASS is two texts, instance then class, each meant to end with a zero byte. Read here
  // by its length, as a window may leave out the last zero.
  auto reply = Own(
      xcb_get_property_reply(m_connection,
                             xcb_get_property(m_connection, 0, static_cast<xcb_window_t>(window),
                                              XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 512),
                             nullptr));
  if (!reply || reply->format != 8) return {};
  const std::string value(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
  const std::size_t instanceEnd = value.find('\0');
  if (instanceEnd == std::string::npos) return {};
  const std::string rest = value.substr(instanceEnd + 1);
  return rest.substr(0, rest.find('\0'));
}

std::string X11Desktop::WindowCaption(WindowHandle window) {
  if (!m_connection) return {};
  const auto xid = static_cast<xcb_window_t>(window);
  if (m_ewmhReady) {
    xcb_ewmh_get_utf8_strings_reply_t name{};
    if (xcb_ewmh_get_wm_name_reply(&m_ewmh, xcb_ewmh_get_wm_name(&m_ewmh, xid), &name, nullptr)) {
      std::string caption(name.strings, name.strings_len);
      xcb_ewmh_get_utf8_strings_reply_wipe(&name);
      return caption;
    }
  }
  xcb_icccm_get_text_property_reply_t name{};
  if (!xcb_icccm_get_wm_name_reply(m_connection, xcb_icccm_get_wm_name(m_connection, xid), &name,
                                   nullptr)) {
    return {};
  }
  std::string caption(name.name, name.name_len);
  xcb_icccm_get_text_property_reply_wipe(&name);
  return caption;
}

bool X11Desktop::WindowExists(WindowHandle window) {
  if (!m_connection || window == 0) return false;
  auto reply = Own(xcb_get_window_attributes_reply(
      m_connection, xcb_get_window_attributes(m_connection, static_cast<xcb_window_t>(window)),
      nullptr));
  return reply != nullptr;
}

bool X11Desktop::IsVisible(WindowHandle window) {
  if (!m_connection || window == 0) return false;
  auto reply = Own(xcb_get_window_attributes_reply(
      m_connection, xcb_get_window_attributes(m_connection, static_cast<xcb_window_t>(window)),
      nullptr));
  return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::vector<xcb_atom_t> X11Desktop::AtomList(xcb_window_t window, xcb_atom_t property) {
  auto reply = Own(xcb_get_property_reply(
      m_connection, xcb_get_property(m_connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024),
      nullptr));
  if (!reply || reply->format != 32) return {};
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  return {atoms, atoms + xcb_get_property_value_length(reply.get()) / 4};
}

bool X11Desktop::IsMinimised(WindowHandle window) {
  if (!m_connection || window == 0) return false;
  const auto xid = static_cast<xcb_window_t>(window);
  const xcb_atom_t wmState = Atom("WM_STATE");
  auto state = Own(xcb_get_property_reply(
      m_connection, xcb_get_property(m_connection, 0, xid, wmState, wmState, 0, 2), nullptr));
  if (state && state->format == 32 && xcb_get_property_value_length(state.get()) >= 4 &&
      *static_cast<const std::uint32_t*>(xcb_get_property_value(state.get())) == kIconicState) {
    return true;
  }
  if (!m_ewmhReady) return false;
  for (xcb_atom_t atom : AtomList(xid, m_ewmh._NET_WM_STATE)) {
    if (atom == m_ewmh._NET_WM_STATE_HIDDEN) return true;
  }
  return false;
}

WindowHandle X11Desktop::OwnerOf(WindowHandle window) {
  if (!m_connection) return 0;
  xcb_window_t owner = 0;
  if (!xcb_icccm_get_wm_transient_for_reply(
          m_connection,
          xcb_icccm_get_wm_transient_for(m_connection, static_cast<xcb_window_t>(window)), &owner,
          nullptr)) {
    return 0;
  }
  return owner;
}

WindowHandle X11Desktop::ForegroundWindow() {
  if (!m_connection) return 0;
  xcb_window_t active = 0;
  if (m_ewmhReady && HasWindowManager() &&
      xcb_ewmh_get_active_window_reply(&m_ewmh, xcb_ewmh_get_active_window(&m_ewmh, 0), &active,
                                       nullptr) &&
      active != 0) {
    return active;
  }
  auto focus =
      Own(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
  if (!focus || focus->focus <= XCB_INPUT_FOCUS_POINTER_ROOT || focus->focus == m_root) return 0;
  // The focus may sit on a child of the client window.
  xcb_window_t window = focus->focus;
  for (int depth = 0; depth < 8 && window != 0 && window != m_root; ++depth) {
    if (HasWmState(window) || !WindowClass(window).empty()) return window;
    auto tree =
        Own(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
    if (!tree) break;
    window = tree->parent;
  }
  return focus->focus;
}

void X11Desktop::BringToFront(WindowHandle window) {
  if (!m_connection || window == 0) return;
  const auto xid = static_cast<xcb_window_t>(window);
  if (HasWindowManager()) {
    if (IsMinimised(window)) xcb_map_window(m_connection, xid);
    xcb_ewmh_request_change_active_window(&m_ewmh, 0, xid, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER,
                                          xcb::ServerTime(m_connection, m_helper), XCB_NONE);
  } else {
    xcb_map_window(m_connection, xid);
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(m_connection, xid, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, xid, XCB_CURRENT_TIME);
  }
  xcb_flush(m_connection);
}

void X11Desktop::CloseWindow(WindowHandle window) {
  if (!m_connection || window == 0) return;
  const auto xid = static_cast<xcb_window_t>(window);
  const xcb_atom_t protocols = Atom("WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = Atom("WM_DELETE_WINDOW");
  bool listsDelete = false;
  for (xcb_atom_t atom : AtomList(xid, protocols))
    listsDelete = listsDelete || atom == deleteWindow;
  if (listsDelete) {
    xcb::SendClientMessage(m_connection, xid, xid, protocols,
                           {deleteWindow, xcb::ServerTime(m_connection, m_helper), 0, 0, 0});
  } else if (HasWindowManager()) {
    xcb_ewmh_request_close_window(&m_ewmh, 0, xid, XCB_CURRENT_TIME,
                                  XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
  } else {
    xcb_kill_client(m_connection, xid);
  }
  // The round trip makes sure the request has reached the server, as a sent message would.
  xcb::Sync(m_connection);
}

bool X11Desktop::DropFile(WindowHandle window, const std::string& path) {
  return m_connection && StartXdndDrop(static_cast<xcb_window_t>(window), path);
}

void X11Desktop::PostSwitchBack(WindowHandle window) {
  if (m_switchBack) m_switchBack(window);
}

std::string FileUriLine(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string line = "file://";
  for (unsigned char ch : path) {
    const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                       (ch >= '0' && ch <= '9') || std::strchr("/-._~", ch) != nullptr;
    if (plain && ch != 0) {
      line += static_cast<char>(ch);
    } else {
      line += '%';
      line += kHex[ch >> 4];
      line += kHex[ch & 15];
    }
  }
  return line + "\r\n";
}

}  // namespace tunedex
