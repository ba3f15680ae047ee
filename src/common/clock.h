// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace tunedex {

// The time of day and the date, for logic that stamps or compares them.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::system_clock::time_point Now() = 0;
  // Today's date where the user is.
  virtual std::chrono::year_month_day Today() = 0;
};

// The pauses of logic that waits (for a player's window to appear, between retries).
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Pause(int milliseconds) = 0;
};

}  // namespace tunedex
