// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/boundedcall.h"

#include "common/callwithin.h"

namespace tunedex {

std::optional<bool> AnswerWithin(std::function<bool()> work, std::chrono::milliseconds bound) {
  return CallWithin<bool>(
      [work = std::move(work)] {
        try {
          return work();
        } catch (...) {
          return false;  // a failing probe is a "no"
        }
      },
      bound);
}

}  // namespace tunedex
