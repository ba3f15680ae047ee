// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/x11desktop.h"
#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "support/xdndtarget.h"
#include "support/xserver.h"

extern char** environ;

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

pid_t Start(const std::vector<std::string>& arguments) {
  std::vector<std::string> texts{TUNEDEX};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  return posix_spawn(&child, TUNEDEX, nullptr, nullptr, argv.data(), environ) == 0 ? child : -1;
}

// The exit status once the program ended within the time given, else nothing.
std::optional<int> WaitForExit(pid_t child, std::chrono::milliseconds limit,
                               const std::function<void()>& meanwhile) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    meanwhile();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
  return std::nullopt;
}

void Stop(pid_t child) {
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
}

// With a first copy running (holding Shift+F10 and its catalogue open), a second copy brings it
// back and ends at once: no message about the hot key, no window of its own, no settings
// written.
TEST(TunedexWindowTest, ASecondCopyRaisesTheFirstAndEndsAtOnce) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const std::string runtime = folder.PathOf("run");
  ::mkdir(runtime.c_str(), 0700);
  const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
  const std::string restoreRuntime = savedRuntime ? savedRuntime : "";
  ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  const std::string database = folder.Write(
      "songs.tdb",
      test::DatabaseFile(
          33, {test::MakeRecord({.title = "Waterloo", .artist = "ABBA", .fileName = "/s/w.kar"})}));
  const std::string settingsText = "[Startup]\nData=" + database + "\n";
  const std::string settings = folder.Write("tunedex.ini", settingsText);

  const pid_t first = Start({"--settings", settings});
  ASSERT_GT(first, 0);
  X11Desktop desktop(server.Display());
  WindowHandle window = 0;
  for (int i = 0; i < 1000 && window == 0; ++i) {
    for (const WindowHandle candidate : desktop.TopLevelWindows()) {
      if (desktop.WindowCaption(candidate).starts_with("-Tunedex- ")) window = candidate;
    }
    if (window == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(window, 0u) << "the first copy showed no window";
  test::XdndTargetWindow other({.windowClass = "Other", .caption = "in front"});
  desktop.BringToFront(other.Id());
  for (int i = 0; i < 300 && desktop.ForegroundWindow() != other.Id(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const std::vector<WindowHandle> before = desktop.TopLevelWindows();

  const pid_t second = Start({"--settings", settings});
  ASSERT_GT(second, 0);
  std::vector<std::string> shown;  // windows that appeared while the second copy ran
  const std::optional<int> exit =
      WaitForExit(second, std::chrono::milliseconds(1000), [&desktop, &before, &shown] {
        for (const WindowHandle candidate : desktop.TopLevelWindows()) {
          if (std::find(before.begin(), before.end(), candidate) == before.end()) {
            const std::string caption = desktop.WindowCaption(candidate);
            if (std::find(shown.begin(), shown.end(), caption) == shown.end()) {
              shown.push_back(caption);
            }
          }
        }
      });
  if (!exit) Stop(second);
  EXPECT_EQ(exit, std::optional<int>(0)) << "the second copy did not end within a second";
  EXPECT_TRUE(shown.empty()) << "the second copy showed \"" << shown.front() << "\"";

  bool raised = false;
  for (int i = 0; i < 300 && !raised; ++i) {
    raised = desktop.ForegroundWindow() == window;
    if (!raised) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(raised) << "the first copy did not come back";
  EXPECT_EQ(test::ReadFileText(settings), settingsText);
  Stop(first);
  if (restoreRuntime.empty()) {
    ::unsetenv("XDG_RUNTIME_DIR");
  } else {
    ::setenv("XDG_RUNTIME_DIR", restoreRuntime.c_str(), 1);
  }
}

}  // namespace
}  // namespace tunedex
