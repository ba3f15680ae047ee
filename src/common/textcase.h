// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tunedex {

// Case operations on stored record bytes (see recordtext.h for how bytes are decoded).

// Upper- and lower-casing with the user's locale.
std::u16string UpperCaseUtf16(std::string_view text);
std::string LowerCase(std::string_view text);                   // UTF-8 result
void AppendUpperCase(std::string& out, std::string_view text);  // appends UTF-8

// A text in Unicode case-folded form (UTF-8), for case-insensitive look-ups (file names, ID
// codes).
std::string FoldCase(std::string_view path);

// Finds one needle in many haystacks: the needle is upper-cased once; a haystack is upper-cased
// only when it needs more than ASCII casing.
class TextMatcher {
 public:
  explicit TextMatcher(std::string_view needle);

  bool Empty() const { return m_needle.empty(); }
  // The 1-based position (in characters of the upper-cased haystack) of the needle, or 0.
  std::size_t Find(std::string_view haystack) const;
  bool Matches(std::string_view haystack) const { return Find(haystack) > 0; }
  // True when the upper-cased haystack starts with the upper-cased needle.
  bool IsPrefixOf(std::string_view haystack) const;

 private:
  std::u16string m_needle;    // upper-cased
  std::string m_asciiNeedle;  // the same, when it is all ASCII
  bool m_asciiCasingHolds;    // the locale upper-cases ASCII letters to ASCII letters
};

// The 1-based position of needle in haystack after both are upper-cased, or 0 when absent.
std::size_t ContainsText(std::string_view needle, std::string_view haystack);

// Word capitalisation of a text read from a song file: everything lower-cased, then the first
// character and every character that follows a non-word character upper-cased. Word characters
// are the apostrophe, digits, ASCII letters and the Latin-1 letters; in a UTF-8 text every letter.
std::string ProperCase(std::string_view text);
// The same through ICU for every text, without the shortcut for ASCII texts; tests hold the two
// to the same results.
std::string ProperCaseByIcu(std::string_view text);

}  // namespace tunedex
