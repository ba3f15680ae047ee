// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <xcb/xcb.h>

namespace tunedex::test {

// A top-level window of a pretend player on its own connection and thread: it has a class and
// a caption, takes XDND drops of text/uri-list, answers WM_DELETE_WINDOW (or ignores it), and
// records what reached it: "close", and "drop " + the data of each drop.
class XdndTargetWindow {
 public:
  struct Options {
    std::string windowClass;
    std::string caption;
    bool acceptsDrops = true;
    bool ignoresClose = false;
    std::uint32_t transientFor = 0;
  };
  explicit XdndTargetWindow(const Options& options);
  ~XdndTargetWindow();

  std::uint32_t Id() const { return m_window; }
  // The display went away.
  bool Disconnected() const { return xcb_connection_has_error(m_c) != 0; }
  std::vector<std::string> Events();
  // Waits until at least count events were recorded, at most timeoutMs.
  bool WaitForEvents(std::size_t count, int timeoutMs);

 private:
  void Loop();
  void Record(std::string event);
  xcb_atom_t A(const char* name);

  Options m_options;
  xcb_connection_t* m_c = nullptr;
  xcb_window_t m_window = 0;
  std::atomic<bool> m_stop{false};
  std::mutex m_mutex;
  std::vector<std::string> m_events;
  std::thread m_thread;
};

}  // namespace tunedex::test
