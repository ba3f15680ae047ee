// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "players/desktop.h"

namespace tunedex {

// Starts programs as detached processes with the argument as their one argument, never through
// a shell, so a song called `Don't "Stop" $(me).kar` arrives as it is. A started program runs in
// a session of its own with /dev/null as its standard files and none of the caller's other
// files, so it never holds up a pipeline or script the caller stands in. An empty program opens
// the argument with the desktop's default application.
class PosixProgramStarter : public ProgramStarter {
 public:
  bool StartProgram(const std::string& program, const std::string& argument) override;
  std::string AssociatedProgram(const std::string& extension) override;
};

// Pauses by sleeping.
class ThreadSleeper : public Sleeper {
 public:
  void Pause(int milliseconds) override;
};

}  // namespace tunedex
