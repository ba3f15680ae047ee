// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "support/tempfolder.h"

namespace tunedex {
namespace {

using Role = SingleInstance::Role;

TEST(SingleInstanceTest, ASecondCopyAsksTheFirstToComeBackAndEnds) {
  test::TempFolder folder;
  SingleInstance first(folder.Path());
  ASSERT_EQ(first.Check(), Role::Primary);
  std::atomic<bool> raised{false};
  std::atomic<bool> stop{false};
  std::thread answering([&] {
    while (!stop) {
      if (first.TakeRequests().raise) raised = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  SingleInstance second(folder.Path());
  EXPECT_EQ(second.Check(), Role::AnotherAnswered);
  stop = true;
  answering.join();
  EXPECT_TRUE(raised);
  EXPECT_EQ(second.Fd(), -1);
}

TEST(SingleInstanceTest, ASecondCopyHandsItsFileToTheFirst) {
  test::TempFolder folder;
  SingleInstance first(folder.Path());
  ASSERT_EQ(first.Check(), Role::Primary);
  const std::string longName = "/music/" + std::string(3000, 'k') + ".tdb";
  std::mutex lock;
  std::vector<std::string> files;
  std::atomic<bool> stop{false};
  std::thread answering([&] {
    while (!stop) {
      SingleInstance::Requests requests = first.TakeRequests();
      const std::lock_guard<std::mutex> guard(lock);
      for (std::string& file : requests.files) files.push_back(std::move(file));
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  for (const std::string& file : {std::string("/home/host/Évening songs.tdp"), longName}) {
    SingleInstance second(folder.Path());
    EXPECT_EQ(second.Check(2000, file), Role::AnotherAnswered);
  }
  // A name with a line break could smuggle a second request: it is never sent.
  SingleInstance third(folder.Path());
  EXPECT_EQ(third.Check(2000, "/a.tdb\nopen /b.tdb"), Role::RunAnyway);
  stop = true;
  answering.join();
  EXPECT_EQ(files, (std::vector<std::string>{"/home/host/Évening songs.tdp", longName}));
}

TEST(SingleInstanceTest, AFirstCopyThatDoesNotAnswerLetsTheNewOneRun) {
  test::TempFolder folder;
  SingleInstance first(folder.Path());
  ASSERT_EQ(first.Check(), Role::Primary);
  SingleInstance second(folder.Path());
  EXPECT_EQ(second.Check(200), Role::RunAnyway);
}

TEST(SingleInstanceTest, ALockLeftByADeadCopyIsFree) {
  test::TempFolder folder;
  const pid_t child = ::fork();
  if (child == 0) {
    SingleInstance dying(folder.Path());
    ::_exit(dying.Check() == Role::Primary ? 0 : 1);  // ends without cleaning up
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  SingleInstance next(folder.Path());
  EXPECT_EQ(next.Check(), Role::Primary);
}

}  // namespace
}  // namespace tunedex
