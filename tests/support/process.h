// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tunedex::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// The program and its arguments as an exec argument vector; words must outlive it.
std::vector<char*> ArgumentVector(std::vector<std::string>& words);

// Runs a program with arguments (no shell) and collects what it prints.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// Runs work in a child process as a user that file permissions bind (the user "nobody" when
// the tests run as root, which permissions do not bind; the same user otherwise) and returns
// what work returned, or nothing when the child could not become that user.
std::optional<std::string> RunBoundByPermissions(const std::function<std::string()>& work);

// The arguments that run a program as that user: setpriv before the program when the tests run
// as root, else the program alone.
std::vector<std::string> CommandBoundByPermissions(const std::string& program);

}  // namespace tunedex::test
