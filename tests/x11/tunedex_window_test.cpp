// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "support/xserver.h"

namespace tunedex {
namespace {

// The window program starts on a real X server, paints its window with a catalogue loaded and
// saves a picture of it, without touching the settings file.
TEST(TunedexWindowTest, StartsPaintsAndSavesAScreenshot) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const std::string database = folder.Write(
      "songs.tdb",
      test::DatabaseFile(
          33, {test::MakeRecord({.title = "Waterloo", .artist = "ABBA", .fileName = "/s/w.kar"})}));
  const std::string settingsText = "[Startup]\nData=" + database + "\n";
  const std::string settings = folder.Write("tunedex.ini", settingsText);
  for (const char* dialog : {"", "editor", "filter"}) {
    const std::string picture = folder.PathOf(std::string("shot") + dialog + ".png");
    std::vector<std::string> arguments{"--settings", settings, "--screenshot", picture};
    if (*dialog) arguments.insert(arguments.end(), {"--dialog", dialog});
    const test::ProcessResult result = test::RunProgram(TUNEDEX, arguments);
    EXPECT_EQ(result.exitCode, 0) << dialog << ": " << result.err;
    EXPECT_EQ(test::ReadFileText(picture).substr(0, 4), "\x89PNG") << dialog;
  }
  EXPECT_EQ(test::ReadFileText(settings), settingsText);
}

}  // namespace
}  // namespace tunedex
