// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/systemclock.h"

#include <ctime>

namespace tunedex {

std::chrono::system_clock::time_point SystemClock::Now() {
  return std::chrono::system_clock::now();
}

std::chrono::year_month_day SystemClock::Today() {
  const std::time_t now = std::chrono::system_clock::to_time_t(Now());
  std::tm local{};
  ::localtime_r(&now, &local);
  return std::chrono::year{local.tm_year + 1900} /
         std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)} /
         std::chrono::day{static_cast<unsigned>(local.tm_mday)};
}

}  // namespace tunedex
