// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/id3reader.h"

#include <gtest/gtest.h>

#include "support/songfilebuilders.h"

namespace tunedex {
namespace {

using test::AsBytes;
using Lines = InfoLines;

TEST(GenreNameTest, HasTheWholeTable) {
  EXPECT_EQ(GenreName(0), "Blues");
  EXPECT_EQ(GenreName(17), "Rock");
  EXPECT_EQ(GenreName(67), "Psychadelic");
  EXPECT_EQ(GenreName(133), "Negerpunk");
  EXPECT_EQ(GenreName(147), "Synthpop");
  EXPECT_EQ(GenreName(148), "");
}

TEST(Id3v1Test, ShowsTheFieldsThatHaveText) {
  const std::string file =
      std::string(500, '\x11') + test::Id3v1Tag("  waterloo ", "ABBA", "", "2001", "great", 13);
  Lines lines;
  EXPECT_TRUE(ReadId3v1Info(AsBytes(file), lines));
  EXPECT_EQ(lines, (Lines{"MP3 (ID3v1) MUSIC FILE", "Title: waterloo", "Artist: ABBA", "Year: 2001",
                          "Comments: great", "Genre: Pop"}));
  tSongRecord record;
  EXPECT_TRUE(ReadId3v1Record(AsBytes(file), record));
  EXPECT_EQ(record.Title(), "Waterloo");
  EXPECT_EQ(record.Artist(), "Abba");
  EXPECT_EQ(record.InternalFormat(), 5);
}

TEST(Id3v1Test, GenreTwoFiftyFiveAndNoTag) {
  Lines lines;
  ReadId3v1Info(AsBytes(test::Id3v1Tag("t", "", "", "", "", 255)), lines);
  EXPECT_EQ(lines, (Lines{"MP3 (ID3v1) MUSIC FILE", "Title: t"}));
  lines.clear();
  tSongRecord record;
  EXPECT_FALSE(ReadId3v1Info(AsBytes(std::string(300, 'x')), lines));
  EXPECT_FALSE(ReadId3v1Record(AsBytes(std::string(300, 'x')), record));
  EXPECT_EQ(record.InternalFormat(), 5);
  EXPECT_TRUE(lines.empty());
}

TEST(Id3v2Test, ShowsFramesInTheirOrder) {
  const std::string file = test::Id3v2File({{"TYER", "1975"},
                                            {"TPE1", "QUEEN"},
                                            {"TIT2", "bohemian rhapsody"},
                                            {"COMM", std::string("eng\0short\0the comment", 21)},
                                            {"TCON", "(17)"},
                                            {"USLT", "words"},
                                            {"TCOM", std::string("mercury\0junk", 12)}});
  Lines lines;
  EXPECT_TRUE(ReadId3v2Info(AsBytes(file), lines));
  EXPECT_EQ(lines, (Lines{"MP3 (ID3v2.3.0) MUSIC FILE with Lyrics", "Title: bohemian rhapsody",
                          "Artist: QUEEN", "Composer: mercury", "Genre: Rock",
                          "Comments: the comment", "Year: 1975"}));
  tSongRecord record;
  ReadId3v2Record(AsBytes(file), record);
  EXPECT_EQ(record.Title(), "Bohemian Rhapsody");
  EXPECT_EQ(record.Artist(), "Queen");
}

TEST(Id3v2Test, GenreRule) {
  const std::pair<std::string, std::string> cases[] = {{"(17)", "Genre: Rock"},
                                                       {"(17)Pop", "Genre: Pop"},
                                                       {"Dance", "Genre: Dance"},
                                                       {"(200)", ""},
                                                       {"(x)", ""}};
  for (const auto& [text, line] : cases) {
    Lines lines;
    ReadId3v2Info(AsBytes(test::Id3v2File({{"TCON", text}})), lines);
    EXPECT_EQ(lines.size() > 1 ? lines[1] : "", line) << text;
  }
}

TEST(Id3v2Test, Utf16TextIsReducedToItsLowBytes) {
  const std::string file =
      test::Id3v2File({{"TIT2", "\xFF\xFE" + test::Utf16("Caf\xE9")}, {"TPE1", "x"}});
  Lines lines;
  ReadId3v2Info(AsBytes(file), lines);
  EXPECT_EQ(lines[1], "Title: Caf\xE9");
}

TEST(Id3v2Test, FrameLengthIsTheLastSizeByteOnly) {
  const std::string text(299, 'a');  // 300 bytes with the encoding byte: read as 44
  const std::string area = test::Id3v2Frame("TIT2", std::string(1, '\0') + text) + "tail";
  EXPECT_EQ(FindFrameText(AsBytes(area), "TIT2"), std::string(43, 'a'));
  EXPECT_EQ(FindFrameText(AsBytes(area), "TPE1"), "");
}

TEST(Id3v2Test, ATagLargerThanTheFirstReadIsReadFromTheFile) {
  const std::string file = test::Id3v2File({{"TXXX", std::string(5000, 'p')}, {"TIT2", "late"}});
  Lines lines;
  ReadId3v2Info(AsBytes(file), lines);
  EXPECT_EQ(lines[1], "Title: late");
}

TEST(Id3v2Test, MissingTitleAndArtistBecomeQuestionMarks) {
  const std::string file = test::Id3v2File({{"TENC", "lame"}});
  Lines lines;
  ReadId3v2Info(AsBytes(file), lines);
  EXPECT_EQ(lines, (Lines{"MP3 (ID3v2.3.0) MUSIC FILE", "Encoder: lame"}));
  tSongRecord record;
  ReadId3v2Record(AsBytes(file), record);
  EXPECT_EQ(record.Title(), "?");
  EXPECT_EQ(record.Artist(), "?");
}

TEST(Id3v2Test, TheSizeBytesKeepTheirTopBits) {
  // 0x80 in the last size byte counts 128, not 0: the frame after 128 bytes of padding is read.
  std::string file = std::string("ID3\x03\0\0\0\0\0\x80", 10) + std::string(118, '\0') +
                     test::Id3v2Frame("TIT2", std::string("\0ab", 3));
  EXPECT_EQ(FindFrameText(Id3v2TagArea(AsBytes(file)), "TIT2"), "");
  file[9] = '\x7F';
  EXPECT_EQ(FindFrameText(Id3v2TagArea(AsBytes(file)), "TIT2"), "");
  file[9] = static_cast<char>(0x80 + 13);
  EXPECT_EQ(FindFrameText(Id3v2TagArea(AsBytes(file)), "TIT2"), "ab");
}

}  // namespace
}  // namespace tunedex
