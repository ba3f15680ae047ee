// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue window's size, place and grid columns through maximise, restore, close and
// start again, under a real window manager.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "common/inifile.h"
#include "platform/x11desktop.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "support/xserver.h"

extern char** environ;

namespace tunedex {
namespace {

using namespace std::chrono_literals;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(name)), name),
      nullptr);
  const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

// Asks the window manager to maximise a window, or to restore it (EWMH _NET_WM_STATE).
void SetMaximised(WindowHandle window, bool maximised) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window);
  message.type = Atom(connection, "_NET_WM_STATE");
  message.data.data32[0] = maximised ? 1 : 0;  // add or remove
  message.data.data32[1] = Atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
  message.data.data32[2] = Atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ");
  message.data.data32[3] = 1;
  xcb_send_event(connection, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  xcb_disconnect(connection);
}

// The inside width of a window as the X server has it.
int WidthOf(WindowHandle window) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(
      connection, xcb_get_geometry(connection, static_cast<xcb_window_t>(window)), nullptr);
  const int width = reply ? reply->width : -1;
  free(reply);
  xcb_disconnect(connection);
  return width;
}

// Maximises or restores a window and waits until the window manager has done it and the
// program has had time to follow.
void MaximiseAndWait(WindowHandle window, bool maximised) {
  // Asked again now and then: a window manager still taking the window on may miss a request.
  for (int i = 0; i < 1000; ++i) {
    if (i % 50 == 0) SetMaximised(window, maximised);
    const int width = WidthOf(window);
    if (maximised ? width > 900 : (width > 0 && width < 700)) break;
    std::this_thread::sleep_for(10ms);
  }
  std::this_thread::sleep_for(400ms);
}

// The window program started on a settings file; Close() asks its window to close as the
// window manager's close box does, and waits for the program to end.
class RunningTunedex {
 public:
  RunningTunedex(X11Desktop& desktop, const std::string& settings) : m_desktop(desktop) {
    std::string program = TUNEDEX, flag = "--settings", file = settings;
    char* argv[] = {program.data(), flag.data(), file.data(), nullptr};
    if (posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) m_pid = -1;
    for (int i = 0; i < 500 && m_window == 0 && m_pid > 0; ++i) {
      for (WindowHandle candidate : desktop.TopLevelWindows()) {
        if (desktop.WindowCaption(candidate).rfind("-Tunedex- ", 0) == 0 &&
            desktop.IsVisible(candidate)) {
          m_window = candidate;
        }
      }
      if (m_window == 0) std::this_thread::sleep_for(10ms);
    }
    std::this_thread::sleep_for(500ms);  // placed and painted
  }
  ~RunningTunedex() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, nullptr, 0);
    }
  }
  WindowHandle Window() const { return m_window; }
  bool Close() {
    m_desktop.CloseWindow(m_window);
    for (int i = 0; i < 1000; ++i) {
      int status = 0;
      if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
      }
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

 private:
  X11Desktop& m_desktop;
  pid_t m_pid = -1;
  WindowHandle m_window = 0;
};

struct Stored {
  int top, left, width, height, state;
  std::array<int, 3> columns;
};

Stored Read(const std::string& settings) {
  const tIniFile ini = tIniFile::Load(settings);
  return {ini.ReadInteger("Main", "Top", -1),
          ini.ReadInteger("Main", "Left", -1),
          ini.ReadInteger("Main", "Width", -1),
          ini.ReadInteger("Main", "Height", -1),
          ini.ReadInteger("Main", "State", -1),
          {ini.ReadInteger("SongGrid", "Column2", -1), ini.ReadInteger("SongGrid", "Column3", -1),
           ini.ReadInteger("SongGrid", "Column4", -1)}};
}

void ExpectColumnsNear(const std::array<int, 3>& columns, const std::array<int, 3>& expected,
                       const char* when) {
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(columns[i], expected[i], 2) << when << ", column " << i + 2;
  }
}

TEST(WindowGeometryTest, MaximiseRestoreCloseAndStartAgainKeepPlaceAndColumns) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  X11Desktop desktop(server.Display());
  test::TempFolder folder;
  const std::string database = folder.Write(
      "songs.tdb",
      test::DatabaseFile(33, {test::MakeRecord({.title = "Waterloo", .fileName = "/s/w.kar"})}));
  const std::string settings =
      folder.Write("tunedex.ini",
                   "[Main]\nTop=100\nLeft=120\nWidth=663\nHeight=536\nState=0\n"
                   "[Startup]\nData=" +
                       database + "\n");
  const std::array<int, 3> columns{49, 185, 277};

  {  // maximised and restored, then closed
    RunningTunedex tunedex(desktop, settings);
    ASSERT_NE(tunedex.Window(), 0u) << "no window";
    MaximiseAndWait(tunedex.Window(), true);
    ASSERT_GT(WidthOf(tunedex.Window()), 900);
    MaximiseAndWait(tunedex.Window(), false);
    ASSERT_TRUE(tunedex.Close());
  }
  Stored stored = Read(settings);
  EXPECT_EQ(stored.state, 0);
  EXPECT_EQ(stored.top, 100);
  EXPECT_EQ(stored.left, 120);
  EXPECT_EQ(stored.width, 663);
  EXPECT_EQ(stored.height, 536);
  ExpectColumnsNear(stored.columns, columns, "after maximise and restore");

  {  // closed while maximised: the normal window's place and columns are kept
    RunningTunedex tunedex(desktop, settings);
    ASSERT_NE(tunedex.Window(), 0u);
    MaximiseAndWait(tunedex.Window(), true);
    ASSERT_TRUE(tunedex.Close());
  }
  stored = Read(settings);
  EXPECT_EQ(stored.state, 2);
  EXPECT_EQ(stored.top, 100);
  EXPECT_EQ(stored.left, 120);
  ExpectColumnsNear(stored.columns, columns, "closed maximised");

  {  // starts maximised; restored and closed, it is back where it was
    RunningTunedex tunedex(desktop, settings);
    ASSERT_NE(tunedex.Window(), 0u);
    MaximiseAndWait(tunedex.Window(), false);
    ASSERT_TRUE(tunedex.Close());
  }
  stored = Read(settings);
  EXPECT_EQ(stored.state, 0);
  EXPECT_EQ(stored.top, 100);
  EXPECT_EQ(stored.left, 120);
  ExpectColumnsNear(stored.columns, columns, "started maximised and restored");
}

}  // namespace
}  // namespace tunedex
