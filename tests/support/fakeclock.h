// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "common/clock.h"

namespace tunedex::test {

// A clock that moves only when told or when the logic pauses; every pause is recorded. Its
// date is the date of its time in UTC.
class FakeClock : public Clock, public Sleeper {
 public:
  explicit FakeClock(std::chrono::system_clock::time_point start =
                         std::chrono::sys_days{std::chrono::year{2024} / 1 / 15} +
                         std::chrono::hours(20))
      : m_now(start) {}

  void Advance(std::chrono::milliseconds by) { m_now += by; }
  const std::vector<int>& Pauses() const { return m_pauses; }

  std::chrono::system_clock::time_point Now() override { return m_now; }
  std::chrono::year_month_day Today() override;
  void Pause(int milliseconds) override;

 private:
  std::chrono::system_clock::time_point m_now;
  std::vector<int> m_pauses;
};

}  // namespace tunedex::test
