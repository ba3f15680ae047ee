// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace tunedex {

// Runs work on a thread of its own and waits at most bound for its answer. Work still running
// then is abandoned: its thread goes on (or stays stuck, as a call on a dead network mount
// does) and its answer is dropped. Nothing when the bound passed.
std::optional<bool> AnswerWithin(std::function<bool()> work, std::chrono::milliseconds bound);

}  // namespace tunedex
