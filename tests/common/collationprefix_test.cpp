// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/collationprefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/collation.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

// Stored texts (UTF-8, or Windows-1252 bytes) where a shortcut could go wrong: case, accents
// as one character and as a combining mark, contractions of some locales ("ch", "cs", "dzs",
// "aa", "l" and a middle dot), ignorable controls, blanks and punctuation, digits, letters
// ordered after "z" in some locales, and texts that begin one another.
const std::vector<std::string> kTexts = {
    "",
    "a",
    "A",
    "ab",
    "Ab",
    "abc",
    "abc\x01",
    "a\x01"
    "bc",
    "a b",
    "a-b",
    "ab ",
    "b",
    "Ba",
    "c",
    "ch",
    "Cha",
    "cz",
    "h",
    "hz",
    "cs",
    "cz",
    "dz",
    "dzs",
    "d",
    "aa",
    "Aabenraa",
    "az",
    "l",
    "l\xC2\xB7l",
    "l\xB7l",
    "ll",
    "lz",
    "v",
    "w",
    "y",
    "i",
    "z",
    "10",
    "9",
    "1a",
    "caf\xC3\xA9",
    "caf\xE9",
    "cafe",
    "cafe\xCC\x81",
    "Caf\xC3\xA9s",
    "\xC3\xA9t\xC3\xA9",
    "ete",
    "\xC3\x96l",
    "\xD6l",
    "Ol",
    "Oz",
    "\xC3\xA5r",
    "ar",
    "\xC3\xA6",
    "ae",
    "\xC3\x9F",
    "ss",
    "st",
    "\x80uro",
    "\xE2\x82\xAC",
    "\xC5\x82\xC3\xB3"
    "d\xC5\xBA",
    "lod",
    "\xE3\x81\x82",
    "\xC3(",
    "The End",
    "the end",
    "The-End",
};

const char* const kLocales[] = {"",      "en_US", "sv_SE", "da_DK", "cs_CZ", "hu_HU",
                                "de_DE", "fr_CA", "ca_ES", "lt_LT", "pl_PL", "ja"};

int Sign(int value) {
  return (value > 0) - (value < 0);
}

TEST(CollationPrefixKeysTest, DecidedPairsCompareAsTheCollatorDoes) {
  for (const char* locale : kLocales) {
    SetUserLocale(locale);
    CollationPrefixKeys keys;
    std::vector<CollationPrefixKeys::Key> added;
    for (const std::string& text : kTexts) added.push_back(keys.Add(text));
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
      for (std::size_t j = 0; j < kTexts.size(); ++j) {
        const int decided = keys.Compare(added[i], added[j]);
        if (decided == CollationPrefixKeys::kUndecided) continue;
        EXPECT_EQ(decided, Sign(CompareUserText(kTexts[i], kTexts[j])))
            << locale << ": \"" << kTexts[i] << "\" / \"" << kTexts[j] << "\"";
      }
    }
  }
}

struct DecidedCase {
  const char* locale;
  std::string a;
  std::string b;
  int order;
};

// Pairs the keys must decide alone; a shortcut that leaves everything to the collator is no
// shortcut.
TEST(CollationPrefixKeysTest, DecidesPlainLatinTexts) {
  const DecidedCase cases[] = {
      {"en_US", "Abba", "Zoo", -1},
      {"en_US", "abba", "ABBA", 0},
      {"en_US", "The End", "The end", 0},
      {"en_US", "hello world", "hello", 1},
      {"en_US", "caf\xC3\xA9 x", "cafe z", -1},  // the accent only counts on equal letters
      {"en_US", "\xC3\x96l", "Ost", -1},
      {"sv_SE", "\xC3\x96l", "Zebra", 1},
      {"sv_SE", "Love", "love me", -1},
      {"cs_CZ", "hudba", "banka", 1},  // letters outside "ch" still decide
      {"", "a-b", "ab", -1},
  };
  for (const DecidedCase& c : cases) {
    SetUserLocale(c.locale);
    CollationPrefixKeys keys;
    const CollationPrefixKeys::Key a = keys.Add(c.a);
    const CollationPrefixKeys::Key b = keys.Add(c.b);
    EXPECT_EQ(keys.Compare(a, b), c.order) << c.locale << ": " << c.a << " / " << c.b;
    EXPECT_EQ(Sign(CompareUserText(c.a, c.b)), c.order) << c.locale << ": " << c.a << " / " << c.b;
  }
}

TEST(CollationPrefixKeysTest, LeavesContractionsAndAccentTiesToTheCollator) {
  const DecidedCase cases[] = {
      {"cs_CZ", "ch", "h", CollationPrefixKeys::kUndecided},
      {"da_DK", "aa", "z", CollationPrefixKeys::kUndecided},
      {"en_US", "caf\xC3\xA9", "cafe", CollationPrefixKeys::kUndecided},
      {"en_US", "cafe\xCC\x81", "cafe", CollationPrefixKeys::kUndecided},
      {"en_US", "ab\x01", "ab", CollationPrefixKeys::kUndecided},
  };
  for (const DecidedCase& c : cases) {
    SetUserLocale(c.locale);
    CollationPrefixKeys keys;
    const CollationPrefixKeys::Key a = keys.Add(c.a);
    const CollationPrefixKeys::Key b = keys.Add(c.b);
    EXPECT_EQ(keys.Compare(a, b), c.order) << c.locale << ": " << c.a << " / " << c.b;
  }
}

}  // namespace
}  // namespace tunedex
