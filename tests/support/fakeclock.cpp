// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeclock.h"

namespace tunedex::test {

std::chrono::year_month_day FakeClock::Today() {
  return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(m_now)};
}

void FakeClock::Pause(int milliseconds) {
  m_pauses.push_back(milliseconds);
  m_now += std::chrono::milliseconds(milliseconds);
}

}  // namespace tunedex::test
