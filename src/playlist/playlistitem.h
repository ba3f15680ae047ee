// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace tunedex {

inline constexpr std::size_t kMaxSingerCharacters = 25;

// A UTF-8 name cut to its first 25 characters (never inside a character).
std::string CutSingerName(std::string_view utf8);

// One entry of the evening's running order: a singer (UTF-8, at most 25 characters, may be
// empty) and a song of the catalogue's master list, which the item refers to and never owns.
struct tPlayListItem {
  tPlayListItem(std::string_view singer, const tSong& song)
      : Singer(CutSingerName(singer)), Song(&song) {}

  void SetSinger(std::string_view singer) { Singer = CutSingerName(singer); }

  std::string Singer;
  const tSong* Song;
};

// The items in running order. Items live on the heap, so a reference to one (the current item)
// stays valid while others are added, removed or moved. The list follows the catalogue: an
// item whose song is about to be destroyed leaves the list, and Changed() then hears of it.
class tPlayList : public CatalogueObserver {
 public:
  explicit tPlayList(tCatalogue& catalogue);
  ~tPlayList() override;
  tPlayList(const tPlayList&) = delete;
  tPlayList& operator=(const tPlayList&) = delete;

  std::size_t Count() const { return m_items.size(); }
  bool Empty() const { return m_items.empty(); }
  tPlayListItem& Item(std::size_t index) const { return *m_items.at(index); }
  // The row of an item, or -1 when it is not in the list.
  int IndexOf(const tPlayListItem* item) const;

  tPlayListItem& Append(std::string_view singer, const tSong& song);
  tPlayListItem& Insert(std::size_t index, std::string_view singer, const tSong& song);
  void RemoveAt(std::size_t index);
  void Swap(std::size_t a, std::size_t b);
  void Clear();

  const tCatalogue& Catalogue() const { return m_catalogue; }

  // Called after items left the list because their songs went from the catalogue.
  void SetChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

  void CatalogueChanged(const CatalogueNotice& notice) override;

 private:
  tCatalogue& m_catalogue;
  std::vector<std::unique_ptr<tPlayListItem>> m_items;
  std::function<void()> m_changed;
};

}  // namespace tunedex
