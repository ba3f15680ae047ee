// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/process.h"

#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "support/tempfolder.h"

extern char** environ;

namespace tunedex::test {

std::vector<char*> ArgumentVector(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return argv;
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  TempFolder folder;
  const std::string outPath = folder.PathOf("out");
  const std::string errPath = folder.PathOf("err");

  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = ArgumentVector(words);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFileText(outPath);
  result.err = ReadFileText(errPath);
  return result;
}

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

std::optional<std::string> RunBoundByPermissions(const std::function<std::string()>& work) {
  if (::geteuid() != 0) return work();
  int channel[2];
  if (::pipe(channel) != 0) return std::nullopt;
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::close(channel[0]);
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
        ::setresuid(kNobody, kNobody, kNobody) != 0) {
      ::_exit(3);
    }
    const std::string said = work();
    for (std::size_t done = 0; done < said.size();) {
      const ssize_t wrote = ::write(channel[1], said.data() + done, said.size() - done);
      if (wrote <= 0) ::_exit(4);
      done += static_cast<std::size_t>(wrote);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string said;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    said.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return said;
}

std::vector<std::string> CommandBoundByPermissions(const std::string& program) {
  if (::geteuid() != 0) return {program};
  const std::string id = std::to_string(kNobody);
  return {"/usr/bin/setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups", program};
}

}  // namespace tunedex::test
