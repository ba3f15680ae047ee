// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processstarter.h"

#include "platform/giofileassociations.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

namespace tunedex {

bool PosixProgramStarter::StartProgram(const std::string& program, const std::string& argument) {
  if (program.empty()) return OpenWithDefaultApplication(argument);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    // The first child starts a new session and leaves at once, so the player belongs to no one
    // and leaves no zombie behind.
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    // The player keeps none of the caller's files: a script that captures the caller's output
    // or a pipeline it stands in would otherwise wait for the player to end.
    const int nothing = ::open("/dev/null", O_RDWR);
    if (nothing >= 0) {
      for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) ::dup2(nothing, fd);
      if (nothing > STDERR_FILENO) ::close(nothing);
    }
    ::close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    if (!argument.empty()) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    const int error = errno;
    (void)!::write(report[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got = 0;
  do {
    got = ::read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  return got == 0;  // the pipe closed on exec: the program runs
}

std::string PosixProgramStarter::AssociatedProgram(const std::string& extension) {
  // The Windows program cut the registered command at "%", "/" and "-"; a Linux program path is
  // a full path already, and those cuts would destroy it.
  return DefaultProgramForExtension(extension);
}

void ThreadSleeper::Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tunedex
