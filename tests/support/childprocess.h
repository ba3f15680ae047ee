// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/process.h"

namespace tunedex::test {

// How a child process ended.
struct ChildEnd {
  int exitCode = -1;  // -1 when it did not exit normally
  int signal = 0;     // the signal that ended it, 0 when none
};

// A forked copy of the test running body, which ends with body's value as its exit status (99
// when body throws). Lets a test bound how long something may take, and send it signals. A
// child still running when the object goes is killed.
class ChildProcess {
 public:
  explicit ChildProcess(const std::function<int()>& body);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return m_pid; }
  // Waits for the child to end, at most bound; nothing when it is still running then.
  std::optional<ChildEnd> WaitWithin(std::chrono::milliseconds bound);
  void Signal(int signal) const;

 private:
  pid_t m_pid = -1;
  bool m_ended = false;
};

// Runs body in a child process: its end, or nothing when it took longer than bound (the child
// is then killed).
std::optional<ChildEnd> RunInChildWithin(std::chrono::milliseconds bound,
                                         const std::function<int()>& body);

// RunProgram, with the program killed when it runs longer than bound; timedOut tells. With
// outputTo (a device such as /dev/full), the program's standard output goes there instead.
struct BoundedProcessResult : ProcessResult {
  bool timedOut = false;
};
BoundedProcessResult RunProgramWithin(std::chrono::milliseconds bound, const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      const std::string& outputTo = {});

}  // namespace tunedex::test
