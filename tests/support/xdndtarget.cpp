// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/xdndtarget.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/xcbutil.h"

namespace tunedex::test {

XdndTargetWindow::XdndTargetWindow(const Options& options) : m_options(options) {
  m_c = xcb_connect(nullptr, nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
  m_window = xcb_generate_id(m_c);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, root, 10, 10, 200, 150, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                    &events);
  const std::string wmClass = "pretend" + std::string(1, '\0') + options.windowClass + '\0';
  xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(wmClass.size()), wmClass.data());
  xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(options.caption.size()), options.caption.data());
  xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, A("_NET_WM_NAME"), A("UTF8_STRING"), 8,
                      static_cast<std::uint32_t>(options.caption.size()), options.caption.data());
  const xcb_atom_t protocols[] = {A("WM_DELETE_WINDOW")};
  xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, A("WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                      protocols);
  if (options.acceptsDrops) {
    const std::uint32_t version = 5;
    xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, A("XdndAware"), XCB_ATOM_ATOM, 32, 1,
                        &version);
  }
  if (options.transientFor != 0) {
    xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_TRANSIENT_FOR,
                        XCB_ATOM_WINDOW, 32, 1, &options.transientFor);
  }
  xcb_map_window(m_c, m_window);
  xcb_flush(m_c);
  xcb::Sync(m_c);
  m_thread = std::thread([this] { Loop(); });
}

XdndTargetWindow::~XdndTargetWindow() {
  m_stop = true;
  m_thread.join();
  xcb_disconnect(m_c);
}

xcb_atom_t XdndTargetWindow::A(const char* name) {
  return xcb::InternAtom(m_c, name);
}

void XdndTargetWindow::Record(std::string event) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_events.push_back(std::move(event));
}

std::vector<std::string> XdndTargetWindow::Events() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_events;
}

bool XdndTargetWindow::WaitForEvents(std::size_t count, int timeoutMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < until) {
    if (Events().size() >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return Events().size() >= count;
}

void XdndTargetWindow::Loop() {
  const xcb_atom_t protocols = A("WM_PROTOCOLS"), deleteWindow = A("WM_DELETE_WINDOW");
  const xcb_atom_t position = A("XdndPosition"), drop = A("XdndDrop"), status = A("XdndStatus");
  const xcb_atom_t finished = A("XdndFinished"), copy = A("XdndActionCopy");
  const xcb_atom_t selection = A("XdndSelection"), uriList = A("text/uri-list");
  const xcb_atom_t dataProperty = A("TUNEDEX_TEST_DROP");
  xcb_window_t source = 0;
  const auto reply = [&](xcb_window_t to, xcb_atom_t type, std::uint32_t d1, std::uint32_t d2,
                         std::uint32_t d4) {
    xcb::SendClientMessage(m_c, to, to, type, {m_window, d1, d2, 0, d4});
  };
  while (!m_stop) {
    xcb_generic_event_t* event = xcb_poll_for_event(m_c);
    if (!event) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      continue;
    }
    const std::uint8_t kind = event->response_type & 0x7F;
    if (kind == XCB_CLIENT_MESSAGE) {
      const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
      if (message->type == protocols && message->data.data32[0] == deleteWindow) {
        Record("close");
        if (!m_options.ignoresClose) {
          xcb_destroy_window(m_c, m_window);
          xcb_flush(m_c);
        }
      } else if (message->type == position) {
        source = message->data.data32[0];
        reply(source, status, 1, 0, copy);
      } else if (message->type == drop) {
        source = message->data.data32[0];
        xcb_convert_selection(m_c, m_window, selection, uriList, dataProperty,
                              message->data.data32[2]);
        xcb_flush(m_c);
      }
    } else if (kind == XCB_SELECTION_NOTIFY) {
      const auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
      std::string data;
      if (notify->property != XCB_ATOM_NONE) {
        auto property =
            xcb::Own(xcb_get_property_reply(m_c,
                                            xcb_get_property(m_c, 1, m_window, notify->property,
                                                             XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 16),
                                            nullptr));
        if (property) {
          data.assign(static_cast<const char*>(xcb_get_property_value(property.get())),
                      static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
        }
      }
      Record("drop " + data);
      reply(source, finished, 1, copy, 0);
    }
    std::free(event);
  }
}

}  // namespace tunedex::test
