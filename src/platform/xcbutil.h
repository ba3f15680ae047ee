// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace tunedex::xcb {

// An xcb reply, freed when it goes.
template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Own(T* reply) {
  return Reply<T>(reply, &std::free);
}

inline xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
  auto reply = Own(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The first 32-bit value of a property of the given type, or 0.
inline std::uint32_t Property32(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                xcb_atom_t type) {
  auto reply =
      Own(xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1), nullptr));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) return 0;
  return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

// Sends a 32-bit client message about `window` to `destination` and flushes.
inline void SendClientMessage(xcb_connection_t* c, xcb_window_t destination, xcb_window_t window,
                              xcb_atom_t type, const std::array<std::uint32_t, 5>& data) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = type;
  std::memcpy(message.data.data32, data.data(), sizeof message.data.data32);
  xcb_send_event(c, 0, destination, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);
}

// The server's current time: a zero-length change of a property of window (which selects
// property changes) comes back as a PropertyNotify carrying it. Events met meanwhile are
// dropped; XCB_CURRENT_TIME when none came within half a second.
inline xcb_timestamp_t ServerTime(xcb_connection_t* c, xcb_window_t window) {
  xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                      nullptr);
  xcb_flush(c);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (std::chrono::steady_clock::now() < until) {
    xcb_generic_event_t* event = xcb_poll_for_event(c);
    if (!event) {
      if (xcb_connection_has_error(c)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
    const bool found =
        (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY && notify->window == window;
    const xcb_timestamp_t time = found ? notify->time : 0;
    std::free(event);
    if (found) return time;
  }
  return XCB_CURRENT_TIME;
}

// A round trip: everything sent before has reached the server.
inline void Sync(xcb_connection_t* c) {
  Own(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

}  // namespace tunedex::xcb
