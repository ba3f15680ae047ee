// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/midireader.h"

#include <gtest/gtest.h>

#include "support/songfilebuilders.h"

namespace tunedex {
namespace {

using test::AsBytes;
using test::MidiFile;
using Lines = InfoLines;

const std::vector<test::MetaText> kKaraoke = {
    {1, "@KMIDI KARAOKE FILE"}, {1, "@V0100"}, {1, "@Tmy song"}, {1, "@Tsome singer"}};

TEST(KaraokeMidiTest, ShowsTagsInOrderWithCapitalisedTitles) {
  const std::string file = MidiFile(kKaraoke);
  Lines lines;
  EXPECT_TRUE(ReadMidiInfo(AsBytes(file), 4, lines));
  EXPECT_EQ(lines, (Lines{"Filetype: MIDI KARAOKE FILE", "Version: 0100", "Song Title: My Song",
                          "Artist: Some Singer"}));
  tSongRecord record;
  ReadMidiRecord(AsBytes(file), record);
  EXPECT_EQ(record.Title(), "My Song");
  EXPECT_EQ(record.Artist(), "Some Singer");
  EXPECT_TRUE(record.HasLyrics());
  EXPECT_EQ(record.InternalFormat(), 1);
}

TEST(KaraokeMidiTest, TitleTagsCycleThroughTitleArtistCopyright) {
  std::vector<test::MetaText> events = kKaraoke;
  events.push_back({1, "@Tacme records"});
  events.push_back({1, "@Tfourth"});
  events.push_back({1, "@T"});  // too short: ignored
  events.push_back({1, "@Linternational"});
  events.push_back({1, "@Ssomething else"});  // a letter that is not acted on
  Lines lines;
  ReadKarInfo(AsBytes(MidiFile(events)), 4, lines);
  EXPECT_EQ(lines, (Lines{"Filetype: MIDI KARAOKE FILE", "Version: 0100", "Song Title: My Song",
                          "Artist: Some Singer", "Copyright: Acme Records", "Song Title: Fourth",
                          "Language: international"}));
}

TEST(MidiTest, ShowsTrackNamesAndTextsOfAPlainFile) {
  const std::string file = MidiFile(
      {{3, "INTRO"}, {3, "piano"}, {1, "j. bach\n"}, {3, "drums"}, {2, "(c) someone"}, {1, "go"}});
  Lines lines;
  EXPECT_FALSE(ReadMidiInfo(AsBytes(file), 4, lines)) << "no lyric event";
  EXPECT_EQ(lines, (Lines{"MIDI MUSIC FILE", "Song Title: Intro", "Artist: Piano",
                          "Author: J. Bach", "CopyRight: (C) Someone"}))
      << "the line feed is dropped; a two-letter text is ignored";
  tSongRecord record;
  ReadMidiRecord(AsBytes(file), record);
  EXPECT_EQ(record.Title(), "Intro");
  EXPECT_EQ(record.Artist(), "Piano");
  EXPECT_FALSE(record.HasLyrics());
  EXPECT_EQ(record.InternalFormat(), 3);
}

TEST(MidiTest, TheFirstLyricMarksTheHeading) {
  const std::string file = MidiFile({{3, "song"}, {3, "band"}, {5, "hello "}, {5, "world"}});
  Lines lines;
  EXPECT_TRUE(ReadMidiInfo(AsBytes(file), 4, lines));
  EXPECT_EQ(lines, (Lines{"MIDI MUSIC FILE with Lyrics", "Song Title: Song", "Artist: Band",
                          "Lyrics: Hello "}));
}

TEST(MidiTest, MoreThanTwentyLyricEventsMeanLyrics) {
  for (const auto& [count, lyrics] : {std::pair{20, false}, std::pair{21, true}}) {
    std::vector<test::MetaText> events = {{3, "title"}, {3, "artist"}};
    for (int i = 0; i < count; ++i) events.push_back({5, "la la"});
    tSongRecord record;
    ReadMidiRecord(AsBytes(MidiFile(events)), record);
    EXPECT_EQ(record.HasLyrics(), lyrics) << count;
  }
}

TEST(MidiTest, ARiffWrappedFileReadsLikeAPlainOne) {
  tSongRecord record;
  ReadMidiRecord(AsBytes(test::RmidFile({{3, "wrapped"}, {3, "artist"}})), record);
  EXPECT_EQ(record.Title(), "Wrapped");
  EXPECT_EQ(record.InternalFormat(), 4);
}

TEST(MidiTest, TextsLongerThanTheFileAreCutAtItsEnd) {
  std::string file = MidiFile({{3, "fine"}});
  file += std::string(
      "\0\xFF\x03\x7F"
      "cut",
      7);  // claims 127 bytes, has 3
  Lines lines;
  ReadMidiInfo(AsBytes(file), 4, lines);
  EXPECT_EQ(lines.back(), "Artist: Cut");
}

}  // namespace
}  // namespace tunedex
