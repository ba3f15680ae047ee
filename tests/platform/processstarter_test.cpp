// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processstarter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/tempfolder.h"

namespace tunedex {
namespace {

std::string WaitForText(const std::string& path) {
  for (int i = 0; i < 300; ++i) {
    const std::string text = test::ReadFileText(path);
    if (!text.empty() && text.back() == '\n') return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return test::ReadFileText(path);
}

TEST(PosixProgramStarterTest, PassesTheArgumentAsItIsWithoutAShell) {
  test::TempFolder folder;
  const std::string out = folder.PathOf("out");
  const std::string program =
      folder.Write("echo-args", "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" > '" + out + "'\n");
  ::chmod(program.c_str(), 0755);
  PosixProgramStarter starter;
  const std::string song = "/songs/Don't \"Stop\" $(me) `x` ; rm -rf y.kar";
  ASSERT_TRUE(starter.StartProgram(program, song));
  EXPECT_EQ(WaitForText(out), "1|" + song + "\n");
  std::filesystem::remove(out);
  ASSERT_TRUE(starter.StartProgram(program, ""));
  EXPECT_EQ(WaitForText(out), "0|\n") << "an empty argument is no argument";
  EXPECT_FALSE(starter.StartProgram(folder.PathOf("missing"), song));
  EXPECT_FALSE(starter.StartProgram(folder.Write("not-executable", "x"), song));
}

// The desktop's choice comes from mimeapps.list and a .desktop file in the user's folders.
TEST(PosixProgramStarterTest, FindsTheDesktopsDefaultProgramForAnExtension) {
  test::TempFolder home;
  std::filesystem::create_directories(home.PathOf("config"));
  std::filesystem::create_directories(home.PathOf("data/applications"));
  std::filesystem::create_directories(home.PathOf("bin"));
  const std::string player = home.Write("bin/karplay", "#!/bin/sh\n");
  ::chmod(player.c_str(), 0755);
  home.Write("data/applications/karplay.desktop",
             "[Desktop Entry]\nType=Application\nName=Kar Play\nExec=karplay %f\n"
             "MimeType=audio/midi;\n");
  home.Write("config/mimeapps.list", "[Default Applications]\naudio/midi=karplay.desktop\n");
  ::setenv("XDG_CONFIG_HOME", home.PathOf("config").c_str(), 1);
  ::setenv("XDG_DATA_HOME", home.PathOf("data").c_str(), 1);
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (home.PathOf("bin") + ":" + path).c_str(), 1);

  PosixProgramStarter starter;
  EXPECT_EQ(starter.AssociatedProgram("kar"), player);
  EXPECT_EQ(starter.AssociatedProgram("xyzzy"), "");
  EXPECT_EQ(starter.AssociatedProgram(""), "");
  ::setenv("PATH", path.c_str(), 1);
}

}  // namespace
}  // namespace tunedex
