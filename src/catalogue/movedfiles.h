// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/lostcount.h"
#include "common/filesystem.h"
#include "common/walkthread.h"

namespace tunedex {

// A lost song whose file name occurs once in the folder searched: the file it would take.
struct MovedFileProposal {
  tSong* song = nullptr;
  std::string oldPath;
  std::string newPath;
  bool ticked = true;
};

// A name the search cannot settle by itself: found more than once, or wanted by more than one
// lost song. Never chosen silently.
struct AmbiguousName {
  std::string name;                     // as the first lost song spells it
  std::vector<std::string> lostPaths;   // the lost songs' paths
  std::vector<std::string> candidates;  // the files found, in walk order
};

struct MovedFilesFindings {
  std::vector<MovedFileProposal> proposals;  // in lost-list order
  std::vector<AmbiguousName> ambiguous;      // in lost-list order of their first song
  // Lost songs whose one file found is already another song's.
  std::vector<MovedFileProposal> alreadyCatalogued;
};

// The file name of a song's path: what follows the last "\" or "/".
std::string_view SongFileName(std::string_view path);
// The key names are compared by: the name case-folded.
std::string MovedFileKey(std::string_view name);

// The paths found per key.
using FoundFiles = std::unordered_map<std::string, std::vector<std::string>>;

// The proposals for the lost songs from the files found.
MovedFilesFindings ProposeMovedFiles(const std::vector<LostSong>& lost, const FoundFiles& found,
                                     const tSongList& songs);

// Gives every ticked proposal's song its new file name and the file type of its extension,
// keeping the rest of the record. A song that took another file meanwhile, or whose new file
// another song has taken, is left alone. Returns the songs changed.
std::size_t ApplyMovedFiles(tCatalogue& catalogue, const std::vector<MovedFileProposal>& proposals);

// Walks a folder once, on a thread of its own, with the walk of a song scan, collecting the
// files whose keys are wanted. The caller polls it and may stop it; a walk stuck in a call that
// never returns (a folder on a dead network mount) is left behind by Stop.
class tMovedFilesSearch {
 public:
  struct Progress {
    std::int64_t filesSeen = 0;
    std::string folder;     // the folder being walked
    bool finished = false;  // the walk has ended: it went through, or it was stopped
  };

  tMovedFilesSearch(std::shared_ptr<FileSystem> files, std::string folder,
                    std::vector<std::string> wantedKeys);
  ~tMovedFilesSearch();
  tMovedFilesSearch(const tMovedFilesSearch&) = delete;
  tMovedFilesSearch& operator=(const tMovedFilesSearch&) = delete;

  Progress Poll();
  // Asks the walk to end and waits for it at most wait; a walk that has not ended by then is
  // left behind. Returns the folder it was stuck in, or nothing.
  std::optional<std::string> Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(50));
  // The walk went through the whole folder (it was not stopped).
  bool Complete();
  // What was found, once finished.
  FoundFiles TakeFound();

 private:
  struct State;
  static void Work(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
  tWalkThread m_thread;
};

// "Find moved files": one search of a folder for the lost songs, and the review of what it
// found. Follows the catalogue, so that a song removed meanwhile drops out of the review.
class tMovedFiles : public CatalogueObserver {
 public:
  tMovedFiles(tCatalogue& catalogue, std::shared_ptr<FileSystem> files, std::string folder,
              std::vector<LostSong> lost);
  ~tMovedFiles() override;

  const std::string& Folder() const { return m_folder; }
  // Takes the walk's progress; when it has ended, the findings are made.
  tMovedFilesSearch::Progress Poll();
  bool Finished() const { return m_finished; }
  // Stopped before the walk went through: there are no findings, since a name seen once might
  // occur again in what was not walked.
  bool Stopped() const { return m_stopped; }
  void Stop();

  const MovedFilesFindings& Findings() const { return m_findings; }
  void SetTicked(std::size_t proposal, bool ticked);
  std::size_t TickedCount() const;
  // Makes the ticked proposals; the review is then empty. Returns the songs changed.
  std::size_t Accept();

  void CatalogueChanged(const CatalogueNotice& notice) override;

 private:
  tCatalogue& m_catalogue;
  std::string m_folder;
  std::vector<LostSong> m_lost;
  tMovedFilesSearch m_search;
  MovedFilesFindings m_findings;
  bool m_finished = false;
  bool m_stopped = false;
};

}  // namespace tunedex
