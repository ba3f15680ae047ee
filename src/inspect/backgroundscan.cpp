// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/backgroundscan.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace tunedex {

struct tBackgroundScan::State : tWalkState {
  Services services;
  std::string pattern;
  tScanStart start;
  tScanBatch pending;  // guarded by the mutex
};

namespace {

// The user of the walk on the scan's thread: nobody is asked anything (the walk keeps every
// file and folder it could not read among its problems), and after every file the results and
// problems found so far go to the pending batch.
class HandOverUser final : public SilentUser {
 public:
  using HandOver = std::function<bool()>;
  explicit HandOverUser(HandOver handOver) : m_handOver(std::move(handOver)) {}

  bool Progress(std::int64_t, std::string_view) override { return m_handOver(); }

 private:
  HandOver m_handOver;
};

}  // namespace

tBackgroundScan::tBackgroundScan(Services services, std::string patternText, tScanStart start)
    : m_state(std::make_shared<State>()) {
  m_state->services = std::move(services);
  m_state->pattern = std::move(patternText);
  m_state->start = std::move(start);
  m_thread.Start(m_state, Work);
}

tBackgroundScan::~tBackgroundScan() {
  Stop();
}

void tBackgroundScan::Work(const std::shared_ptr<State>& state) {
  std::size_t resultsHanded = 0;
  std::size_t problemsHanded = 0;
  SongScan* walk = nullptr;
  // Moves what the walk found since the last time to the pending batch; false once stopped.
  const auto handOver = [&]() {
    const std::lock_guard lock(state->mutex);
    const std::deque<ScanResult>& results = walk->Results();
    const std::vector<ScanProblem>& problems = walk->Problems();
    state->pending.results.insert(state->pending.results.end(), results.begin() + resultsHanded,
                                  results.end());
    state->pending.problems.insert(state->pending.problems.end(), problems.begin() + problemsHanded,
                                   problems.end());
    resultsHanded = results.size();
    problemsHanded = problems.size();
    state->pending.filesSeen = walk->FilesSeen();
    return !state->stop.load();
  };
  const auto enter = [&](const std::string& folder) {
    const std::lock_guard lock(state->mutex);
    state->folder = folder;
  };

  HandOverUser user(handOver);
  SongScan scan(state->pattern, {}, user, *state->services.files);
  walk = &scan;
  std::vector<Volume> mounted;
  if (state->services.volumes) mounted = state->services.volumes->Mounted();
  for (const tScanRoot& root : PlanScanRoots(state->start, mounted)) {
    if (state->stop) break;
    enter(root.folder);
    if (root.volume && !state->services.volumes->IsReady(*root.volume)) continue;
    {
      const std::lock_guard lock(state->mutex);
      state->pending.announcements.push_back(root.announcement);
    }
    scan.SetFolderFilter([&](const std::string& folder) {
      if (state->stop) return false;
      if (std::find(root.notEntered.begin(), root.notEntered.end(), folder) !=
          root.notEntered.end()) {
        return false;
      }
      enter(folder);
      return true;
    });
    scan.SetCrossingRule([&](const std::string& folder) {
      return std::find(root.crossInto.begin(), root.crossInto.end(), folder) !=
             root.crossInto.end();
    });
    scan.Walk(root.folder);
    handOver();
  }
  handOver();
  tWalkThread::Finish(*state);
}

tScanBatch tBackgroundScan::TakeBatch() {
  if (m_thread.Abandoned()) {
    tScanBatch done;
    done.finished = true;
    return done;
  }
  tScanBatch batch;
  {
    const std::lock_guard lock(m_state->mutex);
    batch = std::move(m_state->pending);
    m_state->pending = tScanBatch();
    m_state->pending.filesSeen = batch.filesSeen;
    batch.finished = m_state->finished;
  }
  m_thread.JoinIfFinished(batch.finished);
  return batch;
}

std::optional<std::string> tBackgroundScan::Stop(std::chrono::milliseconds wait) {
  return m_thread.Stop(wait);
}

}  // namespace tunedex
