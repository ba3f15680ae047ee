// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/savetemporary.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "common/fileio.h"
#include "support/childprocess.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using namespace std::chrono_literals;

TEST(SaveTemporaryOwnerTest, RecognisesOnlyTheTemporariesOfTheTarget) {
  const std::string longName(250, 'n');
  struct Case {
    std::string fileName;
    std::string targetName;
    std::optional<pid_t> owner;
  };
  const Case cases[] = {
      {".songs.tdb.saving-123-abcDE1", "songs.tdb", 123},
      {".songs.tdb.saving-123-abcDE", "songs.tdb", std::nullopt},
      {".songs.tdb.saving-123-abcDE12", "songs.tdb", std::nullopt},
      {".songs.tdb.saving--abcDE1", "songs.tdb", std::nullopt},
      {".songs.tdb.saving-12a-abcDE1", "songs.tdb", std::nullopt},
      {".songs.tdb.saving-0-abcDE1", "songs.tdb", std::nullopt},
      {".songs.tdb.saving-9999999999-abcDE1", "songs.tdb", std::nullopt},
      {".songs.tdb.saving-123-abc.E1", "songs.tdb", std::nullopt},
      {".songs.tdb.backup", "songs.tdb", std::nullopt},
      {".songs.tdb.Xk29aQ", "songs.tdb", std::nullopt},
      {"songs.tdb.saving-123-abcDE1", "songs.tdb", std::nullopt},
      {".other.tdb.saving-123-abcDE1", "songs.tdb", std::nullopt},
      {".songs.tdb.saving-123-abcDE1", "songs", std::nullopt},
      // A long name is cut so that the temporary's name stays within the system's limit.
      {"." + longName.substr(0, 229) + ".saving-77-abcdef", longName, 77},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SaveTemporaryOwner(c.fileName, c.targetName), c.owner) << c.fileName;
  }
}

class SaveTemporaryTest : public testing::Test {
 protected:
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Waits until a file other than the target is in the folder: a save is under way.
  bool WaitForATemporary(std::chrono::milliseconds bound) const {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Entries().size() > 1) return true;
      std::this_thread::yield();
    }
    return false;
  }

  // A child process that saves the target over and over.
  std::unique_ptr<test::ChildProcess> SaveForever(const std::function<void()>& prepare = {}) {
    return std::make_unique<test::ChildProcess>([this, prepare] {
      if (prepare) prepare();
      const std::string bytes(32 << 20, 'x');
      for (;;) WriteFileAtomically(m_target, bytes);
      return 0;
    });
  }

  test::TempFolder m_folder;
  std::string m_target = m_folder.Write("songs.tdb", "old");
};

TEST_F(SaveTemporaryTest, AnEndingSignalDuringASaveRemovesTheTemporary) {
  for (const int ending : {SIGINT, SIGTERM, SIGHUP}) {
    auto child = SaveForever([ending] { std::signal(ending, SIG_DFL); });
    ASSERT_TRUE(WaitForATemporary(20s));
    child->Signal(ending);
    const auto end = child->WaitWithin(20s);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->signal, ending) << "the signal still ends the process";
    EXPECT_EQ(Entries(), std::vector<std::string>{"songs.tdb"}) << "after signal " << ending;
  }
}

TEST_F(SaveTemporaryTest, ASignalTheProgramIgnoresDoesNotEndTheSave) {
  const auto end = test::RunInChildWithin(20s, [this] {
    std::signal(SIGHUP, SIG_IGN);
    ::kill(::getpid(), SIGHUP);
    WriteFileAtomically(m_target, "new");
    ::kill(::getpid(), SIGHUP);
    return std::signal(SIGHUP, SIG_IGN) == SIG_IGN ? 0 : 1;
  });
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->exitCode, 0);
  EXPECT_EQ(test::ReadFileText(m_target), "new");
}

TEST_F(SaveTemporaryTest, AFileSizeLimitFailsTheSaveInsteadOfEndingTheProcess) {
  const auto end = test::RunInChildWithin(20s, [this] {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      WriteFileAtomically(m_target, std::string(100000, 'x'));
    } catch (const FileError& error) {
      return error.SystemError() == EFBIG || error.Reason() == std::strerror(EFBIG) ? 0 : 1;
    }
    return 2;
  });
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->signal, 0) << "ended by a signal";
  EXPECT_EQ(end->exitCode, 0) << "1: another error, 2: saved";
  EXPECT_EQ(Entries(), std::vector<std::string>{"songs.tdb"});
  EXPECT_EQ(test::ReadFileText(m_target), "old");
}

// SIGKILL cannot be caught: the temporary stays, with the target's mode, until the next save.
TEST_F(SaveTemporaryTest, AKilledSavesTemporaryHasTheTargetsModeAndGoesWithTheNextSave) {
  ::chmod(m_target.c_str(), 0640);
  auto child = SaveForever([] { ::umask(022); });
  ASSERT_TRUE(WaitForATemporary(20s));
  child->Signal(SIGKILL);
  ASSERT_TRUE(child->WaitWithin(20s).has_value());
  const std::vector<std::string> left = Entries();
  ASSERT_EQ(left.size(), 2u) << "no temporary was left: try again";
  struct stat info {};
  ASSERT_EQ(::stat(m_folder.PathOf(left[0]).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u) << left[0];

  WriteFileAtomically(m_target, "new");
  EXPECT_EQ(Entries(), std::vector<std::string>{"songs.tdb"});
  ASSERT_EQ(::stat(m_target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SaveTemporaryTest, OnlyTemporariesOfTheTargetWhoseProcessEndedAreRemoved) {
  pid_t ended = 0;
  {
    test::ChildProcess child([] { return 0; });
    ended = child.Pid();
    ASSERT_TRUE(child.WaitWithin(10s).has_value());
  }
  test::ChildProcess running([] {
    ::pause();
    return 0;
  });
  const std::string endedName = ".songs.tdb.saving-" + std::to_string(ended) + "-Ab12Cd";
  const std::vector<std::string> kept = {
      ".other.tdb.saving-" + std::to_string(ended) + "-Ab12Cd",
      ".songs.tdb.backup",
      ".songs.tdb.saving-" + std::to_string(::getpid()) + "-Ab12Cd",
      ".songs.tdb.saving-" + std::to_string(running.Pid()) + "-Ab12Cd",
      "songs.tdb",
  };
  m_folder.Write(endedName, "left by a killed save");
  for (const std::string& name : kept) {
    if (name != "songs.tdb") m_folder.Write(name, "someone's");
  }
  WriteFileAtomically(m_target, "new");
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(), expected);
}

}  // namespace
}  // namespace tunedex
