// SPDX-License-Identifier: GPL-3.0-or-later
#include "primaryranks.h"

#include <unicode/ucoleitr.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/recordtext.h"
#include "common/usercollator.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

struct SetCloser {
  void operator()(USet* set) const { uset_close(set); }
};
using SetPointer = std::unique_ptr<USet, SetCloser>;

// The characters of the table: the code points below the limit and those Windows-1252 bytes
// stand for.
std::vector<UChar32> TableCharacters() {
  std::vector<UChar32> characters;
  for (UChar32 c = 0; c < static_cast<UChar32>(PrimaryRanks::kCodePoints); ++c) {
    characters.push_back(c);
  }
  for (int byte = 0x80; byte < 0xA0; ++byte) {
    const std::u16string decoded = DecodeRecordTextUtf16(std::string(1, static_cast<char>(byte)));
    if (decoded[0] >= PrimaryRanks::kCodePoints) characters.push_back(decoded[0]);
  }
  return characters;
}

// The table characters that continue a contraction or a context begun by a table character
// (the "h" of Czech "ch", the second "a" of Danish "aa", the middle dot after "l"). The
// character before one of them may not stand for itself.
std::vector<UChar32> ContinuingCharacters(const USet* contractions, const USet* table) {
  std::vector<UChar32> continuing;
  const int32_t items = uset_getItemCount(contractions);
  for (int32_t i = 0; i < items; ++i) {
    UChar32 first = 0;
    UChar32 last = 0;
    UChar text[64];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uset_getItem(contractions, i, &first, &last, text, 64, &status);
    if (U_FAILURE(status) || length < 2) continue;  // a single character, or longer than any
    int32_t k = 0;
    UChar32 c = 0;
    U16_NEXT(text, k, length, c);
    if (!uset_contains(table, c)) continue;
    while (k < length) {
      U16_NEXT(text, k, length, c);
      if (uset_contains(table, c)) continuing.push_back(c);
    }
  }
  return continuing;
}

struct Weights {
  std::string primary;  // the sort key's first level
  std::string rest;     // the other levels
};

std::optional<Weights> WeightsOf(UCollator* collator, UChar32 c) {
  UChar text[2];
  int32_t length = 0;
  U16_APPEND_UNSAFE(text, length, c);
  uint8_t key[128];
  const int32_t size = ucol_getSortKey(collator, text, length, key, sizeof key);
  if (size <= 0 || size > static_cast<int32_t>(sizeof key)) return std::nullopt;
  const std::string bytes(reinterpret_cast<const char*>(key), static_cast<std::size_t>(size));
  const std::size_t separator = bytes.find('\x01');  // never a byte of a weight
  if (separator == std::string::npos) return std::nullopt;
  return Weights{bytes.substr(0, separator), bytes.substr(separator)};
}

// The number of collation elements with a primary weight that a character gives.
int PrimaryElements(UCollator* collator, UChar32 c) {
  UChar text[2];
  int32_t length = 0;
  U16_APPEND_UNSAFE(text, length, c);
  UErrorCode status = U_ZERO_ERROR;
  UCollationElements* elements = ucol_openElements(collator, text, length, &status);
  if (U_FAILURE(status)) return -1;
  int count = 0;
  for (int32_t element = ucol_next(elements, &status);
       element != UCOL_NULLORDER && U_SUCCESS(status); element = ucol_next(elements, &status)) {
    const bool continuation = (element & 0xC0) == 0xC0;  // the rest of a long weight
    if (ucol_primaryOrder(element) != 0 && !continuation) ++count;
  }
  ucol_closeElements(elements);
  return U_SUCCESS(status) ? count : -1;
}

