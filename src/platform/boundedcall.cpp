// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/boundedcall.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace tunedex {

namespace {

// Shared by the waiter and the worker, so whichever finishes last frees it.
struct Answer {
  std::mutex mutex;
  std::condition_variable ready;
  std::optional<bool> value;
};

}  // namespace

std::optional<bool> AnswerWithin(std::function<bool()> work, std::chrono::milliseconds bound) {
  auto answer = std::make_shared<Answer>();
  try {
    std::thread([answer, work = std::move(work)] {
      bool value = false;
      try {
        value = work();
      } catch (...) {
        // A failing probe is a "no".
      }
      const std::lock_guard lock(answer->mutex);
      answer->value = value;
      answer->ready.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return std::nullopt;  // no thread to be had: no answer
  }
  std::unique_lock lock(answer->mutex);
  answer->ready.wait_for(lock, bound, [&answer] { return answer->value.has_value(); });
  return answer->value;
}

}  // namespace tunedex
