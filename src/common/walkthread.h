// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace tunedex {

// What a walk through folders on a thread of its own shares with its owner. A walk's own state
// derives from it and adds what it finds, guarded by the same mutex.
struct tWalkState {
  std::atomic<bool> stop{false};
  std::mutex mutex;  // guards the members below and those a derived state adds
  std::condition_variable ended;
  std::string folder;  // the folder being walked, or the volume being asked
  bool finished = false;
};

// The thread of such a walk. The thread and its owner share the state through shared pointers,
// so that a walk stuck in a call that never returns (a folder on a dead network mount) can be
// left behind: it keeps its state alive by itself, and what it finds later is dropped.
class tWalkThread {
 public:
  tWalkThread() = default;
  ~tWalkThread() { Stop(); }
  tWalkThread(const tWalkThread&) = delete;
  tWalkThread& operator=(const tWalkThread&) = delete;

  // Runs work(state) on a thread of its own; work marks the state finished as it ends (Finish).
  template <typename State, typename Work>
  void Start(std::shared_ptr<State> state, Work work) {
    m_state = state;
    m_thread = std::thread([state = std::move(state), work = std::move(work)] { work(state); });
  }

  // The walk's last act: tells the owner it ended.
  static void Finish(tWalkState& state) {
    const std::lock_guard lock(state.mutex);
    state.finished = true;
    state.ended.notify_all();
  }

  // Joins the thread once its walk said it finished.
  void JoinIfFinished(bool finished) {
    if (finished && m_thread.joinable()) m_thread.join();
  }

  // Asks the walk to end and waits for it at most wait. A walk that has not ended by then is left
  // behind and the folder it was in (the one that did not answer) is returned; nothing when the
  // walk ended.
  std::optional<std::string> Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(50)) {
    if (!m_thread.joinable()) return std::nullopt;
    m_state->stop = true;
    std::unique_lock lock(m_state->mutex);
    if (m_state->ended.wait_for(lock, wait, [this] { return m_state->finished; })) {
      lock.unlock();
      m_thread.join();
      return std::nullopt;
    }
    std::string folder = m_state->folder;
    lock.unlock();
    m_thread.detach();
    m_abandoned = true;
    return folder;
  }

  // Whether Stop left the walk behind.
  bool Abandoned() const { return m_abandoned; }

 private:
  std::shared_ptr<tWalkState> m_state;
  std::thread m_thread;
  bool m_abandoned = false;
};

}  // namespace tunedex
