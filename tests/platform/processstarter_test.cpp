// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processstarter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
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

// Runs start with the process's standard files on a pipe, as when a script captures the output
// of `tunedex-cli play`; true when the pipe's reading end sees its end within a second of
// the start, that is when no started program holds the writing end.
bool OutputEndsAfterStart(const std::function<bool()>& start) {
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
  std::fflush(stdout);
  std::fflush(stderr);
  // The caller's input is the pipe too, so a player reading its input would show it.
  const int savedIn = ::dup(0), savedOut = ::dup(1), savedErr = ::dup(2);
  ::dup2(pipeEnds[0], 0);
  ::dup2(pipeEnds[1], 1);
  ::dup2(pipeEnds[1], 2);
  const bool started = start();
  for (const int fd : {0, 1, 2}) {
    const int saved = fd == 0 ? savedIn : fd == 1 ? savedOut : savedErr;
    ::dup2(saved, fd);
    ::close(saved);
  }
  ::close(pipeEnds[1]);
  bool ended = false;
  pollfd entry{pipeEnds[0], POLLIN, 0};
  for (int round = 0; round < 100 && !ended && started; ++round) {
    char buffer[256];
    if (::poll(&entry, 1, 10) > 0) ended = ::read(pipeEnds[0], buffer, sizeof buffer) <= 0;
  }
  ::close(pipeEnds[0]);
  return started && ended;
}

// A player started from a pipeline keeps running on its own: it holds none of the caller's
// standard files (so the pipeline ends), reads nothing from the caller's input and lives in a
// session of its own.
TEST(PosixProgramStarterTest, AStartedPlayerLeavesTheCallersStandardFiles) {
  test::TempFolder folder;
  const std::string pidFile = folder.PathOf("pid");
  const std::string filesFile = folder.PathOf("files");
  // The script reports its standard files, then its process id, each file written whole.
  const std::string program = folder.Write(
      "player",
      "#!/bin/sh\n"
      "in=$(readlink /proc/$$/fd/0); out=$(readlink /proc/$$/fd/1); err=$(readlink /proc/$$/fd/2)\n"
      "printf '%s\\n%s\\n%s\\n' \"$in\" \"$out\" \"$err\" > '" +
          filesFile + ".new'\nmv '" + filesFile + ".new' '" + filesFile + "'\necho $$ > '" +
          pidFile + ".new'\nmv '" + pidFile + ".new' '" + pidFile + "'\nexec sleep 30\n");
  ::chmod(program.c_str(), 0755);
  PosixProgramStarter starter;
  EXPECT_TRUE(OutputEndsAfterStart([&] { return starter.StartProgram(program, "song.kar"); }));

  const std::string pid = WaitForText(pidFile);
  ASSERT_FALSE(pid.empty()) << "the player did not start";
  const pid_t player = std::stoi(pid);
  EXPECT_EQ(WaitForText(filesFile), "/dev/null\n/dev/null\n/dev/null\n");
  EXPECT_NE(::getsid(player), ::getsid(0));
  EXPECT_EQ(::getsid(player), ::getpgid(player)) << "a session and process group of its own";
  ::kill(player, SIGTERM);
}

// Without a program of its own, a song goes to the desktop's default application, which is
// started as detached as any player. GIO reads the user's folders once per process, so the start
// runs in a child process of the test's.
TEST(PosixProgramStarterTest, TheDesktopsDefaultApplicationLeavesTheCallersStandardFiles) {
  test::TempFolder home;
  std::filesystem::create_directories(home.PathOf("config"));
  std::filesystem::create_directories(home.PathOf("data/applications"));
  const std::string pidFile = home.PathOf("pid");
  const std::string player =
      home.Write("karplay", "#!/bin/sh\necho $$ > '" + pidFile + ".new'\nmv '" + pidFile +
                                ".new' '" + pidFile + "'\nexec sleep 30\n");
  ::chmod(player.c_str(), 0755);
  home.Write("data/applications/karplay.desktop",
             "[Desktop Entry]\nType=Application\nName=Kar Play\nExec=" + player +
                 " %f\nMimeType=audio/midi;\n");
  home.Write("config/mimeapps.list", "[Default Applications]\naudio/midi=karplay.desktop\n");
  const std::string song = home.Write("song.kar", std::string("MThd\0\0\0\6\0\1\0\1\0\x60", 14));

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("XDG_CONFIG_HOME", home.PathOf("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", home.PathOf("data").c_str(), 1);
    PosixProgramStarter starter;
    ::_exit(OutputEndsAfterStart([&] { return starter.StartProgram("", song); }) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the application was not started, or kept the caller's output";
  const std::string pid = WaitForText(pidFile);
  ASSERT_FALSE(pid.empty()) << "the application did not start";
  const pid_t started = std::stoi(pid);
  EXPECT_NE(::getsid(started), ::getsid(0));
  ::kill(started, SIGTERM);
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
