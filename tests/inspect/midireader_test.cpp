// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/midireader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "common/textcase.h"
#include "inspect/formattests.h"
#include "inspect/songfilereader.h"
#include "song/songtype.h"
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

// Copyright events: neither title tags nor lyric events, they only push what follows further
// into the file.
std::vector<test::MetaText> Filler(int count) {
  return std::vector<test::MetaText>(static_cast<std::size_t>(count), {2, "(c) filler"});
}

std::vector<test::MetaText> Joined(std::initializer_list<std::vector<test::MetaText>> parts) {
  std::vector<test::MetaText> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<test::MetaText> Lyrics(int count) {
  return std::vector<test::MetaText>(static_cast<std::size_t>(count), {5, "la la "});
}

const std::vector<test::MetaText> kMarker = {{1, "@KMIDI KARAOKE FILE"}};
const std::vector<test::MetaText> kTitles = {{1, "@Tthe title"}, {1, "@Tthe singer"}};

// Reads the record head first over the file's bytes, noting how far into the file it asked.
tSongRecord ReadHeadFirst(const std::string& file, std::uint64_t& furthest) {
  const Bytes bytes = AsBytes(file);
  const Bytes head = Slice(bytes, 0, 4096);
  furthest = head.size();
  tSongRecord record;
  ReadMidiRecord(
      head,
      [&](std::uint64_t end) {
        furthest = std::max<std::uint64_t>(furthest, std::min<std::uint64_t>(end, bytes.size()));
        return Slice(bytes, 0,
                     static_cast<std::size_t>(std::min<std::uint64_t>(end, bytes.size())));
      },
      record);
  return record;
}

TEST(MidiRecordHeadFirstTest, GivesTheWholeFilesRecordWhereverItsPartsLie) {
  struct Case {
    const char* name;
    std::vector<test::MetaText> events;
    bool readsOnlyTheHead;
  };
  const Case cases[] = {
      {"tags and lyrics at the start", Joined({kMarker, kTitles, Lyrics(3000)}), true},
      {"title tags after the head", Joined({kMarker, Filler(1000), kTitles, Lyrics(3000)}), false},
      {"lyrics after the head", Joined({kMarker, kTitles, Filler(1000), Lyrics(3000)}), false},
      {"marker after the head", Joined({Filler(1000), kMarker, kTitles, Lyrics(30)}), false},
      {"too few lyrics anywhere", Joined({kMarker, kTitles, Lyrics(15), Filler(3000)}), false},
      {"one title tag", Joined({kMarker, {{1, "@Tonly"}}, Lyrics(3000)}), false},
      {"plain MIDI", Joined({{{3, "track"}, {3, "band"}}, Lyrics(3000)}), false},
  };
  for (const Case& c : cases) {
    const std::string file = MidiFile(c.events);
    tSongRecord whole;
    ReadMidiRecord(AsBytes(file), whole);
    std::uint64_t furthest = 0;
    EXPECT_EQ(ReadHeadFirst(file, furthest), whole) << c.name;
    if (c.readsOnlyTheHead)
      EXPECT_EQ(furthest, 4096u) << c.name;
    else
      EXPECT_GT(furthest, 4096u) << c.name;
  }
}

TEST(MidiRecordHeadFirstTest, ATitleTagAcrossTheEndOfWhatWasReadIsReadWhole) {
  // The second title tag moves across the end of what was read first (1 KiB when read from a
  // file, 4 KiB here), one filler event at a time.
  std::vector<int> fillers;
  for (int filler = 30; filler < 80; ++filler) fillers.push_back(filler);
  for (int filler = 260; filler < 330; ++filler) fillers.push_back(filler);
  for (const int filler : fillers) {
    const std::string file = MidiFile(Joined({kMarker,
                                              Lyrics(25),
                                              {{1, "@Tthe title"}},
                                              Filler(filler),
                                              {{1, "@Ta singer with a long name"}},
                                              Lyrics(5)}));
    tSongRecord whole;
    ReadMidiRecord(AsBytes(file), whole);
    ASSERT_EQ(whole.Artist(), "A Singer With A Long Name");
    std::uint64_t furthest = 0;
    EXPECT_EQ(ReadHeadFirst(file, furthest), whole) << filler;
    tSongRecord record;
    ReadSongRecordBytes(AsBytes(file), "/songs/x.kar", record,
                        [](const std::string&) { return false; });
    EXPECT_EQ(record.Artist(), "A Singer With A Long Name") << filler;
  }
}

TEST(MidiRecordHeadFirstTest, AKarFileWithItsTitleTagsPastTheHeadReadsRight) {
  const std::string file =
      MidiFile(Joined({kMarker, Filler(2000), kTitles, Lyrics(40), Filler(2000)}));
  ASSERT_GT(file.size(), 40'000u);
  tSongRecord record;
  ASSERT_TRUE(ReadSongRecordBytes(AsBytes(file), "/songs/late tags.kar", record,
                                  [](const std::string&) { return false; }));
  EXPECT_EQ(record.Title(), "The Title");
  EXPECT_EQ(record.Artist(), "The Singer");
  EXPECT_TRUE(record.HasLyrics());
  EXPECT_EQ(record.InternalFormat(), kSongTypeKar);
}

// The karaoke record scan over hand-made bytes: which "@T" texts are title tags, and tags cut by
// the end of the bytes.
TEST(KaraokeRecordTest, TakesOnlyTextEventsOfMoreThanTwoBytesAsTitleTags) {
  struct Case {
    std::string events;  // after the marker event
    const char* title;
    const char* artist;
  };
  const Case cases[] = {
      {std::string("\xFF\x01\x07@Tfirst\0\xFF\x01\x08@Tsecond", 22), "First", "Second"},
      {std::string("\xFF\x01\x02@T\xFF\x01\x05@Tone", 13), "One", ""},
      {std::string("\xFF\x02\x07@Tfirst\xFF\x01\x05@Tone", 18), "One", ""},
      {std::string("\xFF\x05\x07@Tfirst\xFF\x01\x05@Tone", 18), "One", ""},
      {std::string("\xFF\x01\x07@Kfirst\xFF\x01\x05@Tone", 18), "One", ""},
      {std::string("\xFF\x01\x30@Tcut short", 14), "Cut Short", ""},
      {std::string("\xFF\x01\x07@Tfirst\xFF\x01\x05@T", 15), "First", ""},
      {std::string("\xFF\x01\x07@Tfirst\xFF\x01\x05@", 14), "First", ""},
      {std::string("@Tloose\xFF\x01\x04@Tab", 14), "Ab", ""},
  };
  const std::string start("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\0\0", 23);
  const std::string marker = "\xFF\x01\x13@KMIDI KARAOKE FILE";
  for (const Case& c : cases) {
    tSongRecord record;
    ReadMidiRecord(AsBytes(start + marker + c.events), record);
    EXPECT_EQ(record.RawText(TextField::Title), c.title) << testing::PrintToString(c.events);
    EXPECT_EQ(record.RawText(TextField::Artist), c.artist) << testing::PrintToString(c.events);
    EXPECT_EQ(record.InternalFormat(), kSongTypeKar);
  }
}

// The karaoke record scan as a plain loop that looks at every position in turn, for the scan's
// shortcuts to be held to: "@T" after 0xFF 0x01 and a length over 2 is a title tag whose value is
// skipped, and the scan ends once it has two titles and more than 20 lyric events.
std::pair<std::string, std::string> KaraokeTitlesByEveryPosition(const std::string& file) {
  const auto at = [&](std::size_t pos) -> std::uint8_t {
    return pos >= 1 && pos <= file.size() ? static_cast<std::uint8_t>(file[pos - 1]) : 0;
  };
  std::string titles[2];
  int found = 0;
  int lyricEvents = 0;
  std::size_t pos = 4;
  if (file.size() <= pos + 3) return {};
  do {
    ++pos;
    if (at(pos) == '@' && at(pos - 3) == 0xFF && at(pos - 2) == 1 && at(pos - 1) > 2 &&
        at(pos + 1) == 'T') {
      const std::size_t length = at(pos - 1);
      const std::string value = pos + 1 < file.size() ? file.substr(pos + 1, length - 2) : "";
      if (found < 2) titles[found] = ProperCase(value);
      ++found;
      pos += length - 1;
    } else if (at(pos) != 0 && (at(pos - 1) == 1 || at(pos - 1) == 5) && at(pos - 2) == 0xFF) {
      ++lyricEvents;
    }
    if (found > 1 && lyricEvents > 20) break;
  } while (file.size() >= pos + 2);
  return {titles[0], titles[1]};
}

TEST(KaraokeRecordTest, FindsTheTitlesThatALookAtEveryPositionFinds) {
  // Pieces of events, whole events and near misses, so that tags, lyric events and bytes that
  // almost make one meet in every arrangement.
  const std::string kPieces[] = {std::string("\xFF\x01\x06@Ttitle", 9),
                                 std::string("\xFF\x01\x04@Tab", 7),
                                 std::string("\xFF\x01\x12@Tlong", 8),
                                 std::string("\xFF\x01\x02@T", 5),
                                 std::string("\xFF\x01\x05@Kab", 7),
                                 std::string("\xFF\x05\x03la ", 6),
                                 std::string("\xFF\x01\x03la ", 6),
                                 std::string("\xFF\x02\x04@Tcc", 7),
                                 std::string("\xFF\x01", 2),
                                 std::string("\xFF\x05", 2),
                                 std::string("\xFF", 1),
                                 std::string("@T", 2),
                                 std::string("\0", 1),
                                 std::string("\x01", 1),
                                 std::string("\x05", 1),
                                 std::string("\x03", 1),
                                 std::string("x", 1),
                                 std::string("\0\0\0\0\0\0\0\0", 8)};
  std::mt19937 random(12);
  const std::string marker = std::string("MThd\0\0\0\x06", 8) + "\xFF\x01\x13@KMIDI KARAOKE FILE";
  for (int round = 0; round < 3000; ++round) {
    std::string file = marker;
    const std::size_t pieces = random() % 80;
    for (std::size_t i = 0; i < pieces; ++i) file += kPieces[random() % std::size(kPieces)];
    const auto [title, artist] = KaraokeTitlesByEveryPosition(file);
    tSongRecord record;
    ReadMidiRecord(AsBytes(file), record);
    ASSERT_EQ(record.RawText(TextField::Title), title.substr(0, 80))
        << testing::PrintToString(file);
    ASSERT_EQ(record.RawText(TextField::Artist), artist.substr(0, 40))
        << testing::PrintToString(file);
    // Read head first from parts of every size, it gives the same.
    const Bytes bytes = AsBytes(file);
    for (std::size_t head = 0; head <= file.size(); head += 7) {
      tSongRecord headFirst;
      ReadMidiRecord(
          Slice(bytes, 0, head),
          [&](std::uint64_t end) {
            return Slice(bytes, 0, static_cast<std::size_t>(std::min<std::uint64_t>(end, 1 << 20)));
          },
          headFirst);
      if (!HasKaraokeMarker(Slice(bytes, 0, head))) continue;
      ASSERT_EQ(headFirst, record) << head << " " << testing::PrintToString(file);
    }
  }
}

}  // namespace
}  // namespace tunedex
