// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "catalogue/gridcolumn.h"
#include "song/songrecord.h"

namespace tunedex {

// Sort codes as catalogue files and commands carry them: by IdCode, Title or Artist; negated
// for descending; 0 for no order chosen.
inline constexpr int kSortById = 32;
inline constexpr int kSortByTitle = 33;
inline constexpr int kSortByArtist = 34;

// The three keys a song list is sorted by.
enum class SortKey : std::uint8_t { IdCode = 0, Title = 1, Artist = 2 };

// Everything a sort key means, in one place.
struct SortKeyInfo {
  SortKey key;
  int code;                     // the ascending sort code
  TextField field;              // the record field sorted and typed ahead in
  std::string_view statusText;  // the status bar's text
  std::string_view name;        // tunedex-cli's name
  GridColumn gridColumn;        // the grid column whose header sorts by it
};

inline constexpr SortKeyInfo kSortKeys[] = {
    {SortKey::IdCode, kSortById, TextField::IdCode, "Sort: ID Code", "id", GridColumn::IdCode},
    {SortKey::Title, kSortByTitle, TextField::Title, "Sort: Title", "title", GridColumn::Title},
    {SortKey::Artist, kSortByArtist, TextField::Artist, "Sort: Artist", "artist",
     GridColumn::Artist},
};

// The key of a sort code in either direction; null for 0 and codes that name no key.
constexpr const SortKeyInfo* SortKeyOfCode(int code) {
  for (const SortKeyInfo& info : kSortKeys) {
    if (info.code == code || info.code == -code) return &info;
  }
  return nullptr;
}

constexpr const SortKeyInfo& InfoOf(SortKey key) {
  return kSortKeys[static_cast<std::size_t>(key)];
}

}  // namespace tunedex
