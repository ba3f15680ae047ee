// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/songtype.h"

#include <gtest/gtest.h>

namespace tunedex {
namespace {

struct ExtensionCase {
  const char* fileName;
  std::uint8_t type;
};

class ExtToSongTypeTest : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtToSongTypeTest, RecognisesTablePrefixesOnly) {
  EXPECT_EQ(ExtToSongType(GetParam().fileName), GetParam().type) << GetParam().fileName;
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, ExtToSongTypeTest,
    testing::Values(ExtensionCase{"a.kar", 1}, ExtensionCase{"a.KA", 1}, ExtensionCase{"a.st3", 2},
                    ExtensionCase{"a.St", 2}, ExtensionCase{"a.midi", 3},
                    ExtensionCase{"song.MID", 3}, ExtensionCase{"song.mi", 3},
                    ExtensionCase{"a.rmid", 4}, ExtensionCase{"song.RMI", 4},
                    ExtensionCase{"a.rm", 4}, ExtensionCase{"a.mp3", 5}, ExtensionCase{"a.mp", 5},
                    ExtensionCase{"a.wma", 6}, ExtensionCase{"a.wm", 6}, ExtensionCase{"a.kfn", 7},
                    ExtensionCase{"a.kf", 7}, ExtensionCase{"a.mpg", 8}, ExtensionCase{"a.mpeg", 8},
                    ExtensionCase{"song.mpe", 8},
                    // Substrings that start inside a table entry, and everything else.
                    ExtensionCase{"song.peg", 0}, ExtensionCase{"song.AR", 0},
                    ExtensionCase{"song.ID", 0}, ExtensionCase{"song.MA", 0},
                    ExtensionCase{"song.a", 0}, ExtensionCase{"song", 0}, ExtensionCase{"song.", 0},
                    ExtensionCase{"x.kar.bak", 0}, ExtensionCase{"song.mpeg2", 0},
                    ExtensionCase{"song.karaoke", 0}, ExtensionCase{"song.mp4", 0},
                    ExtensionCase{"/music/a.b/song", 0}));

TEST(SongTypeNameTest, NamesEveryCode) {
  const char* names[] = {"", "KAR", "ST3", "MIDI", "RMID", "MP3", "WMA", "KFN", "MPEG", ""};
  for (std::uint8_t code = 0; code <= 9; ++code) {
    EXPECT_EQ(SongTypeName(code), names[code]) << int(code);
  }
  EXPECT_EQ(SongTypeName(255), "");
}

TEST(SongTypeBitTest, TypeNIsBitNMinusOne) {
  EXPECT_EQ(SongTypeBit(kSongTypeKar), 1u);
  EXPECT_EQ(SongTypeBit(kSongTypeMpeg), 128u);
  EXPECT_EQ(SongTypeBit(kSongTypeNone), 0u);
}

}  // namespace
}  // namespace tunedex
