// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/primaryranks.h"

namespace tunedex {

// Short keys that order most user texts as CompareUserText does, without the collator: the
// primary ranks of a text's leading characters (see PrimaryRanks).
//
// A key holds one byte per leading character: its rank, nothing for an ignorable one. It ends
// with kEnd when the text ended and all its characters were plain, kTie when the text ended but
// accents or ignorable characters may still tell it from another with the same ranks, or kOpen
// at the first character that needs the collator (an unranked one, or one followed by an
// unranked character or one that may join it). Two keys decide at their first differing
// byte, the shorter sequence of ranks first, unless kOpen is one of the two bytes or they are
// kEnd and kTie; identical keys ending in kEnd belong to texts that compare equal.
class CollationPrefixKeys {
 public:
  static constexpr std::uint8_t kEnd = 0;
  static constexpr std::uint8_t kTie = 1;
  static constexpr std::uint8_t kOpen = 0xFF;
  // What Compare returns when only the collator can tell.
  static constexpr int kUndecided = 2;

  // Keys under the user's locale as it is now.
  CollationPrefixKeys();
  explicit CollationPrefixKeys(const PrimaryRanks& ranks);

  void Reserve(std::size_t texts) { m_bytes.reserve(texts * 24); }

  struct Key {
    std::uint64_t prefix;    // the first eight bytes, big-endian, zero after the end
    std::uint32_t offset;    // where the whole key is
    std::uint32_t item = 0;  // the caller's, to tell what the key belongs to
  };

  // Adds the key of a stored record text.
  Key Add(std::string_view stored);

  // -1, 0 or 1 as the texts compare, or kUndecided.
  int Compare(const Key& a, const Key& b) const {
    return a.prefix != b.prefix ? ComparePrefixes(a.prefix, b.prefix) : CompareWhole(a, b);
  }
  // The same from two different prefixes alone.
  static int ComparePrefixes(std::uint64_t a, std::uint64_t b) {
    const int shift = 56 - (std::countl_zero(a ^ b) & ~7);
    const auto x = static_cast<std::uint8_t>(a >> shift);
    const auto y = static_cast<std::uint8_t>(b >> shift);
    if (x == kOpen || y == kOpen) return kUndecided;
    if (x < PrimaryRanks::kFirstRank && y < PrimaryRanks::kFirstRank) return kUndecided;
    return x < y ? -1 : 1;
  }

 private:
  template <typename RankAt>
  static std::uint8_t* Write(std::uint8_t* out, std::size_t count, RankAt rankAt);
  int CompareWhole(const Key& a, const Key& b) const;

  const PrimaryRanks& m_ranks;
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace tunedex
