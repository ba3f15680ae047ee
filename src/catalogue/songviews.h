// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/songlist.h"
#include "common/textcase.h"

namespace tunedex {

// View modes, with the numbers the view commands were tagged with.
enum class ViewMode : int {
  All = 16,
  CustomLanguage = 17,
  English = 18,
  OtherLanguages = 19,
  NewSongs = 20,
  CustomFiltered = 21,  // the filter dialog's choice, narrowing the view shown
};
inline constexpr ViewMode kViewModes[] = {ViewMode::All,      ViewMode::CustomLanguage,
                                          ViewMode::English,  ViewMode::OtherLanguages,
                                          ViewMode::NewSongs, ViewMode::CustomFiltered};

inline constexpr std::string_view kDefaultCustomLanguageCode = "Sve";

// Which songs a view mode of 16 to 20 shows, by their Language.
class ViewSelection {
 public:
  ViewSelection(ViewMode mode, std::string_view customLanguageCode);
  bool Admits(const tSongRecord& record) const;

 private:
  ViewMode m_mode;
  std::string m_customCode;
  std::string m_knownCodes;  // lower-cased "<custom code>,eng"
};

// Fills view with the master list's songs that mode (16 to 20) admits, in master order, and
// gives it the master list's SortOrder.
void SelectViewSongs(const tSongList& master, tSongList& view, ViewMode mode,
                     std::string_view customLanguageCode);

// The find box's rule: the text occurs, ignoring case, in the Title, Artist, IdCode, Notes,
// file-name part of FileName or Language of a song. These are those fields, in that order.
std::array<std::string_view, 6> FindBoxFields(const tSongRecord& record);

bool FindBoxMatches(const TextMatcher& matcher, const tSongRecord& record);

// The find box over one list. The songs' fields are upper-cased once into one block of text,
// so that each search (every keystroke searches from the first row) is a single substring
// search; the block is made again when the list, any song or the user locale has changed.
class FindBoxSearch {
 public:
  explicit FindBoxSearch(const tSongList& list) : m_list(list) {}

  // The first row from start on whose song matches text, or nothing; no wrap-around. An empty
  // text matches nothing.
  std::optional<std::size_t> FindFrom(std::string_view text, std::size_t start);

 private:
  void Refresh();

  const tSongList& m_list;
  bool m_built = false;
  std::uint64_t m_listVersion = 0;
  std::uint64_t m_editStamp = 0;
  std::uint32_t m_localeGeneration = 0;
  std::string m_text;                 // every field upper-cased, each followed by a line break
  std::vector<std::size_t> m_starts;  // where each row's text starts in m_text
};

}  // namespace tunedex
