// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/xdndsource.h"
#include "support/xdndtarget.h"
#include "support/xserver.h"

namespace tunedex {
namespace {

using test::XdndTargetWindow;

// Every test runs on a display without a window manager and on one with openbox.
class X11DesktopTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    m_server = std::make_unique<test::TestXServer>(GetParam());
    ASSERT_TRUE(m_server->Ready()) << "Xvfb (and openbox) must be installed";
    m_desktop = std::make_unique<X11Desktop>(m_server->Display());
    ASSERT_TRUE(m_desktop->Connected());
  }

  // Waits until the desktop lists the window (a window manager takes a moment to adopt it).
  bool Listed(WindowHandle window) {
    for (int i = 0; i < 300; ++i) {
      const std::vector<WindowHandle> windows = m_desktop->TopLevelWindows();
      if (std::find(windows.begin(), windows.end(), window) != windows.end()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  std::unique_ptr<test::TestXServer> m_server;
  std::unique_ptr<X11Desktop> m_desktop;
};

TEST_P(X11DesktopTest, ListsClientWindowsWithClassCaptionAndOwner) {
  XdndTargetWindow player({.windowClass = "FakePlayer", .caption = "Fake Player - s\xC3\xB6ng"});
  XdndTargetWindow dialog(
      {.windowClass = "FakeDialog", .caption = "Settings", .transientFor = player.Id()});
  ASSERT_TRUE(Listed(player.Id()));
  ASSERT_TRUE(Listed(dialog.Id()));
  EXPECT_EQ(m_desktop->WindowClass(player.Id()), "FakePlayer");
  EXPECT_EQ(m_desktop->WindowCaption(player.Id()), "Fake Player - s\xC3\xB6ng");
  EXPECT_TRUE(m_desktop->WindowExists(player.Id()));
  EXPECT_TRUE(m_desktop->IsVisible(player.Id()));
  EXPECT_FALSE(m_desktop->IsMinimised(player.Id()));
  EXPECT_EQ(m_desktop->OwnerOf(dialog.Id()), player.Id());
  EXPECT_FALSE(m_desktop->WindowExists(0x7FFFFFF));
}

TEST_P(X11DesktopTest, ClosingAsksTheWindowOnce) {
  auto player = std::make_unique<XdndTargetWindow>(
      XdndTargetWindow::Options{.windowClass = "FakePlayer", .caption = "p"});
  ASSERT_TRUE(Listed(player->Id()));
  m_desktop->CloseWindow(player->Id());
  ASSERT_TRUE(player->WaitForEvents(1, 3000));
  EXPECT_EQ(player->Events(), std::vector<std::string>{"close"});
  for (int i = 0; i < 300 && m_desktop->WindowExists(player->Id()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(m_desktop->WindowExists(player->Id()));
}

TEST_P(X11DesktopTest, BringsAWindowToTheFront) {
  XdndTargetWindow first({.windowClass = "First", .caption = "1"});
  XdndTargetWindow second({.windowClass = "Second", .caption = "2"});
  ASSERT_TRUE(Listed(first.Id()) && Listed(second.Id()));
  for (WindowHandle window : {first.Id(), second.Id(), first.Id()}) {
    m_desktop->BringToFront(window);
    bool front = false;
    for (int i = 0; i < 300 && !front; ++i) {
      front = m_desktop->ForegroundWindow() == window;
      if (!front) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(front) << window;
  }
}

TEST_P(X11DesktopTest, DropsAFileExactlyOnceAsAUriList) {
  XdndTargetWindow player({.windowClass = "FakePlayer", .caption = "p"});
  ASSERT_TRUE(Listed(player.Id()));
  const std::string path = "/songs/My Song #1 100% caf\xC3\xA9.kar";
  ASSERT_TRUE(m_desktop->DropFile(player.Id(), path));
  ASSERT_TRUE(WaitForXdndSessions(8000));
  EXPECT_EQ(
      player.Events(),
      std::vector<std::string>{"drop file:///songs/My%20Song%20%231%20100%25%20caf%C3%A9.kar\r\n"});
}

TEST_P(X11DesktopTest, AWindowThatTakesNoDropsGetsNothing) {
  XdndTargetWindow plain({.windowClass = "Plain", .caption = "p", .acceptsDrops = false});
  ASSERT_TRUE(Listed(plain.Id()));
  EXPECT_FALSE(m_desktop->DropFile(plain.Id(), "/songs/a.kar"));
  EXPECT_TRUE(plain.Events().empty());
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, X11DesktopTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                           return param.param ? "Openbox" : "NoWindowManager";
                         });

TEST(FileUriLineTest, PercentEncodesEverythingButUnreservedCharacters) {
  EXPECT_EQ(FileUriLine("/a/b.kar"), "file:///a/b.kar\r\n");
  EXPECT_EQ(FileUriLine("/Don't \"Stop\" $(me).kar"),
            "file:///Don%27t%20%22Stop%22%20%24%28me%29.kar\r\n");
}

}  // namespace
}  // namespace tunedex
