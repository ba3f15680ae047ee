// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/songlist.h"

namespace tunedex {

// The ID codes in use, compared without regard to case; adding a code that is there already
// changes nothing. Codes are UTF-8 texts.
class tIDList {
 public:
  bool Contains(std::string_view code) const;
  // Adds the code when it is absent; false when it was there.
  bool Reserve(std::string_view code);
  void Clear();
  std::size_t Count() const { return m_codes.size(); }

  // Empties the list and fills it with every non-empty IdCode of the songs.
  void FillFrom(const tSongList& songs);

 private:
  friend std::string CompleteIdCode(tIDList& idList, std::string_view base);

  std::unordered_set<std::string> m_codes;  // case-folded
  // For each code prefix, the lowest number that may still be free: codes are only ever added,
  // so completion never looks at a number twice.
  std::unordered_map<std::string, unsigned> m_nextFree;
};

// A new ID code for a song file, reserved in the list: the first two to five letters of the
// file's name (ASCII letters upper-cased, and the Latin-1 capitals from 193 to 222; "#" when it
// has none) with a three-digit number, then "~" codes, then "~~BadVal" (not reserved).
std::string CompleteIdCode(tIDList& idList, std::string_view base);

// Gives every song of the list with an empty IdCode and a FileName a completed code; returns
// how many songs got one.
std::size_t FillMissingIdCodes(tSongList& master, tIDList& idList);

}  // namespace tunedex
