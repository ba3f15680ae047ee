// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "common/collation.h"
#include "common/textcase.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

class UserTextTest : public testing::Test {
 protected:
  void SetUp() override { SetUserLocale("en_US"); }
};

TEST(IcuLocaleFromPosixTest, DropsCodesetAndModifier) {
  EXPECT_EQ(IcuLocaleFromPosix("sv_SE.UTF-8"), "sv_SE");
  EXPECT_EQ(IcuLocaleFromPosix("de_DE@euro"), "de_DE");
  EXPECT_EQ(IcuLocaleFromPosix("C"), "");
  EXPECT_EQ(IcuLocaleFromPosix("POSIX"), "");
  EXPECT_EQ(IcuLocaleFromPosix("C.UTF-8"), "");
}

TEST_F(UserTextTest, ComparesIgnoringCaseButNotAccents) {
  EXPECT_EQ(CompareUserText("Abba", "ABBA"), 0);
  EXPECT_TRUE(EqualsIgnoringCase("eng", "ENG"));
  EXPECT_NE(CompareUserText("cafe", "caf\xE9"), 0);
  EXPECT_LT(CompareUserText("apple", "Banana"), 0) << "not byte order";
}

TEST_F(UserTextTest, AnUnknownLocaleComparesByTheRootCollation) {
  SetUserLocale("xx_YY");
  EXPECT_EQ(CompareUserText("Abba", "ABBA"), 0);
  EXPECT_LT(CompareUserText("\xC3\x96l", "Zebra"), 0);
}

TEST_F(UserTextTest, SortKeysOrderAsTheComparisonDoes) {
  const char* texts[] = {"a", "B", "ab", "Ab", "\xC3\xA5", "z", "", "10", "9"};
  for (const char* a : texts) {
    for (const char* b : texts) {
      const int compared = CompareUserText(a, b);
      const int keyed = UserSortKey(a).compare(UserSortKey(b));
      EXPECT_EQ(compared < 0, keyed < 0) << a << " / " << b;
      EXPECT_EQ(compared == 0, keyed == 0) << a << " / " << b;
    }
  }
}

struct ProperCaseCase {
  std::string input;
  std::string output;
};

class ProperCaseTest : public testing::TestWithParam<ProperCaseCase> {};

TEST_P(ProperCaseTest, CapitalisesWords) {
  EXPECT_EQ(ProperCase(GetParam().input), GetParam().output) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Words, ProperCaseTest,
    testing::Values(ProperCaseCase{"DON'T STOP ME NOW", "Don't Stop Me Now"},
                    ProperCaseCase{"rock-and-roll", "Rock-And-Roll"},
                    ProperCaseCase{"(live)", "(Live)"},
                    ProperCaseCase{"o'neil mc-donald", "O'neil Mc-Donald"}, ProperCaseCase{"", ""},
                    ProperCaseCase{"x", "X"}, ProperCaseCase{"99 LUFTBALLONS", "99 Luftballons"},
                    // Windows-1252 bytes stay Windows-1252; Latin-1 letters are word characters.
                    ProperCaseCase{"\xC9T\xC9 \xC0 PARIS", "\xC9t\xE9 \xC0 Paris"},
                    ProperCaseCase{"STRA\xDF"
                                   "E",
                                   "Stra\xDF"
                                   "e"},
                    // Bytes outside the Latin-1 letters (here the 1252 S-caron) are not.
                    ProperCaseCase{"A\x8AKO", "A\x9AKo"},
                    // A UTF-8 text stays UTF-8 and its letters are word characters.
                    ProperCaseCase{"\xCE\xA9MEGA \xC5\xA0KODA", "\xCE\xA9mega \xC5\xA0koda"}));

