// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace tunedex {

// Runs work on a thread of its own and waits at most bound for its result. Work still running
// then is abandoned: its thread goes on (or stays stuck, as a call on a dead network mount
// does) and its result is dropped, so whatever work uses must outlive it. Nothing when the
// bound passed, when work threw, or when no thread could be had.
template <typename T>
std::optional<T> CallWithin(std::function<T()> work, std::chrono::milliseconds bound) {
  // Shared by the waiter and the worker, so whichever finishes last frees it.
  struct Result {
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    std::optional<T> value;
  };
  auto result = std::make_shared<Result>();
  try {
    std::thread([result, work = std::move(work)] {
      std::optional<T> value;
      try {
        value = work();
      } catch (...) {
        // A call that fails has no result.
      }
      const std::lock_guard lock(result->mutex);
      result->value = std::move(value);
      result->done = true;
      result->ready.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  std::unique_lock lock(result->mutex);
  result->ready.wait_for(lock, bound, [&result] { return result->done; });
  if (!result->done) return std::nullopt;
  return std::move(result->value);
}

}  // namespace tunedex
