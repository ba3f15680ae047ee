// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "common/volumes.h"
#include "common/walkthread.h"
#include "inspect/scanstart.h"
#include "inspect/songscan.h"

namespace tunedex {

// What a scan found since the last look.
struct tScanBatch {
  std::vector<ScanResult> results;  // in walk order; inCatalogue is left for the taker to tell
  std::vector<ScanProblem> problems;
  // The texts of the roots begun since the last look ("Searching drive / for songs").
  std::vector<std::string> announcements;
  std::int64_t filesSeen = 0;  // files looked at so far, songs or not
  bool finished = false;       // the walk has ended (every root done, or stopped); stays so
};

// Runs the scan of a start (its folder, or every ready volume of the Computer node) on a thread
// of its own, so that the window that polls it stays answering. Results are handed over in walk
// order, in batches. Nothing on the thread asks the user anything: unreadable files and folders
// come as problems. The thread shares its state through shared pointers, so that a scan stuck in
// a call that never returns (a stat on a dead network mount) can be left behind by Stop.
class tBackgroundScan {
 public:
  struct Services {
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<Volumes> volumes;  // may be null for a folder start: nothing is left out
  };

  // Starts at once.
  tBackgroundScan(Services services, std::string patternText, tScanStart start);
  // Stops as Stop does.
  ~tBackgroundScan();
  tBackgroundScan(const tBackgroundScan&) = delete;
  tBackgroundScan& operator=(const tBackgroundScan&) = delete;

  // Takes what was found since the last call. After Stop left the walk behind, the batch is
  // empty and finished.
  tScanBatch TakeBatch();

  // Asks the walk to end after its current file and waits for it at most wait. A walk that has
  // not ended by then is left behind, with whatever it still finds dropped; the folder it was
  // in is returned (the one that did not answer). Nothing when the walk ended.
  std::optional<std::string> Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(50));

  // Whether Stop left the walk behind.
  bool Abandoned() const { return m_thread.Abandoned(); }

 private:
  struct State;
  static void Work(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
  tWalkThread m_thread;
};

}  // namespace tunedex
