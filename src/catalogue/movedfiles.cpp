// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/movedfiles.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <unordered_set>

#include "common/textcase.h"
#include "inspect/folderwalk.h"
#include "song/songtype.h"

namespace tunedex {

std::string_view SongFileName(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string MovedFileKey(std::string_view name) {
  return FoldCase(name);
}

MovedFilesFindings ProposeMovedFiles(const std::vector<LostSong>& lost, const FoundFiles& found,
                                     const tSongList& songs) {
  // How many lost songs want each key: a file that two songs want belongs to neither for sure.
  std::unordered_map<std::string, std::vector<const LostSong*>> wanting;
  std::vector<std::string> order;
  for (const LostSong& entry : lost) {
    std::string key = MovedFileKey(SongFileName(entry.song->Record().FileName()));
    if (key.empty() || !found.contains(key)) continue;
    auto& songsWanting = wanting[key];
    if (songsWanting.empty()) order.push_back(key);
    songsWanting.push_back(&entry);
  }
  MovedFilesFindings findings;
  for (const std::string& key : order) {
    const std::vector<const LostSong*>& songsWanting = wanting[key];
    const std::vector<std::string>& candidates = found.at(key);
    if (songsWanting.size() == 1 && candidates.size() == 1) {
      tSong* song = songsWanting.front()->song;
      MovedFileProposal proposal{song, std::string(song->Record().FileName()), candidates.front()};
      if (songs.FindByFileName(proposal.newPath)) {
        proposal.ticked = false;
        findings.alreadyCatalogued.push_back(std::move(proposal));
      } else {
        findings.proposals.push_back(std::move(proposal));
      }
      continue;
    }
    AmbiguousName name;
    name.name = SongFileName(songsWanting.front()->song->Record().FileName());
    for (const LostSong* entry : songsWanting) {
      name.lostPaths.emplace_back(entry->song->Record().FileName());
    }
    name.candidates = candidates;
    findings.ambiguous.push_back(std::move(name));
  }
  return findings;
}

std::size_t ApplyMovedFiles(tCatalogue& catalogue,
                            const std::vector<MovedFileProposal>& proposals) {
  std::size_t changed = 0;
  for (const MovedFileProposal& proposal : proposals) {
    if (!proposal.ticked || !proposal.song) continue;
    tSong& song = *proposal.song;
    if (song.Record().FileName() != proposal.oldPath) continue;
    if (catalogue.Songs().FindByFileName(proposal.newPath)) continue;
    tSongRecord record = song.Record();
    record.SetFileName(proposal.newPath);
    record.SetFileType(ExtToSongType(proposal.newPath));
    catalogue.ChangeRecord(song, record);
    ++changed;
  }
  return changed;
}

// ---------------------------------------------------------------------------------------------
// The search on its own thread

struct tMovedFilesSearch::State : tWalkState {
  std::shared_ptr<FileSystem> files;
  std::string root;
  std::unordered_set<std::string> wanted;
  // Guarded by the mutex:
  FoundFiles found;
  std::int64_t filesSeen = 0;
  bool complete = false;
};

tMovedFilesSearch::tMovedFilesSearch(std::shared_ptr<FileSystem> files, std::string folder,
                                     std::vector<std::string> wantedKeys)
    : m_state(std::make_shared<State>()) {
  m_state->files = std::move(files);
  m_state->root = std::move(folder);
  m_state->wanted.insert(wantedKeys.begin(), wantedKeys.end());
  m_thread.Start(m_state, Work);
}

tMovedFilesSearch::~tMovedFilesSearch() {
  Stop();
}

void tMovedFilesSearch::Work(const std::shared_ptr<State>& state) {
  FolderWalk walk(*state->files);
  walk.SetFolderFilter([&state](const std::string& folder) {
    if (state->stop) return false;
    const std::lock_guard lock(state->mutex);
    state->folder = folder;
    return true;
  });
  FoundFiles found;
  std::int64_t seen = 0;
  walk.OnFile([&](const std::string& path, std::string_view name) {
    if (state->stop) return false;
    ++seen;
    std::string key = MovedFileKey(name);
    if (state->wanted.contains(key)) found[std::move(key)].push_back(path);
    // The count is handed over now and then; the lock is not taken for every file.
    if (seen % 256 == 0) {
      const std::lock_guard lock(state->mutex);
      state->filesSeen = seen;
    }
    return true;
  });
  walk.Walk(state->root);
  {
    const std::lock_guard lock(state->mutex);
    state->filesSeen = seen;
    state->found = std::move(found);
    state->complete = !state->stop;
  }
  tWalkThread::Finish(*state);
}

tMovedFilesSearch::Progress tMovedFilesSearch::Poll() {
  Progress progress;
  if (m_thread.Abandoned()) {
    progress.finished = true;
    return progress;
  }
  {
    const std::lock_guard lock(m_state->mutex);
    progress.filesSeen = m_state->filesSeen;
    progress.folder = m_state->folder;
    progress.finished = m_state->finished;
  }
  m_thread.JoinIfFinished(progress.finished);
  return progress;
}

std::optional<std::string> tMovedFilesSearch::Stop(std::chrono::milliseconds wait) {
  return m_thread.Stop(wait);
}

bool tMovedFilesSearch::Complete() {
  if (m_thread.Abandoned()) return false;
  const std::lock_guard lock(m_state->mutex);
  return m_state->finished && m_state->complete;
}

FoundFiles tMovedFilesSearch::TakeFound() {
  if (m_thread.Abandoned()) return {};
  const std::lock_guard lock(m_state->mutex);
  if (!m_state->finished) return {};
  return std::move(m_state->found);
}

// ---------------------------------------------------------------------------------------------
// The review

namespace {

std::vector<std::string> WantedKeys(const std::vector<LostSong>& lost) {
  std::vector<std::string> keys;
  keys.reserve(lost.size());
  for (const LostSong& entry : lost) {
    std::string key = MovedFileKey(SongFileName(entry.song->Record().FileName()));
    if (!key.empty()) keys.push_back(std::move(key));
  }
  return keys;
}

}  // namespace

tMovedFiles::tMovedFiles(tCatalogue& catalogue, std::shared_ptr<FileSystem> files,
                         std::string folder, std::vector<LostSong> lost)
    : m_catalogue(catalogue),
      m_folder(folder),
      m_lost(std::move(lost)),
      m_search(std::move(files), std::move(folder), WantedKeys(m_lost)) {
  m_catalogue.AddObserver(*this);
}

tMovedFiles::~tMovedFiles() {
  m_catalogue.RemoveObserver(*this);
}

tMovedFilesSearch::Progress tMovedFiles::Poll() {
  tMovedFilesSearch::Progress progress = m_search.Poll();
  if (progress.finished && !m_finished) {
    m_finished = true;
    if (m_search.Complete()) {
      m_findings = ProposeMovedFiles(m_lost, m_search.TakeFound(), m_catalogue.Songs());
    } else {
      m_stopped = true;
    }
  }
  return progress;
}

void tMovedFiles::Stop() {
  if (m_finished) return;
  m_search.Stop();
  Poll();
}

void tMovedFiles::SetTicked(std::size_t proposal, bool ticked) {
  if (proposal < m_findings.proposals.size()) m_findings.proposals[proposal].ticked = ticked;
}

std::size_t tMovedFiles::TickedCount() const {
  return static_cast<std::size_t>(
      std::count_if(m_findings.proposals.begin(), m_findings.proposals.end(),
                    [](const MovedFileProposal& proposal) { return proposal.ticked; }));
}

std::size_t tMovedFiles::Accept() {
  const std::vector<MovedFileProposal> proposals = std::move(m_findings.proposals);
  m_findings = {};
  return ApplyMovedFiles(m_catalogue, proposals);
}

void tMovedFiles::CatalogueChanged(const CatalogueNotice& notice) {
  if (notice.change == CatalogueChange::Replacing) {
    m_lost.clear();
    m_findings = {};
  } else if (notice.change == CatalogueChange::Removing) {
    std::erase_if(m_lost, [&](const LostSong& entry) { return entry.song == notice.song; });
    std::erase_if(m_findings.proposals,
                  [&](const MovedFileProposal& proposal) { return proposal.song == notice.song; });
    std::erase_if(m_findings.alreadyCatalogued,
                  [&](const MovedFileProposal& proposal) { return proposal.song == notice.song; });
  }
}

}  // namespace tunedex
