// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/xserver.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/x11desktop.h"
#include "platform/xcbutil.h"

extern char** environ;

namespace tunedex::test {
namespace {

pid_t Spawn(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 01, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 01, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

template <typename Test>
bool WaitFor(Test test) {
  for (int i = 0; i < 500; ++i) {
    if (test()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

TestXServer::TestXServer(bool withWindowManager) {
  // Each server gets a display number of its own: one just stopped may still hold its socket.
  static int next = 40 + ::getpid() % 300;
  bool up = false;
  for (int attempt = 0; attempt < 5 && !up; ++attempt) {
    int number = next++;
    while (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
           std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
      number = next++;
    }
    m_display = ":" + std::to_string(number);
    m_server = Spawn({"Xvfb", m_display, "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    if (m_server < 0) return;
    bool exited = false;
    up = WaitFor([&] {
      int status = 0;
      exited = ::waitpid(m_server, &status, WNOHANG) == m_server;  // it gave up
      if (exited) return true;
      xcb_connection_t* c = xcb_connect(m_display.c_str(), nullptr);
      const bool ok = !xcb_connection_has_error(c);
      xcb_disconnect(c);
      return ok;
    });
    // A server that takes a connection and then gives up (its display was busy after all)
    // does not count.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    int status = 0;
    if (exited || ::waitpid(m_server, &status, WNOHANG) == m_server) {
      m_server = -1;
      up = false;
    }
  }
  if (!up) return;
  ::setenv("DISPLAY", m_display.c_str(), 1);
  if (withWindowManager) {
    m_windowManager = Spawn({"openbox", "--sm-disable"});
    if (m_windowManager < 0) return;
    X11Desktop desktop(m_display);
    if (!WaitFor([&] { return desktop.HasWindowManager(); })) return;
    // The manager announces itself before it manages new windows, and a window mapped too early
    // stays unmanaged: probe windows, made anew until one is managed, tell when it is ready.
    xcb_connection_t* c = xcb_connect(m_display.c_str(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    bool started = false;
    for (int attempt = 0; attempt < 30 && !started; ++attempt) {
      const xcb_window_t probe = xcb_generate_id(c);
      xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0,
                        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
      xcb_map_window(c, probe);
      xcb_flush(c);
      for (int i = 0; i < 30 && !started; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::vector<WindowHandle> windows = desktop.TopLevelWindows();
        started = std::find(windows.begin(), windows.end(), probe) != windows.end();
      }
      xcb_destroy_window(c, probe);
      xcb::Sync(c);
    }
    xcb_disconnect(c);
    if (!started) return;
  }
  m_ready = true;
}

TestXServer::~TestXServer() {
  Stop(m_windowManager);
  Stop(m_server);
}

}  // namespace tunedex::test
