// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/recordtext.h"

#include <gtest/gtest.h>

namespace tunedex {
namespace {

struct DecodeCase {
  std::string stored;
  std::string shown;
};

class DecodeRecordTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeRecordTextTest, ReadsUtf8OnlyWhenValidWithAMultiByteSequence) {
  EXPECT_EQ(DecodeRecordText(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecodeRecordTextTest,
    testing::Values(DecodeCase{"plain", "plain"},
                    DecodeCase{"caf\xE9", "caf\xC3\xA9"},                    // Windows-1252
                    DecodeCase{"\x80 \x9F", "\xE2\x82\xAC \xC5\xB8"},        // € Ÿ
                    DecodeCase{"caf\xC3\xA9", "caf\xC3\xA9"},                // UTF-8
                    DecodeCase{"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},  // invalid UTF-8
                    DecodeCase{"\x81", "\xC2\x81"}));  // a byte the code page leaves undefined

TEST(EncodeRecordTextTest, RoundTripsEveryTextWithinTheLimit) {
  for (const std::string& text :
       std::vector<std::string>{"plain", "caf\xC3\xA9 \xE2\x82\xAC", "\xCE\xA9mega",
                                "\xC3\x83\xC2\xA9",  // "Ã©", whose Windows-1252 bytes are UTF-8
                                "\xF0\x9F\x8E\xA4 mic", "\xC2\x81"}) {
    const std::string stored = EncodeRecordText(text, 80);
    EXPECT_EQ(DecodeRecordText(stored), text) << text;
  }
  EXPECT_EQ(EncodeRecordText("\xC3\x83\xC2\xA9", 80), "\xC3\x83\xC2\xA9") << "kept as UTF-8";
  EXPECT_EQ(EncodeRecordText("caf\xC3\xA9", 80), "caf\xE9");
}

TEST(EncodeRecordTextTest, CutsAtTheByteLimitNeverInsideACharacter) {
  EXPECT_EQ(EncodeRecordText("abcdef", 3), "abc");
  EXPECT_EQ(EncodeRecordText("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xE9\xE9");  // Windows-1252
  EXPECT_EQ(EncodeRecordText("a\xF0\x9F\x8E\xA4", 4), "a");                // emoji needs 4
  EXPECT_EQ(EncodeRecordText("\xCE\xA9\xCE\xA9", 3), "\xCE\xA9");
  EXPECT_EQ(EncodeRecordText("", 3), "");
}

// ASCII texts are stored as they are, cut at the limit; a text with one byte more is not ASCII
// and goes the long way.
TEST(EncodeRecordTextTest, StoresAsciiAsItIsAndOtherTextsTheLongWay) {
  struct Case {
    std::string text;
    std::size_t limit;
    std::string stored;
  };
  const Case cases[] = {
      {"Don't Stop Me Now", 80, "Don't Stop Me Now"},
      {"Don't Stop Me Now", 5, "Don't"},
      {std::string("a\0b\x7F", 4), 80, std::string("a\0b\x7F", 4)},
      {"exactly eight", 13, "exactly eight"},
      {"", 0, ""},
      {"abc", 0, ""},
      {"seven..\xC3\xA9", 80, "seven..\xE9"},
      {"seven..\xC3\xA9", 7, "seven.."},
      {"eight...\xCE\xA9", 80, "eight...\xCE\xA9"},
      {"eight...\xCE\xA9", 9, "eight..."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeRecordText(c.text, c.limit), c.stored)
        << testing::PrintToString(c.text) << " within " << c.limit;
  }
}

TEST(EncodeRecordTextTest, ReplacesInvalidUtf8Input) {
  EXPECT_EQ(DecodeRecordText(EncodeRecordText("a\xFF", 10)), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tunedex
