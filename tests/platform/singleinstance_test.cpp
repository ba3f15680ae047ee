// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <atomic>
#include <thread>

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
      if (first.TakeRaiseRequests()) raised = true;
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
