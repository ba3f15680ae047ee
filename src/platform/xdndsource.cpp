// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdndsource.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

#include "platform/x11desktop.h"
#include "platform/xcbutil.h"

namespace tunedex {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kXdndVersion = 5;
constexpr auto kStatusWait = std::chrono::milliseconds(2000);
constexpr auto kSessionLimit = std::chrono::milliseconds(5000);
constexpr auto kGraceAfterFinish = std::chrono::milliseconds(300);

std::mutex g_mutex;
std::condition_variable g_ended;
int g_sessions = 0;

using xcb::Own;

struct Target {
  xcb_window_t window = 0;    // the window the drop is for
  xcb_window_t receiver = 0;  // where the messages go: the window, or its proxy
  std::uint32_t version = 0;
};

// The window's XDND version and receiver, honouring a valid XdndProxy; version 0 when it takes
// no drops.
Target FindTarget(xcb_connection_t* c, xcb_window_t window) {
  const xcb_atom_t aware = xcb::InternAtom(c, "XdndAware");
  const xcb_atom_t proxyAtom = xcb::InternAtom(c, "XdndProxy");
  Target target{window, window, 0};
  const xcb_window_t proxy = xcb::Property32(c, window, proxyAtom, XCB_ATOM_WINDOW);
  // A proxy is valid when its own XdndProxy names itself.
  if (proxy != 0 && xcb::Property32(c, proxy, proxyAtom, XCB_ATOM_WINDOW) == proxy)
    target.receiver = proxy;
  target.version = xcb::Property32(c, target.receiver, aware, XCB_ATOM_ATOM);
  if (target.version > kXdndVersion) target.version = kXdndVersion;
  return target;
}

class Session {
 public:
  Session(const Target& target, std::string path) : m_target(target), m_data(FileUriLine(path)) {}

  void Run() {
    m_c = xcb_connect(nullptr, nullptr);
    if (!xcb_connection_has_error(m_c)) Drop();
    xcb_disconnect(m_c);
  }

 private:
  void Drop() {
    const xcb_setup_t* setup = xcb_get_setup(m_c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    m_source = xcb_generate_id(m_c);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_source, root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    for (const char* name :
         {"XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop", "XdndLeave",
          "XdndFinished", "XdndActionCopy", "text/uri-list", "TARGETS"}) {
      m_atoms[name] = xcb::InternAtom(m_c, name);
    }
    const xcb_timestamp_t time = xcb::ServerTime(m_c, m_source);
    xcb_set_selection_owner(m_c, m_source, A("XdndSelection"), time);

    // The point the drop is made at: the middle of the target, in root coordinates.
    std::uint32_t point = 0;
    auto geometry =
        Own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, m_target.window), nullptr));
    if (geometry) {
      auto moved = Own(xcb_translate_coordinates_reply(
          m_c,
          xcb_translate_coordinates(m_c, m_target.window, root,
                                    static_cast<std::int16_t>(geometry->width / 2),
                                    static_cast<std::int16_t>(geometry->height / 2)),
          nullptr));
      if (moved) {
        point = (static_cast<std::uint32_t>(static_cast<std::uint16_t>(moved->dst_x)) << 16) |
                static_cast<std::uint16_t>(moved->dst_y);
      }
    }

    Send("XdndEnter", {m_source, m_target.version << 24, A("text/uri-list"), 0, 0});
    Send("XdndPosition", {m_source, 0, point, time, A("XdndActionCopy")});
    const Clock::time_point start = Clock::now();
    bool accepted = false;
    if (!Serve(start + kStatusWait, [&](const xcb_client_message_event_t& message) {
          if (message.type != A("XdndStatus")) return false;
          accepted = (message.data.data32[1] & 1) != 0;
          return true;
        })) {
      Send("XdndLeave", {m_source, 0, 0, 0, 0});
      xcb_flush(m_c);
      return;
    }
    if (!accepted) {
      Send("XdndLeave", {m_source, 0, 0, 0, 0});
      xcb_flush(m_c);
      return;
    }
    Send("XdndDrop", {m_source, 0, time, 0, 0});
    const bool finished =
        Serve(start + kSessionLimit, [&](const xcb_client_message_event_t& message) {
          return message.type == A("XdndFinished");
        });
    // A requestor may still ask for the data right after finishing.
    if (finished) Serve(std::min(Clock::now() + kGraceAfterFinish, start + kSessionLimit), nullptr);
  }

  xcb_atom_t A(const char* name) { return m_atoms[name]; }

  void Send(const char* type, const std::array<std::uint32_t, 5>& data) {
    xcb::SendClientMessage(m_c, m_target.receiver, m_target.window, A(type), data);
  }

  void AnswerRequest(const xcb_selection_request_event_t& request) {
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    const xcb_atom_t property =
        request.property != XCB_ATOM_NONE ? request.property : request.target;
    notify.property = XCB_ATOM_NONE;
    if (request.target == A("text/uri-list")) {
      xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property,
                          A("text/uri-list"), 8, static_cast<std::uint32_t>(m_data.size()),
                          m_data.data());
      notify.property = property;
    } else if (request.target == A("TARGETS")) {
      const xcb_atom_t targets[] = {A("TARGETS"), A("text/uri-list")};
      xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM,
                          32, 2, targets);
      notify.property = property;
    }
    xcb_send_event(m_c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_c);
  }

  // Answers requests for the data until `done` accepts a message sent to the source (true) or
  // the time is up (false).
  template <typename Done>
  bool Serve(Clock::time_point until, Done done) {
    while (Clock::now() < until) {
      xcb_generic_event_t* event = xcb_poll_for_event(m_c);
      if (!event) {
        if (xcb_connection_has_error(m_c)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        continue;
      }
      bool finished = false;
      switch (event->response_type & 0x7F) {
        case XCB_SELECTION_REQUEST:
          AnswerRequest(*reinterpret_cast<xcb_selection_request_event_t*>(event));
          break;
        case XCB_CLIENT_MESSAGE:
          if constexpr (!std::is_same_v<Done, std::nullptr_t>) {
            finished = done(*reinterpret_cast<xcb_client_message_event_t*>(event));
          }
          break;
        default:
          break;
      }
      std::free(event);
      if (finished) return true;
    }
    return false;
  }

  Target m_target;
  std::string m_data;
  xcb_connection_t* m_c = nullptr;
  xcb_window_t m_source = 0;
  std::map<std::string, xcb_atom_t> m_atoms;
};

}  // namespace

bool StartXdndDrop(xcb_window_t window, const std::string& path) {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const Target target = xcb_connection_has_error(c) ? Target{} : FindTarget(c, window);
  xcb_disconnect(c);
  if (target.version == 0) return false;  // takes no drops: nothing is sent
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    ++g_sessions;
  }
  std::thread([target, path] {
    Session(target, path).Run();
    std::lock_guard<std::mutex> lock(g_mutex);
    --g_sessions;
    g_ended.notify_all();
  }).detach();
  return true;
}

bool WaitForXdndSessions(int timeoutMs) {
  std::unique_lock<std::mutex> lock(g_mutex);
  return g_ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [] { return g_sessions == 0; });
}

}  // namespace tunedex
