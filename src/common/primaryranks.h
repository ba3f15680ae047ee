// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace tunedex {

// The primary weights of the user's collation for the characters of Latin texts, as small
// ranks, so that most texts can be ordered without the collator.
//
// At secondary strength the collator compares the sequences of primary weights of two texts
// first; only texts whose sequences are equal go on to accents. A character gets a rank when it
// contributes exactly one primary weight: one collation element, or several of which only the
// first has a primary weight ("e" with an acute accent has the rank of "e", and is not plain).
// Characters without any primary weight (controls, and blanks and punctuation where the locale
// ignores them) are ignorable. Characters that expand to several primary weights, and digits
// under numeric collation, are unranked. A character that continues a contraction or a context
// ("h" after "c" in Czech, the second "a" of "aa" in Danish) is marked: the character before it
// may not stand for itself.
struct PrimaryRanks {
  // Code points below this are in the table; others are unranked.
  static constexpr char32_t kCodePoints = 0x250;

  // An entry is a rank in its low byte, with flags above it.
  static constexpr std::uint16_t kRankBits = 0xFF;
  static constexpr std::uint16_t kPlain = 0x100;      // the lower-level weights of plain letters
  static constexpr std::uint16_t kContinues = 0x200;  // may join the character before it
  static constexpr std::uint16_t kIgnorable = 0x400;  // no primary weight; rank 0
  static constexpr std::uint16_t kUnranked = 0xFFFF;  // needs the collator (has every flag)
  // Ranks run from kFirstRank up to at most kLastRank.
  static constexpr std::uint16_t kFirstRank = 2;
  static constexpr std::uint16_t kLastRank = 0xFE;

  std::array<std::uint16_t, kCodePoints> codePoints;  // texts stored as UTF-8
  std::array<std::uint16_t, 256> cp1252Bytes;         // texts stored as Windows-1252
};

const PrimaryRanks& UserPrimaryRanks();

}  // namespace tunedex
