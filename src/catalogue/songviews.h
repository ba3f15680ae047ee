// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/songlist.h"
#include "common/textcase.h"

namespace tunedex {

// View modes, the tags of the view commands.
enum ViewMode : int {
  kViewAll = 16,
  kViewCustomLanguage = 17,
  kViewEnglish = 18,
  kViewOtherLanguages = 19,
  kViewNewSongs = 20,
  kViewCustomFiltered = 21,
};

inline constexpr std::string_view kDefaultCustomLanguageCode = "Sve";

// Which songs a view mode of 16 to 20 shows, by their Language.
class ViewSelection {
 public:
  ViewSelection(int mode, std::string_view customLanguageCode);
  bool Admits(const tSongRecord& record) const;

 private:
  int m_mode;
  std::string m_customCode;
  std::string m_knownCodes;  // lower-cased "<custom code>,eng"
};

// Fills view with the master list's songs that mode (16 to 20) admits, in master order, and
// gives it the master list's SortOrder.
void SelectViewSongs(const tSongList& master, tSongList& view, int mode,
                     std::string_view customLanguageCode);

// The file-name part of a stored path: the text after the last "/".
std::string_view FileNamePart(std::string_view path);

// The find box's rule: the text occurs, ignoring case, in the Title, Artist, IdCode, Notes,
// file-name part of FileName or Language of a song.
class FindBoxMatcher {
 public:
  explicit FindBoxMatcher(std::string_view text) : m_matcher(text) {}
  bool Matches(const tSongRecord& record) const;
  // The first row from start on whose song matches, or nothing. There is no wrap-around.
  std::optional<std::size_t> FindFrom(const tSongList& view, std::size_t start) const;

 private:
  TextMatcher m_matcher;
};

}  // namespace tunedex
