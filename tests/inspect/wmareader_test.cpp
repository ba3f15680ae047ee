// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/wmareader.h"

#include <gtest/gtest.h>

#include "support/songfilebuilders.h"

namespace tunedex {
namespace {

using test::AsBytes;
using Lines = InfoLines;

TEST(WmaTest, ReadsPropertiesAndTags) {
  const std::string file = test::WmaFile(
      {test::AsfContentDescription("  Title One ", "Author", "A comment"),
       test::AsfExtendedContentDescription({{"WM/AlbumTitle", 0, "Album"},
                                            {"WM/TrackNumber", 0, "99"},
                                            {"WM/Track", 3, std::string("\x07\0\0\0", 4)},
                                            {"WM/Year", 0, "1999"},
                                            {"wm/genre", 0, "Pop"}})});
  TWMAfile wma;
  ASSERT_EQ(wma.ReadFromFile(AsBytes(file)), TWMAfile::ReadResult::Completed);
  EXPECT_TRUE(wma.Valid);
  EXPECT_EQ(wma.Channels, 2);
  EXPECT_EQ(wma.SampleRate, 44100);
  EXPECT_EQ(wma.BitRate, 128);
  EXPECT_EQ(wma.Title, "Title One");
  EXPECT_EQ(wma.Track, 0) << "a number descriptor sets no tag";
  Lines lines;
  ReadWmaInfo(wma, lines);
  EXPECT_EQ(lines, (Lines{"WMA (WINDOWS MEDIA AUDIO) file", "Title: Title One", "Artist: Author",
                          "Album: Album", "Year: 1999", "Comment: A comment", "Genre: Pop"}));
  tSongRecord record;
  ReadWmaRecord(wma, record);
  EXPECT_EQ(record.Title(), "Title One");
  EXPECT_EQ(record.InternalFormat(), 6);
}

TEST(WmaTest, ValidityLimits) {
  struct Case {
    std::uint32_t maxBitRate;
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint32_t bytesPerSecond;
    bool valid;
  };
  const Case cases[] = {{319999, 2, 44100, 16000, true}, {320000, 2, 44100, 16000, false},
                        {0, 2, 44100, 16000, false},     {128000, 6, 44100, 16000, false},
                        {128000, 1, 8000, 1, true},      {128000, 1, 7999, 16000, false},
                        {128000, 1, 96000, 39999, true}, {128000, 1, 96001, 16000, false},
                        {128000, 2, 44100, 40000, false}};
  for (const Case& c : cases) {
    TWMAfile wma;
    wma.ReadFromFile(AsBytes(
        test::AsfFile({test::AsfFileProperties(c.maxBitRate),
                       test::AsfStreamProperties(c.channels, c.sampleRate, c.bytesPerSecond)})));
    EXPECT_EQ(wma.Valid, c.valid) << c.maxBitRate << " " << c.channels << " " << c.sampleRate;
  }
}

TEST(WmaTest, TextsAreCutTo250CharactersAndKeepLowBytes) {
  const std::string longTitle(300, 'x');
  TWMAfile wma;
  wma.ReadFromFile(AsBytes(test::WmaFile({test::AsfContentDescription(longTitle, "", "")})));
  EXPECT_EQ(wma.Title, std::string(250, 'x'));
  std::string cyrillic = test::WmaFile({test::AsfContentDescription("qb", "", "")});
  cyrillic[cyrillic.find(test::Utf16("qb")) + 1] = '\x04';  // U+0471: its low byte stays
  TWMAfile lowBytes;
  lowBytes.ReadFromFile(AsBytes(cyrillic));
  EXPECT_EQ(lowBytes.Title, "qb");
  TWMAfile wide16;
  wide16.ReadFromFile(AsBytes(
      test::WmaFile({test::AsfExtendedContentDescription({{"WM/AUTHOR", 0, "z"}}),
                     test::AsfContentDescription("first", "", ""),
                     test::AsfExtendedContentDescription({{"WM/TITLE", 0, "later wins"}})})));
  EXPECT_EQ(wide16.Title, "later wins");
}

TEST(WmaTest, DamagedHeadersAreReadFailures) {
  const std::string good = test::WmaFile({});
  TWMAfile wma;
  EXPECT_EQ(wma.ReadFromFile(AsBytes(good.substr(0, 60))), TWMAfile::ReadResult::ReadFailure);
  EXPECT_EQ(wma.ReadFromFile(AsBytes(test::AsfFile({test::AsfFileProperties(128000)}, 5000))),
            TWMAfile::ReadResult::ReadFailure);
  // An object claiming size 0 would be read again and again.
  std::string zeroSize = test::AsfFile({test::AsfFileProperties(128000)}, 4000000000u);
  zeroSize.replace(30 + 16, 4, std::string(4, '\0'));
  EXPECT_EQ(wma.ReadFromFile(AsBytes(zeroSize)), TWMAfile::ReadResult::ReadFailure);
  EXPECT_EQ(wma.ReadFromFile(AsBytes(std::string(100, 'a'))), TWMAfile::ReadResult::NotAsf);
  EXPECT_FALSE(wma.Valid);
}

}  // namespace
}  // namespace tunedex
