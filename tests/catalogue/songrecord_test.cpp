// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/songrecord.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tunedex {
namespace {

struct FieldCase {
  TextField field;
  std::size_t offset;
  std::size_t maxLength;
};

class SongRecordFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(SongRecordFieldTest, StoresLengthPrefixedTextAtItsOffsetCutToItsMaximum) {
  const FieldCase c = GetParam();
  tSongRecord record;
  const std::string tooLong(c.maxLength + 7, 'x');
  record.SetText(c.field, tooLong);
  EXPECT_EQ(record.RawBytes()[c.offset], c.maxLength);
  EXPECT_EQ(record.RawBytes()[c.offset + 1], 'x');
  EXPECT_EQ(record.RawText(c.field), std::string(c.maxLength, 'x'));

  record.SetText(c.field, "ab");
  EXPECT_EQ(record.RawBytes()[c.offset], 2);
  EXPECT_EQ(record.Text(c.field), "ab");
  // What lay after the text is cleared, so the stored field holds only the new text.
  EXPECT_EQ(record.RawBytes()[c.offset + 3], 0);
}

TEST_P(SongRecordFieldTest, ReadsADamagedLengthByteAsTheMaximum) {
  const FieldCase c = GetParam();
  tSongRecord::Bytes bytes{};
  bytes[c.offset] = 255;
  const tSongRecord record = tSongRecord::FromBytes(bytes);
  EXPECT_EQ(record.RawText(c.field).size(), c.maxLength);
}

INSTANTIATE_TEST_SUITE_P(Layout, SongRecordFieldTest,
                         testing::Values(FieldCase{TextField::Title, 0, 80},
                                         FieldCase{TextField::Artist, 84, 40},
                                         FieldCase{TextField::Language, 125, 3},
                                         FieldCase{TextField::FileName, 129, 255},
                                         FieldCase{TextField::IdCode, 389, 11},
                                         FieldCase{TextField::Notes, 401, 255}));

TEST(SongRecordTest, TypeBytesSitAfterTheFileName) {
  tSongRecord record;
  record.SetFileType(5);
  record.SetInternalFormat(3);
  record.SetHasLyrics(true);
  EXPECT_EQ(record.RawBytes()[385], 5);
  EXPECT_EQ(record.RawBytes()[386], 3);
  EXPECT_EQ(record.RawBytes()[387], 1);
}

TEST(SongRecordTest, KeepsReservedBytesWhenFieldsChange) {
  tSongRecord::Bytes bytes;
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  tSongRecord record = tSongRecord::FromBytes(bytes);
  record.SetTitle("New title");
  record.SetNotes("n");
  for (std::size_t offset : {81, 82, 83, 388}) EXPECT_EQ(record.RawBytes()[offset], bytes[offset]);
}

TEST(SongRecordTest, EmptyMeansNoTitleArtistLanguageFileNameOrNotes) {
  tSongRecord record;
  EXPECT_TRUE(record.IsEmpty());
  record.SetIdCode("AB001");
  record.SetFileType(1);
  record.SetHasLyrics(true);
  EXPECT_TRUE(record.IsEmpty());
  for (TextField field : {TextField::Title, TextField::Artist, TextField::Language,
                          TextField::FileName, TextField::Notes}) {
    tSongRecord withText;
    withText.SetText(field, "x");
    EXPECT_FALSE(withText.IsEmpty());
  }
}

TEST(SongRecordTest, StoresTextsInWindows1252WhenTheyFit) {
  tSongRecord record;
  record.SetTitle("Caf\xC3\xA9 \xE2\x82\xAC");  // "Café €"
  EXPECT_EQ(record.RawText(TextField::Title), "Caf\xE9 \x80");
  EXPECT_EQ(record.Title(), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(SongRecordTest, StoresOtherTextsAsUtf8CutAtACharacterBoundary) {
  tSongRecord record;
  std::string greek;
  for (int i = 0; i < 10; ++i) greek += "\xCE\xA9";  // ten omegas, 20 bytes
  record.SetLanguage(greek);
  EXPECT_EQ(record.RawText(TextField::Language), "\xCE\xA9");  // 3 bytes hold one omega
  record.SetTitle(greek);
  EXPECT_EQ(record.Title(), greek);
}

TEST(SongRecordTest, KeepsTheFileNameAsThePathSpellsIt) {
  tSongRecord record;
  record.SetFileName("/m\xC3\xBCsic/caf\xE9.kar");  // UTF-8 folder, Latin-1 file name byte
  EXPECT_EQ(record.FileName(), "/m\xC3\xBCsic/caf\xE9.kar");
}

}  // namespace
}  // namespace tunedex
