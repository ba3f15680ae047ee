// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistitem.h"

#include <algorithm>
#include <utility>

#include "common/recordtext.h"

namespace tunedex {

std::string CutSingerName(std::string_view utf8) {
  std::string cut(utf8);
  while (Utf8CharacterCount(cut) > kMaxSingerCharacters) RemoveLastUtf8Character(cut);
  return cut;
}

tPlayList::tPlayList(tCatalogue& catalogue) : m_catalogue(catalogue) {
  m_catalogue.AddObserver(*this);
}

tPlayList::~tPlayList() {
  m_catalogue.RemoveObserver(*this);
}

int tPlayList::IndexOf(const tPlayListItem* item) const {
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

tPlayListItem& tPlayList::Append(std::string_view singer, const tSong& song) {
  return Insert(m_items.size(), singer, song);
}

tPlayListItem& tPlayList::Insert(std::size_t index, std::string_view singer, const tSong& song) {
  index = std::min(index, m_items.size());
  auto item = std::make_unique<tPlayListItem>(singer, song);
  return **m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
}

void tPlayList::RemoveAt(std::size_t index) {
  if (index < m_items.size()) m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

void tPlayList::Swap(std::size_t a, std::size_t b) {
  if (a < m_items.size() && b < m_items.size()) std::swap(m_items[a], m_items[b]);
}

void tPlayList::Clear() {
  m_items.clear();
}

void tPlayList::CatalogueChanged(const CatalogueNotice& notice) {
  std::size_t before = m_items.size();
  if (notice.change == CatalogueChange::Replacing) {
    m_items.clear();
  } else if (notice.change == CatalogueChange::Removing && notice.song != nullptr) {
    std::erase_if(m_items, [&](const auto& item) { return item->Song == notice.song; });
  }
  if (m_items.size() != before && m_changed) m_changed();
}

}  // namespace tunedex
