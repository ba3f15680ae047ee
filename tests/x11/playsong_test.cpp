// SPDX-License-Identifier: GPL-3.0-or-later
// Songs played through the real X11 desktop and real processes: a pretend player program,
// started by a script that gives it its window class and caption, logs what reaches it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>

#include <chrono>
#include <thread>

#include "common/fileio.h"
#include "platform/processstarter.h"
#include "platform/x11desktop.h"
#include "platform/xdndsource.h"
#include "players/playercontrol.h"
#include "support/process.h"
#include "support/scripteduser.h"
#include "support/tempfolder.h"
#include "support/xserver.h"

namespace tunedex {
namespace {

using Strings = std::vector<std::string>;

class PlaySongTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    m_server = std::make_unique<test::TestXServer>(GetParam());
    ASSERT_TRUE(m_server->Ready());
    m_desktop = std::make_unique<X11Desktop>(m_server->Display());
    ASSERT_TRUE(m_desktop->Connected());
    m_live.DesktopDelay = 50;
    m_control = std::make_unique<tPlayerControl>(
        tPlayerControl::Services{*m_desktop, m_programs, m_sleeper, m_user, FileExists,
                                 m_folder.Path()},
        m_live, 0);
    m_log = m_folder.PathOf("player.log");
  }

  void TearDown() override {
    if (m_control) m_control->ClosePlayer();
    WaitForXdndSessions(3000);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  // A player program: a script that starts the pretend player with its window's identity.
  std::string Player(const std::string& windowClass, const std::string& extra = "") {
    const std::string script =
        m_folder.Write(windowClass + ".sh",
                       "#!/bin/sh\nexec '" FAKE_PLAYER "' --log '" + m_log + "' --class '" +
                           windowClass + "' --caption 'Fake Player' " + extra + " -- \"$@\"\n");
    ::chmod(script.c_str(), 0755);
    return script;
  }

  Strings LogLines(std::size_t atLeast) {
    for (int i = 0; i < 300; ++i) {
      const std::string text = test::ReadFileText(m_log);
      Strings lines;
      std::size_t start = 0;
      while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
      }
      if (lines.size() >= atLeast) return lines;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
  }

  tSongPlayerOptions& Kar() { return m_live.Set().Records[0]; }

  test::TempFolder m_folder;
  std::unique_ptr<test::TestXServer> m_server;
  std::unique_ptr<X11Desktop> m_desktop;
  PosixProgramStarter m_programs;
  ThreadSleeper m_sleeper;
  test::ScriptedUser m_user;
  tLivePlayerOptions m_live;
  std::unique_ptr<tPlayerControl> m_control;
  std::string m_log;
};

TEST_P(PlaySongTest, RestartPassesTheSongIntactAsTheOneArgument) {
  const std::string song = m_folder.Write("Don't \"Stop\" $(me).kar", "MThd");
  Kar().PlayerFile = Player("FakePlayer");
  Kar().CloseClass = "FakePlayer";
  Kar().CloseName = "Fake";
  m_control->PlaySong(0, song, 1, true);
  EXPECT_NE(m_control->PlayerWindow(), 0u);
  EXPECT_EQ(LogLines(1), (Strings{"start " + song}));
  for (int i = 0; i < 300 && m_desktop->ForegroundWindow() != m_control->PlayerWindow(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(m_desktop->ForegroundWindow(), m_control->PlayerWindow()) << "the player is in front";
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_P(PlaySongTest, WithoutRestartTheSongIsDroppedOnceAndThePlayerReused) {
  const std::string song = m_folder.Write("a b.kar", "MThd");
  Kar().PlayerFile = Player("FakePlayer");
  Kar().Restart = false;
  Kar().CloseClass = "FakePlayer";
  Kar().CloseName = "Fake";
  m_control->PlaySong(0, song, 1, true);
  ASSERT_NE(m_control->PlayerWindow(), 0u);
  ASSERT_TRUE(WaitForXdndSessions(5000));
  const std::string dropped = "drop file://" + m_folder.Path() + "/a%20b.kar";
  EXPECT_EQ(LogLines(2), (Strings{"start ", dropped}));
  m_control->PlaySong(0, song, 1, true);
  ASSERT_TRUE(WaitForXdndSessions(5000));
  EXPECT_EQ(LogLines(3), (Strings{"start ", dropped, dropped})) << "no second player";
}

TEST_P(PlaySongTest, AnotherSongRestartsThePlayer) {
  const std::string song = m_folder.Write("one.kar", "MThd");
  Kar().PlayerFile = Player("FakePlayer");
  Kar().CloseClass = "FakePlayer";
  Kar().CloseName = "Fake";
  m_control->PlaySong(0, song, 1, true);
  ASSERT_EQ(LogLines(1).size(), 1u);
  m_control->PlaySong(0, song, 1, true);
  EXPECT_EQ(LogLines(3), (Strings{"start " + song, "close FakePlayer", "start " + song}));
}

TEST_P(PlaySongTest, TheCommandLineProgramPlaysAndListsWindows) {
  const std::string song = m_folder.Write("cli song.kar", "MThd");
  const std::string settings =
      m_folder.Write("tunedex.ini", "[KarPlayerOptions]\nPlayerFile=" + Player("CliPlayer") +
                                        "\nRestart=0\nCloseClass=CliPlayer\nCloseName=Fake\n"
                                        "[Options]\nDesktop delay=50\n");
  test::ProcessResult result =
      test::RunProgram(TUNEDEX_CLI, {"play", song, "--settings", settings});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(LogLines(2), (Strings{"start ", "drop file://" + m_folder.Path() + "/cli%20song.kar"}));

  result = test::RunProgram(TUNEDEX_CLI, {"windows"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find(" \"CliPlayer\"; \"Fake Player\"\n"), std::string::npos) << result.out;

  const std::string mp3 = m_folder.Write("x.mp3", "ID3");
  result = test::RunProgram(TUNEDEX_CLI, {"play", mp3, "--settings", settings});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("set PlayerFile in section [Mp3PlayerOptions] of " + settings),
            std::string::npos)
      << result.err;
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, PlaySongTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                           return param.param ? "Openbox" : "NoWindowManager";
                         });

}  // namespace
}  // namespace tunedex

namespace tunedex {
namespace {

// A real player: mpv, where it is installed, loads a dropped file.
TEST(MpvDropTest, MpvLoadsADroppedSong) {
  const std::string mpv = "/usr/bin/mpv";
  if (::access(mpv.c_str(), X_OK) != 0) GTEST_SKIP() << "mpv is not installed";
  test::TestXServer server(false);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  // A second of silence as a WAV file, with a name that needs encoding.
  std::string wav = "RIFF" + std::string(4, '\0') + "WAVEfmt " +
                    std::string("\x10\0\0\0\x01\0\x01\0\x40\x1F\0\0\x80\x3E\0\0\x02\0\x10\0", 20) +
                    "data" + std::string("\x80\x3E\0\0", 4) + std::string(16000, '\0');
  const std::string song = folder.Write("s\xC3\xB6ng #1 100%.wav", wav);
  const std::string log = folder.PathOf("mpv.log");
  ASSERT_EQ(::system(("'" + mpv +
                      "' --idle --force-window --vo=x11 --ao=null --no-config --really-quiet"
                      " --log-file='" +
                      log + "' >/dev/null 2>&1 &")
                         .c_str()),
            0);
  X11Desktop desktop(server.Display());
  WindowHandle window = 0;
  for (int i = 0; i < 500 && window == 0; ++i) {
    for (WindowHandle candidate : desktop.TopLevelWindows()) {
      if (desktop.WindowClass(candidate) == "mpv") window = candidate;
    }
    if (window == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(window, 0u) << "mpv showed no window";
  ASSERT_TRUE(desktop.DropFile(window, song));
  ASSERT_TRUE(WaitForXdndSessions(8000));
  bool loaded = false;
  for (int i = 0; i < 500 && !loaded; ++i) {
    loaded = test::ReadFileText(log).find(song) != std::string::npos;
    if (!loaded) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  desktop.CloseWindow(window);
  EXPECT_TRUE(loaded) << "mpv's log does not name the dropped file";
}

}  // namespace
}  // namespace tunedex
