// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/childprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <thread>

#include "support/tempfolder.h"

namespace tunedex::test {

ChildProcess::ChildProcess(const std::function<int()>& body) {
  m_pid = ::fork();
  if (m_pid < 0) throw std::runtime_error("cannot fork");
  if (m_pid == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
}

ChildProcess::~ChildProcess() {
  if (m_ended) return;
  ::kill(m_pid, SIGKILL);
  int status = 0;
  while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
  }
}

std::optional<ChildEnd> ChildProcess::WaitWithin(std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid) {
      m_ended = true;
      ChildEnd end;
      if (WIFEXITED(status)) end.exitCode = WEXITSTATUS(status);
      if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
      return end;
    }
    if (done < 0 && errno != EINTR) throw std::runtime_error("cannot wait for the child");
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void ChildProcess::Signal(int signal) const {
  ::kill(m_pid, signal);
}

std::optional<ChildEnd> RunInChildWithin(std::chrono::milliseconds bound,
                                         const std::function<int()>& body) {
  ChildProcess child(body);
  return child.WaitWithin(bound);
}

BoundedProcessResult RunProgramWithin(std::chrono::milliseconds bound, const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      const std::string& outputTo) {
  TempFolder folder;
  const std::string outPath = folder.PathOf("out");
  const std::string errPath = folder.PathOf("err");
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = ArgumentVector(words);

  std::optional<ChildEnd> end;
  {
    ChildProcess child([&] {
      const int in = ::open("/dev/null", O_RDONLY);
      const int out = outputTo.empty() ? ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                       : ::open(outputTo.c_str(), O_WRONLY);
      const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (in < 0 || out < 0 || err < 0) return 126;
      ::dup2(in, 0);
      ::dup2(out, 1);
      ::dup2(err, 2);
      ::execv(program.c_str(), argv.data());
      return 127;
    });
    end = child.WaitWithin(bound);
  }
  BoundedProcessResult result;
  result.timedOut = !end;
  if (end) result.exitCode = end->exitCode;
  if (outputTo.empty()) result.out = ReadFileText(outPath);
  result.err = ReadFileText(errPath);
  return result;
}

}  // namespace tunedex::test
