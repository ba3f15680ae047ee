// SPDX-License-Identifier: GPL-3.0-or-later
#include "collationprefix.h"

#include <unicode/utf8.h>

#include <array>

#include "common/recordtext.h"

namespace tunedex {

CollationPrefixKeys::CollationPrefixKeys() : CollationPrefixKeys(UserPrimaryRanks()) {}

CollationPrefixKeys::CollationPrefixKeys(const PrimaryRanks& ranks) : m_ranks(ranks) {}

CollationPrefixKeys::Key CollationPrefixKeys::Add(std::string_view stored) {
  const std::size_t start = m_bytes.size();
  // A key has at most one byte per character and its end.
  m_bytes.resize(start + stored.size() + 1);
  std::uint8_t* const begin = m_bytes.data() + start;
  const auto* text = reinterpret_cast<const std::uint8_t*>(stored.data());
  std::uint8_t* end = nullptr;
  if (!IsStoredAsUtf8(stored)) {  // ASCII too
    end = Write(begin, stored.size(), [&](std::size_t i) { return m_ranks.cp1252Bytes[text[i]]; });
  } else {
    std::array<std::uint16_t, 256> ranks;
    std::size_t count = 0;
    const auto size = static_cast<std::int32_t>(std::min<std::size_t>(stored.size(), 255));
    for (std::int32_t i = 0; i < size;) {
      UChar32 c = 0;
      U8_NEXT(text, i, size, c);
      const bool inTable = c >= 0 && static_cast<char32_t>(c) < PrimaryRanks::kCodePoints;
      ranks[count++] =
          inTable ? m_ranks.codePoints[static_cast<std::size_t>(c)] : PrimaryRanks::kUnranked;
    }
    end = Write(begin, count, [&](std::size_t i) { return ranks[i]; });
  }
  const auto length = static_cast<std::size_t>(end - begin);
  m_bytes.resize(start + length);
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) prefix = (prefix << 8) | (i < length ? begin[i] : 0u);
  return {prefix, static_cast<std::uint32_t>(start)};
}

template <typename RankAt>
std::uint8_t* CollationPrefixKeys::Write(std::uint8_t* out, std::size_t count, RankAt rankAt) {
  bool tie = false;
  std::uint16_t rank = count > 0 ? rankAt(0) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t next = i + 1 < count ? rankAt(i + 1) : 0;
    // A character that may join this one (a contraction, a combining mark) leaves it to the
    // collator as well.
    if (rank == PrimaryRanks::kUnranked || (next & PrimaryRanks::kContinues) != 0) {
      *out++ = kOpen;
      return out;
    }
    if ((rank & PrimaryRanks::kIgnorable) != 0) {
      tie = true;
    } else {
      *out++ = static_cast<std::uint8_t>(rank & PrimaryRanks::kRankBits);
      tie = tie || (rank & PrimaryRanks::kPlain) == 0;
    }
    rank = next;
  }
  *out++ = tie ? kTie : kEnd;
  return out;
}

int CollationPrefixKeys::CompareWhole(const Key& a, const Key& b) const {
  const std::uint8_t* x = m_bytes.data() + a.offset;
  const std::uint8_t* y = m_bytes.data() + b.offset;
  while (*x == *y) {
    if (*x == kEnd) return 0;
    if (*x == kTie || *x == kOpen) return kUndecided;
    ++x;
    ++y;
  }
  // The keys differ here: the same decision as for prefixes that differ in this byte.
  return ComparePrefixes(*x, *y);
}

}  // namespace tunedex
