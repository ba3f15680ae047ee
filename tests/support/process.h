// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tunedex::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs a program with arguments (no shell) and collects what it prints.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace tunedex::test