std::map<UChar32, std::uint16_t> ComputeRanks(UCollator* collator) {
  const std::vector<UChar32> characters = TableCharacters();
  SetPointer table(uset_openEmpty());
  for (UChar32 c : characters) uset_add(table.get(), c);

  UErrorCode status = U_ZERO_ERROR;
  SetPointer contractions(uset_openEmpty());
  SetPointer expansions(uset_openEmpty());
  ucol_getContractionsAndExpansions(collator, contractions.get(), expansions.get(), true, &status);
  if (U_FAILURE(status)) return {};
  // Under numeric collation a run of digits is one number: no digit stands for itself.
  status = U_ZERO_ERROR;
  const bool numeric = ucol_getAttribute(collator, UCOL_NUMERIC_COLLATION, &status) == UCOL_ON;

  std::map<UChar32, Weights> weights;
  std::map<std::string, int> restCounts;
  for (UChar32 c : characters) {
    if (numeric && c >= '0' && c <= '9') continue;
    const std::optional<Weights> w = WeightsOf(collator, c);
    if (!w) continue;
    weights[c] = *w;
    if (!w->primary.empty()) ++restCounts[w->rest];
  }
  if (restCounts.empty()) return {};
  const std::string plainRest =
      std::max_element(restCounts.begin(), restCounts.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      })->first;

  // Characters of one collation element carry one primary weight each; they are ranked in the
  // order of their weights (std::string compares unsigned bytes, the shorter first, as weights
  // compare). An expanding character is ranked only when its primary part is one of theirs.
  std::map<std::string, std::uint16_t> rankOfPrimary;
  for (const auto& [c, w] : weights) {
    if (!w.primary.empty() && !uset_contains(expansions.get(), c)) rankOfPrimary[w.primary] = 0;
  }
  std::uint16_t next = PrimaryRanks::kFirstRank;
  for (auto& [primary, rank] : rankOfPrimary) {
    rank = next <= PrimaryRanks::kLastRank ? next++ : PrimaryRanks::kUnranked;
  }

  std::map<UChar32, std::uint16_t> ranks;
  for (const auto& [c, w] : weights) {
    if (w.primary.empty()) {
      ranks[c] = PrimaryRanks::kIgnorable;
      continue;
    }
    const auto found = rankOfPrimary.find(w.primary);
    if (found == rankOfPrimary.end() || found->second == PrimaryRanks::kUnranked) continue;
    const bool expands = uset_contains(expansions.get(), c);
    if (expands && PrimaryElements(collator, c) != 1) continue;
    const bool plain = w.rest == plainRest && !expands;
    ranks[c] = static_cast<std::uint16_t>(found->second | (plain ? PrimaryRanks::kPlain : 0));
  }
  for (UChar32 c : ContinuingCharacters(contractions.get(), table.get())) {
    const auto found = ranks.find(c);
    if (found != ranks.end()) found->second |= PrimaryRanks::kContinues;
  }
  return ranks;
}

PrimaryRanks TableFor(UCollator* collator) {
  PrimaryRanks table;
  table.codePoints.fill(PrimaryRanks::kUnranked);
  table.cp1252Bytes.fill(PrimaryRanks::kUnranked);
  const std::map<UChar32, std::uint16_t> ranks = ComputeRanks(collator);
  const auto rankOf = [&](UChar32 c) {
    const auto found = ranks.find(c);
    return found == ranks.end() ? PrimaryRanks::kUnranked : found->second;
  };
  for (UChar32 c = 0; c < static_cast<UChar32>(PrimaryRanks::kCodePoints); ++c) {
    table.codePoints[static_cast<std::size_t>(c)] = rankOf(c);
  }
  for (int byte = 0; byte < 256; ++byte) {
    const std::u16string decoded = DecodeRecordTextUtf16(std::string(1, static_cast<char>(byte)));
    table.cp1252Bytes[static_cast<std::size_t>(byte)] = rankOf(decoded[0]);
  }
  return table;
}

}  // namespace

const PrimaryRanks& UserPrimaryRanks() {
  static PrimaryRanks table;
  static std::uint32_t generation = 0;
  if (generation != UserLocaleGeneration()) {
    table = TableFor(UserCollator());
    generation = UserLocaleGeneration();
  }
  return table;
}

}  // namespace tunedex
