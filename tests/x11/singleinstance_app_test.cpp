// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "platform/x11desktop.h"
#include "support/process.h"
#include "support/tempfolder.h"
#include "support/xdndtarget.h"
#include "support/xserver.h"

extern char** environ;

namespace tunedex {
namespace {

// A second copy of a window program that runs the single-instance check brings the first
// copy's window to the front and ends without a window of its own.
TEST(SingleInstanceAppTest, ASecondCopyRaisesTheFirst) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const std::string log = folder.PathOf("log");
  std::string program = SINGLE_INSTANCE_APP, folderArg = folder.Path(), logArg = log;
  char* argv[] = {program.data(), folderArg.data(), logArg.data(), nullptr};
  pid_t first = 0;
  ASSERT_EQ(posix_spawn(&first, program.c_str(), nullptr, nullptr, argv, environ), 0);

  X11Desktop desktop(server.Display());
  WindowHandle window = 0;
  for (int i = 0; i < 500 && window == 0; ++i) {
    for (WindowHandle candidate : desktop.TopLevelWindows()) {
      if (desktop.WindowCaption(candidate) == "Tunedex - ver. E1.21") window = candidate;
    }
    if (window == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(window, 0u) << "the first copy showed no window";

  test::XdndTargetWindow other({.windowClass = "Other", .caption = "in front"});
  desktop.BringToFront(other.Id());
  for (int i = 0; i < 300 && desktop.ForegroundWindow() != other.Id(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(desktop.ForegroundWindow(), other.Id());

  const test::ProcessResult second = test::RunProgram(program, {folder.Path(), log});
  EXPECT_EQ(second.exitCode, 3) << "the second copy ends at once";
  bool raised = false;
  for (int i = 0; i < 300 && !raised; ++i) {
    raised = test::ReadFileText(log) == "raised\n" && desktop.ForegroundWindow() == window;
    if (!raised) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(raised) << "log: " << test::ReadFileText(log);
  ::kill(first, SIGTERM);
  int status = 0;
  ::waitpid(first, &status, 0);
}

}  // namespace
}  // namespace tunedex
