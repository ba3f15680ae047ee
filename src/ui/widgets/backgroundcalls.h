// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace tunedex {

// Runs calls that may hang (a folder on a dead network mount) each on a thread of its own, so
// a stuck call holds up nothing else, and hands their answers to the receiver's thread by a
// queued call. Answers arriving after this object is gone are dropped; the work itself must
// only touch what outlives it (the services it was given).
class TBackgroundCalls {
 public:
  explicit TBackgroundCalls(QObject* receiver) : m_channel(std::make_shared<Channel>()) {
    m_channel->receiver = receiver;
  }
  ~TBackgroundCalls() {
    const std::lock_guard lock(m_channel->mutex);
    m_channel->receiver = nullptr;
  }
  TBackgroundCalls(const TBackgroundCalls&) = delete;
  TBackgroundCalls& operator=(const TBackgroundCalls&) = delete;

  // Runs work on a new thread and then done(answer) on the receiver's thread. False when no
  // thread could be started.
  template <class Answer>
  bool Run(std::function<Answer()> work, std::function<void(Answer)> done) {
    s_running.fetch_add(1);
    try {
      std::thread([channel = m_channel, work = std::move(work), done = std::move(done)] {
        {
          Answer answer = work();
          const std::lock_guard lock(channel->mutex);
          if (channel->receiver) {
            // A receiver deleted before the queued call runs discards it with its other
            // events.
            QMetaObject::invokeMethod(
                channel->receiver,
                [done = std::move(done), answer = std::move(answer)]() mutable {
                  done(std::move(answer));
                },
                Qt::QueuedConnection);
          }
        }
        // The last step: nothing of the caller's is touched after it.
        s_running.fetch_sub(1);
      }).detach();
      return true;
    } catch (const std::system_error&) {
      s_running.fetch_sub(1);
      return false;
    }
  }

  // The calls of every TBackgroundCalls still running, stuck ones included. Once it is zero,
  // the services those calls used are free to go.
  static int Running() { return s_running.load(); }

 private:
  struct Channel {
    std::mutex mutex;
    QObject* receiver = nullptr;
  };
  std::shared_ptr<Channel> m_channel;
  static inline std::atomic<int> s_running{0};
};

}  // namespace tunedex
