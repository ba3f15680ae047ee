// SPDX-License-Identifier: GPL-3.0-or-later
#include "songlist.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "catalogue/filenameindex.h"
#include "common/collationprefix.h"

namespace tunedex {

tSongList::tSongList(Ownership ownership) : m_ownership(ownership) {}

tSongList::~tSongList() {
  if (m_ownership == Ownership::OwnsSongs) {
    DestroySongs();
  } else {
    Clear();
  }
}

void tSongList::Add(tSong* song) {
  m_items.push_back(song);
  ++m_version;
  if (m_index) m_index->Add(song);
}

tSong* tSongList::Add(std::unique_ptr<tSong> song) {
  tSong* raw = song.release();
  Add(raw);
  return raw;
}

void tSongList::RemoveAt(std::size_t index) {
  tSong* song = m_items.at(index);
  m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
  ++m_version;
  if (m_index) m_index->Remove(song);
}

void tSongList::DestroyAt(std::size_t index) {
  tSong* song = m_items.at(index);
  RemoveAt(index);
  delete song;
}

void tSongList::Clear() {
  m_items.clear();
  ++m_version;
  if (m_index) m_index->Clear();
}

void tSongList::DestroySongs() {
  if (m_index) m_index->Clear();
  ++m_version;
  while (!m_items.empty()) {
    delete m_items.back();
    m_items.pop_back();
  }
}

const FileNameIndex& tSongList::Index() const {
  if (!m_index) {
    m_index = std::make_unique<FileNameIndex>();
    for (tSong* song : m_items) m_index->Add(song);
  }
  return *m_index;
}

std::vector<tSong*> tSongList::Matches(std::string_view path) const {
  return Index().Find(path);
}

int tSongList::FirstPositionOf(const std::vector<tSong*>& songs) const {
  if (songs.empty()) return -1;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (std::find(songs.begin(), songs.end(), m_items[i]) != songs.end()) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int tSongList::IndexOfFileName(const tSongRecord& record) const {
  return FirstPositionOf(Matches(record.FileName()));
}

bool tSongList::ContainsFileName(const tSongRecord& record) const {
  return Index().Contains(record.FileName());
}

tSong* tSongList::FindByFileName(const tSongRecord& record) const {
  const std::vector<tSong*> songs = Matches(record.FileName());
  if (songs.size() == 1) return songs.front();
  const int first = FirstPositionOf(songs);
  return first < 0 ? nullptr : m_items[static_cast<std::size_t>(first)];
}

tSong* tSongList::FindByFileName(std::string_view path) const {
  if (path.empty()) return nullptr;
  tSongRecord probe;
  probe.SetFileName(path);
  return FindByFileName(probe);
}

void tSongList::SortBy(int code) {
  const SortKeyInfo* info = SortKeyOfCode(code);
  if (!info) return;
  const SortKey field = info->key;
  const TextField text = info->field;
  if (m_items.size() < 2) return;

  CollationPrefixKeys keys;
  keys.Reserve(m_items.size());
  // Sixteen bytes per song: the start of its key inline, so that most comparisons touch neither
  // the song nor the collator, and its place in the list.
  std::vector<CollationPrefixKeys::Key> entries;
  entries.reserve(m_items.size());
  // The songs are wherever a previous order left them: fetching a few ahead lets the memory
  // fetches overlap the work on the texts.
  constexpr std::size_t kAhead = 8;
  const std::size_t offset = tSongRecord::Offset(text);
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (i + kAhead < m_items.size()) {
      const std::uint8_t* ahead = m_items[i + kAhead]->Record().RawBytes().data() + offset;
      __builtin_prefetch(ahead);
      __builtin_prefetch(ahead + 64);
    }
    entries.push_back(keys.Add(m_items[i]->Record().RawText(text)));
    entries.back().item = static_cast<std::uint32_t>(i);
  }
  const std::vector<tSong*> songs = m_items;
  // The prefix keys decide most pairs; the collation keys, built when first needed and cached
  // in the songs, decide the rest.
  using Key = CollationPrefixKeys::Key;
  const auto order = [&](const Key& a, const Key& b) {
    const int decided = keys.Compare(a, b);
    if (decided != CollationPrefixKeys::kUndecided) return decided;
    return songs[a.item]->CollationKey(field).compare(songs[b.item]->CollationKey(field));
  };
  if (code > 0) {
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const Key& a, const Key& b) { return order(a, b) < 0; });
  } else {
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const Key& a, const Key& b) { return order(a, b) > 0; });
  }
  for (std::size_t i = 0; i < entries.size(); ++i) m_items[i] = songs[entries[i].item];
  ++m_version;
}

}  // namespace tunedex