// ASCII texts take a shortcut past ICU; every text must come out as the ICU path makes it.
TEST(ProperCaseShortcutTest, GivesWhatTheIcuPathGives) {
  std::vector<std::string> texts = {
      "DON'T STOP ME NOW", "o'neil mc-donald", "  leading and trailing  ", "a_b_c", "x1y2 z3",
      "tab\tand\nbreak", "@Tsome title", "ALL-CAPS_WITH.DOTS/AND\\SLASHES", "'quoted'",
      std::string("zero\0byte", 9), "\x7F\x01control",
      // Not ASCII: the ICU path itself, whatever the shortcut does.
      "caf\xE9 OLE", "\xC9T\xC9 \xC0 PARIS", "A\x8AKO", "\xCE\xA9MEGA \xC5\xA0KODA",
      "ascii then \xFF", "\xC3\xA9t\xC3\xA9 ete"};
  // Every pair of ASCII bytes, so that each byte is met after each kind of byte.
  for (int first = 0; first < 0x80; ++first) {
    for (int second = 0; second < 0x80; ++second) {
      texts.push_back({static_cast<char>(first), static_cast<char>(second), 'a', 'B'});
    }
  }
  for (const std::string& text : texts) {
    EXPECT_EQ(ProperCase(text), ProperCaseByIcu(text)) << testing::PrintToString(text);
  }
}

TEST_F(UserTextTest, ContainsTextGivesTheOneBasedPositionIgnoringCase) {
  EXPECT_EQ(ContainsText("abba", "Dancing ABBA"), 9u);
  EXPECT_EQ(ContainsText("ABBA", "abba"), 1u);
  EXPECT_EQ(ContainsText("queen", "Dancing ABBA"), 0u);
  EXPECT_EQ(ContainsText("", "anything"), 0u);
  EXPECT_EQ(ContainsText("\xC3\xA9t\xC3\xA9", "L'\xC9T\xC9"), 3u);  // UTF-8 needle, 1252 text
  EXPECT_EQ(ContainsText("ss",
                         "Stra\xC3\x9F"
                         "e"),
            5u);  // ß upper-cases to SS
  EXPECT_EQ(ContainsText("\xC3\xA9", "cafe"), 0u);
}

TEST_F(UserTextTest, ContainsTextUpperCasesWithTheUserLocale) {
  EXPECT_EQ(ContainsText("i", "ISTANBUL"), 1u);
  SetUserLocale("tr_TR");  // Turkish i upper-cases to a dotted capital I
  EXPECT_EQ(ContainsText("i", "ISTANBUL"), 0u);
  EXPECT_EQ(ContainsText("i", "\xC4\xB0stanbul"), 1u);
}

TEST_F(UserTextTest, TextMatcherTestsPrefixes) {
  const TextMatcher matcher("le0");
  EXPECT_TRUE(matcher.IsPrefixOf("LE001"));
  EXPECT_FALSE(matcher.IsPrefixOf("ALE001"));
  EXPECT_FALSE(matcher.IsPrefixOf("LE"));
  EXPECT_FALSE(TextMatcher("").IsPrefixOf("LE001"));
  EXPECT_TRUE(TextMatcher("\xC3\xA5").IsPrefixOf("\xC5sa"));
}

TEST_F(UserTextTest, FoldsFileNamesByUnicodeCaseFolding) {
  EXPECT_EQ(FoldCase("C:\\Songs\\A.KAR"), "c:\\songs\\a.kar");
  EXPECT_EQ(FoldCase("/M\xC3\x9CSIC/\xC3\x85SA"), FoldCase("/m\xC3\xBCsic/\xC3\xA5sa"));
  EXPECT_EQ(FoldCase("Stra\xC3\x9F"
                     "e"),
            FoldCase("STRASSE"));
  // Every ASCII byte, the letters' neighbours ("@", "[", "`", "{") included, folds as Unicode
  // folds it: only A to Z change.
  std::string ascii;
  for (int byte = 1; byte < 0x80; ++byte) ascii += static_cast<char>(byte);
  std::string folded;
  for (const char ch : ascii) {
    folded += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  }
  EXPECT_EQ(FoldCase(ascii), folded);
  EXPECT_EQ(FoldCase(ascii + "\xC3\xA9"), folded + "\xC3\xA9") << "the same through ICU";
}

}  // namespace
}  // namespace tunedex
