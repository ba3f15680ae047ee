// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/switchbackregistry.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "players/playercontrol.h"
#include "support/fakedesktop.h"
#include "support/scripteduser.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

TEST(SwitchBackRegistryTest, EachWindowGetsItsOwnHandlerWhileItLives) {
  SwitchBackRegistry registry;
  std::vector<std::string> heard;
  {
    const SwitchBackRegistration editor(registry, 7, [&heard] { heard.push_back("editor"); });
    {
      const SwitchBackRegistration options(registry, 9, [&heard] { heard.push_back("options"); });
      EXPECT_TRUE(registry.Deliver(9));
      EXPECT_TRUE(registry.Deliver(7));
    }
    EXPECT_FALSE(registry.Deliver(9)) << "closed windows hear nothing";
    EXPECT_TRUE(registry.Deliver(7));
  }
  EXPECT_FALSE(registry.Has(7));
  EXPECT_EQ(heard, (std::vector<std::string>{"options", "editor", "editor"}));

  // A handler may close its own window.
  registry.Register(5, [&registry] { registry.Unregister(5); });
  EXPECT_TRUE(registry.Deliver(5));
  EXPECT_FALSE(registry.Has(5));
  registry.Register(0, [] {});
  EXPECT_FALSE(registry.Has(0)) << "no window";
}

// Shift+F10 with a song playing for a window that registered goes to that window's handler;
// a window that did not is handed to the desktop's switch-back (which brings it back).
TEST(SwitchBackRegistryTest, ThePlayersSwitchBackReachesTheWindowThatPlayed) {
  test::TempFolder folder;
  test::FakeDesktop desktop;
  test::ScriptedUser user;
  tLivePlayerOptions live;
  const WindowHandle main = desktop.AddWindow({.windowClass = "TunedexMain", .caption = "T"});
  const WindowHandle editor = desktop.AddWindow({.windowClass = "Editor", .caption = "e"});
  const WindowHandle explorer = desktop.AddWindow({.windowClass = "Explorer", .caption = "x"});
  tPlayerControl control({desktop, desktop, desktop, user, FileExists, folder.Path()}, live, main);
  const std::string player = folder.Write("player", "#!/bin/sh\n");
  desktop.AddProgram(player, {.windows = {{.windowClass = "PlayerMain", .caption = "Player"}}});
  live.Set().Records[0].PlayerFile = player;
  const std::string song = folder.Write("a.kar", "MThd");

  int editorHeard = 0;
  const SwitchBackRegistration registration(control.SwitchBacks(), editor,
                                            [&editorHeard] { ++editorHeard; });
  control.PlaySong(editor, song, 1, true);
  control.HotkeySwitch();
  EXPECT_EQ(editorHeard, 1);
  EXPECT_TRUE(desktop.LogOf("switchback").empty());

  control.PlaySong(explorer, song, 1, true);
  control.HotkeySwitch();
  EXPECT_EQ(editorHeard, 1);
  EXPECT_EQ(desktop.LogOf("switchback"), std::vector<std::string>{"switchback Explorer"});
}

}  // namespace
}  // namespace tunedex
