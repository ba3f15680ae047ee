// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/clock.h"

namespace tunedex {

// The system's clock, its date in the local time zone.
class SystemClock : public Clock {
 public:
  std::chrono::system_clock::time_point Now() override;
  std::chrono::year_month_day Today() override;
};

}  // namespace tunedex
