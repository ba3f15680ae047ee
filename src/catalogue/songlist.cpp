// SPDX-License-Identifier: GPL-3.0-or-later
#include "songlist.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "catalogue/filenameindex.h"

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
  return !Matches(record.FileName()).empty();
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

namespace {

// A sort entry keeps the first key bytes inline, so that most comparisons touch no song.
struct SortEntry {
  std::uint64_t prefix;
  const std::string* key;
  tSong* song;
};

std::uint64_t KeyPrefix(const std::string& key) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  }
  return prefix;
}

bool KeyLess(const SortEntry& a, const SortEntry& b) {
  if (a.prefix != b.prefix) return a.prefix < b.prefix;
  return *a.key < *b.key;  // std::string compares bytes as unsigned char, shorter first
}

}  // namespace

void tSongList::SortBy(int code) {
  SortKeyField field;
  switch (code < 0 ? -code : code) {
    case kSortById:
      field = SortKeyField::IdCode;
      break;
    case kSortByTitle:
      field = SortKeyField::Title;
      break;
    case kSortByArtist:
      field = SortKeyField::Artist;
      break;
    default:
      return;
  }
  if (m_items.size() < 2) return;

  std::vector<SortEntry> entries;
  entries.reserve(m_items.size());
  for (tSong* song : m_items) {
    const std::string& key = song->SortKey(field);
    entries.push_back({KeyPrefix(key), &key, song});
  }
  if (code > 0) {
    std::stable_sort(entries.begin(), entries.end(), KeyLess);
  } else {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SortEntry& a, const SortEntry& b) { return KeyLess(b, a); });
  }
  for (std::size_t i = 0; i < entries.size(); ++i) m_items[i] = entries[i].song;
  ++m_version;
}

}  // namespace tunedex
