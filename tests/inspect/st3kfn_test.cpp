// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "inspect/kfnreader.h"
#include "inspect/st3reader.h"
#include "support/songfilebuilders.h"

namespace tunedex {
namespace {

using test::AsBytes;
using Lines = InfoLines;

TEST(StarDataTest, SplitsFieldsAtZeroRuns) {
  const std::string file = test::StarDataFile(
      300, {{20, std::string("FIRST\0\0SECOND", 13)}, {132, "the singer"}, {228, "desc"}});
  Lines lines;
  EXPECT_TRUE(ReadSt3Info(AsBytes(file), lines));
  EXPECT_EQ(lines, (Lines{"Filetype: STAR DATA V3", "Song Title: First", "\tSECOND",
                          "Lyrics by: ", "Singer: The Singer",
                          "Midi by: ", "Lyric synch by: ", "Description: Desc"}));
  tSongRecord record;
  EXPECT_TRUE(ReadSt3Record(AsBytes(file), record));
  EXPECT_EQ(record.Title(), "First");
  EXPECT_EQ(record.Artist(), "The Singer");
  EXPECT_TRUE(record.HasLyrics());
  EXPECT_EQ(record.InternalFormat(), 2);
}

TEST(StarDataTest, AShortHeaderShowsTheFieldsThatExist) {
  Lines lines;
  ReadSt3Info(AsBytes(test::StarDataFile(200, {{196, "ab"}})), lines);
  EXPECT_EQ(lines.back(), "Lyric synch by: Ab") << "no Description line";
}

TEST(StarDataTest, RecordNeedsMoreThan177Bytes) {
  tSongRecord record;
  EXPECT_FALSE(ReadSt3Record(AsBytes(test::StarDataFile(177, {{20, "t"}})), record));
  EXPECT_EQ(record.InternalFormat(), 0);
  EXPECT_FALSE(ReadSt3Record(AsBytes(test::StarDataFile(178, {})), record));
  EXPECT_EQ(record.Artist(), "");
  EXPECT_EQ(record.InternalFormat(), 2);
}

TEST(KfnTest, ReadsTheHeaderBlock) {
  const std::string block = test::KfnBlock(
      {{8, "song title"}, {72, "artist"}, {720, "2003"}, {752, test::LE32(17)}, {756, "ENG"}});
  Lines lines;
  EXPECT_TRUE(ReadKfnInfo(AsBytes(block), 1, lines));
  EXPECT_EQ(lines, (Lines{"KFUN v0.9 karaoke file", "Title: song title", "Artist: artist",
                          "Year: 2003", "Genre: Rock", "Language: ENG"}));
  tSongRecord record;
  EXPECT_TRUE(ReadKfnRecord(AsBytes(block), 1, record));
  EXPECT_EQ(record.Title(), "Song Title");
  EXPECT_TRUE(record.HasLyrics());
  EXPECT_EQ(record.InternalFormat(), 7);
}

TEST(KfnTest, UnknownGenreAndAShortFile) {
  const std::string block = test::KfnBlock({{752, test::LE32(1000)}});
  Lines lines;
  ReadKfnInfo(AsBytes(block), 1, lines);
  EXPECT_EQ(lines, (Lines{"KFUN v0.9 karaoke file", "Genre: Unknown"}));
  lines.clear();
  ReadKfnInfo(AsBytes(test::KfnBlock({{8, "short"}}).substr(0, 100)), 1, lines);
  EXPECT_EQ(lines, (Lines{"KFUN v0.9 karaoke file", "Title: short", "Genre: Blues"}));
}

TEST(KfnTest, APackedFileKeepsItsBlockBeforeTheEnd) {
  const std::string file = test::PackedKfnFile(test::KfnBlock({{8, "packed"}}), 1200);
  Lines lines;
  ReadKfnInfo(AsBytes(file), 2, lines);
  EXPECT_EQ(lines[0], "KFUN v0.92 karaoke file");
  EXPECT_EQ(lines[1], "Title: packed");
}

}  // namespace
}  // namespace tunedex
