// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11hotkey.h"

#include "platform/x11desktop.h"

#include <gtest/gtest.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/xcbutil.h"
#include "support/xserver.h"

namespace tunedex {
namespace {

// Presses a key with XTEST, as a person at the keyboard would.
void Press(const std::string& display, xcb_keysym_t keysym, bool withShift) {
  xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
  xcb_keycode_t* key = xcb_key_symbols_get_keycode(symbols, keysym);
  xcb_keycode_t* shift = xcb_key_symbols_get_keycode(symbols, 0xFFE1);  // Shift_L
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  if (withShift) xcb_test_fake_input(c, XCB_KEY_PRESS, shift[0], XCB_CURRENT_TIME, root, 0, 0, 0);
  xcb_test_fake_input(c, XCB_KEY_PRESS, key[0], XCB_CURRENT_TIME, root, 0, 0, 0);
  xcb_test_fake_input(c, XCB_KEY_RELEASE, key[0], XCB_CURRENT_TIME, root, 0, 0, 0);
  if (withShift) xcb_test_fake_input(c, XCB_KEY_RELEASE, shift[0], XCB_CURRENT_TIME, root, 0, 0, 0);
  xcb::Sync(c);
  std::free(key);
  std::free(shift);
  xcb_key_symbols_free(symbols);
  xcb_disconnect(c);
}

int PressesWithin(X11HotKey& hotKey, int milliseconds) {
  int presses = 0;
  for (int waited = 0; waited < milliseconds; waited += 10) {
    presses += hotKey.TakePresses();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return presses;
}

TEST(X11HotKeyTest, ShiftF10ReachesTheGrabAndOnlyOneProgramHoldsIt) {
  test::TestXServer server(false);
  ASSERT_TRUE(server.Ready());
  X11HotKey hotKey(server.Display());
  ASSERT_TRUE(hotKey.Registered());
  EXPECT_GE(hotKey.Fd(), 0);

  Press(server.Display(), 0xFFC7, true);
  EXPECT_EQ(PressesWithin(hotKey, 300), 1);
  Press(server.Display(), 0xFFC7, false);  // F10 without Shift is not the hot key
  EXPECT_EQ(PressesWithin(hotKey, 200), 0);

  {
    X11HotKey second(server.Display());
    EXPECT_FALSE(second.Registered()) << "the first grab holds the key";
  }
  Press(server.Display(), 0xFFC7, true);
  EXPECT_EQ(PressesWithin(hotKey, 300), 1) << "a refused second grab leaves the first working";
}

}  // namespace
}  // namespace tunedex

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/qt/qtplatform.h"

namespace tunedex {
namespace {

TEST(QtHotKeyTest, ThePressReachesTheEventLoopAsASignal) {
  test::TestXServer server(false);
  ASSERT_TRUE(server.Ready());
  int argc = 1;
  char name[] = "x11_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  QtHotKey hotKey;
  ASSERT_TRUE(hotKey.Registered());
  int pressed = 0;
  QObject::connect(&hotKey, &QtHotKey::Pressed, [&] { ++pressed; });
  Press(server.Display(), 0xFFC7, true);
  QElapsedTimer timer;
  timer.start();
  while (pressed == 0 && timer.elapsed() < 3000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_EQ(pressed, 1);
}

}  // namespace
}  // namespace tunedex

#include "common/fileio.h"
#include "platform/processstarter.h"
#include "players/playercontrol.h"
#include "support/scripteduser.h"
#include "support/tempfolder.h"
#include "support/xdndtarget.h"

namespace tunedex {
namespace {

// Shift+F10 pressed on the keyboard switches between the player and Tunedex.
TEST(QtHotKeyTest, ShiftF10SwitchesBetweenThePlayerAndTunedex) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  int argc = 1;
  char name[] = "x11_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  X11Desktop desktop(server.Display());
  PosixProgramStarter programs;
  ThreadSleeper sleeper;
  test::ScriptedUser user;
  tLivePlayerOptions options;
  options.DesktopDelay = 20;
  test::XdndTargetWindow main({.windowClass = "TunedexMain", .caption = "Tunedex"});
  test::XdndTargetWindow player({.windowClass = "FakePlayer", .caption = "Fake Player"});
  tPlayerControl control({desktop, programs, sleeper, user, FileExists, "/"}, options, main.Id());
  // A song played from the main window, whose player is then the window above.
  test::TempFolder folder;
  user.QueueFile(std::nullopt);
  control.PlaySong(main.Id(), folder.Write("song.st3", "STAR DATA V3"), 2, true);
  ASSERT_EQ(control.OwnerWindow(), main.Id());
  control.PlayerWindow() = player.Id();
  QtHotKey hotKey;
  ASSERT_TRUE(hotKey.Registered()) << kHotKeyRefusedMessage;
  QObject::connect(&hotKey, &QtHotKey::Pressed, [&] { control.HotkeySwitch(); });

  const auto pressAndWaitFor = [&](WindowHandle expected) {
    Press(server.Display(), 0xFFC7, true);
    QElapsedTimer timer;
    timer.start();
    while (desktop.ForegroundWindow() != expected && timer.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return desktop.ForegroundWindow() == expected;
  };
  // Wait until the manager has adopted both windows.
  for (int i = 0; i < 300 && desktop.TopLevelWindows().size() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(pressAndWaitFor(player.Id())) << "the player comes to the front";
  EXPECT_TRUE(pressAndWaitFor(main.Id())) << "and Tunedex comes back";
}

}  // namespace
}  // namespace tunedex
