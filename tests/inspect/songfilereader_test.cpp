// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songfilereader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <optional>

#include "common/fileio.h"
#include "inspect/formattests.h"
#include "support/process.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::AsBytes;
using Lines = InfoLines;

class InspectionTest : public testing::Test {
 protected:
  Lines Inspect(const std::string& name, const std::string& bytes, InspectStatus expected) {
    Lines lines;
    EXPECT_EQ(InspectSongFileStatus(m_folder.Write(name, bytes), lines, m_user), expected) << name;
    return lines;
  }
  tSongRecord Record(const std::string& name, const std::string& bytes) {
    tSongRecord record;
    ReadSongRecord(m_folder.Write(name, bytes), record, m_user);
    return record;
  }

  test::TempFolder m_folder;
  test::ScriptedUser m_user;
};

TEST_F(InspectionTest, RecognisesFormatsByContentBeforeExtension) {
  const std::string midi = test::MidiFile({{3, "a title"}, {3, "an artist"}, {5, "la la"}});
  EXPECT_EQ(Inspect("song.mpg", midi, InspectStatus::Recognised)[0], "MIDI MUSIC FILE with Lyrics");
  EXPECT_EQ(Inspect("zeros.mid", std::string(40, '\0') + midi, InspectStatus::Recognised)[1],
            "Song Title: A Title");
  EXPECT_EQ(Inspect("video.mpeg", "\x01video", InspectStatus::Recognised),
            (Lines{"MPEG media file", "No information available"}));
  EXPECT_EQ(Inspect("x.doc", "hello", InspectStatus::NotRecognised),
            (Lines{"File has unknown format"}));
  const tSongRecord record = Record("song.mpg", midi);
  EXPECT_EQ(record.FileType(), 8);
  EXPECT_EQ(record.InternalFormat(), 3);
}

TEST_F(InspectionTest, StarDataOfExactly177BytesIsInvalid) {
  EXPECT_EQ(Inspect("a.st3", test::StarDataFile(177, {}), InspectStatus::NotRecognised),
            (Lines{"Invalid ST3 file"}));
  EXPECT_EQ(Inspect("b.st3", test::StarDataFile(178, {}), InspectStatus::Recognised)[0],
            "Filetype: STAR DATA V3");
}

TEST_F(InspectionTest, Id3VersionFourFallsThroughToTheFrameTest) {
  const std::string v4 =
      test::Id3v2File({{"TIT2", "x"}}, 4) + test::Id3v1Tag("old tag", "band", "", "", "", 255);
  EXPECT_EQ(Inspect("a.mp3", v4, InspectStatus::Recognised),
            (Lines{"MP3 (ID3v1) MUSIC FILE", "Title: old tag", "Artist: band"}));
  EXPECT_EQ(Inspect("b.mp3", std::string("\x01\xFF\xFB\x90\x00", 5), InspectStatus::NotRecognised),
            (Lines{"No tag information", "File may be MPEG format"}));
  EXPECT_EQ(Inspect("c.mp3", test::Id3v2File({{"TIT2", "new"}}), InspectStatus::Recognised)[1],
            "Title: new");
}

TEST_F(InspectionTest, KfnWmaAndPackedKfn) {
  EXPECT_EQ(Inspect("a.kfn", test::KfnBlock({{8, "t"}}), InspectStatus::Recognised)[0],
            "KFUN v0.9 karaoke file");
  EXPECT_EQ(
      Inspect("b.kfn", test::PackedKfnFile(test::KfnBlock({}), 1100), InspectStatus::Recognised)[0],
      "KFUN v0.92 karaoke file");
  EXPECT_EQ(Inspect("c.wma", test::WmaFile({}), InspectStatus::Recognised)[0],
            "WMA (WINDOWS MEDIA AUDIO) file");
  EXPECT_EQ(Record("d.wma", test::WmaFile({test::AsfContentDescription("T", "A", "")})).Artist(),
            "A");
}

TEST_F(InspectionTest, MissingUnreadableAndDamagedFiles) {
  Lines lines{"old"};
  EXPECT_EQ(InspectSongFileStatus(m_folder.PathOf("gone.kar"), lines, m_user),
            InspectStatus::Missing);
  EXPECT_EQ(lines, (Lines{"CANNOT FIND FILE"}));
  EXPECT_TRUE(m_user.Messages().empty());

  tSongRecord record;
  record.SetTitle("stale");
  ReadSongRecord(m_folder.PathOf("gone.kar"), record, m_user);
  EXPECT_EQ(record, tSongRecord()) << "a missing file leaves the record all zero";

  const std::string truncated = test::WmaFile({}).substr(0, 70);
  Inspect("bad.wma", truncated, InspectStatus::ReadFailed);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text, "Cannot read file bad.wma");
  const tSongRecord damaged = Record("bad.wma", truncated);
  ASSERT_EQ(m_user.Messages().size(), 2u);
  EXPECT_EQ(m_user.Messages()[1].text, "Cannot read file " + m_folder.PathOf("bad.wma") +
                                           "\rIt may be corrupted or be in an unknown format.");
  EXPECT_EQ(damaged.Title(), "bad.wma");
  EXPECT_EQ(damaged.Artist(), "?");

  const std::string fifo = m_folder.PathOf("pipe.kar");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(InspectSongFileStatus(fifo, lines, m_user), InspectStatus::ReadFailed)
      << "a named pipe is refused at once, not waited on";
}

// A file that is there but cannot be opened or read is told as such, with the system's reason,
// never as a damaged file: its bytes were not seen.
TEST_F(InspectionTest, AFileThatCannotBeReadIsToldWhy) {
  const std::string fifo = m_folder.PathOf("pipe.kar");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  tSongRecord record;
  std::string why;
  EXPECT_EQ(ReadSongRecord(fifo, record, m_user, FileExists, &why), SongReadStatus::Unreadable);
  EXPECT_EQ(why, "Not a regular file");
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text, "Cannot read file " + fifo + ": Not a regular file");

  ASSERT_EQ(::chmod(m_folder.Path().c_str(), 0755), 0);
  const std::string locked = m_folder.Write("locked.kar", test::MidiFile({{3, "secret"}}));
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  const std::optional<std::string> said = test::RunBoundByPermissions([&] {
    test::ScriptedUser user;
    tSongRecord lockedRecord;
    std::string reason;
    const SongReadStatus status = ReadSongRecord(locked, lockedRecord, user, FileExists, &reason);
    return std::string(status == SongReadStatus::Unreadable ? "unreadable" : "other") + "|" +
           reason + "|" + (user.Messages().empty() ? "" : user.Messages()[0].text);
  });
  if (!said) GTEST_SKIP() << "no user that file permissions bind could be switched to";
  EXPECT_EQ(*said,
            "unreadable|Permission denied|Cannot read file " + locked + ": Permission denied");
}

TEST_F(InspectionTest, UnknownFilesAreTitledByTheirName) {
  const tSongRecord record = Record("Some Song.xyz", "nothing to see");
  EXPECT_EQ(record.Title(), "Some Song.xyz");
  EXPECT_EQ(record.Artist(), "?");
  EXPECT_EQ(record.FileName(), m_folder.PathOf("Some Song.xyz"));
  EXPECT_EQ(record.InternalFormat(), 0);
}

TEST_F(InspectionTest, ACdgBesideAnMp3OrWmaMeansLyrics) {
  const std::string mp3 = test::Id3v2File({{"TIT2", "x"}});
  EXPECT_FALSE(Record("plain.mp3", mp3).HasLyrics());
  m_folder.Write("karaoke.cdg", "graphics");
  EXPECT_TRUE(Record("karaoke.mp3", mp3).HasLyrics());
  m_folder.Write("WINDOWS.CDG", "graphics");
  EXPECT_TRUE(Record("WINDOWS.wma", test::WmaFile({})).HasLyrics());
  m_folder.Write("other.cdg", "graphics");
  EXPECT_FALSE(Record("other.kfn", "not kfn").HasLyrics()) << "only MP3 and WMA songs";
}

TEST_F(InspectionTest, AHugeSparseVideoInspectsWithoutReadingIt) {
  const std::string path = m_folder.Write("film.mpg", std::string("\0\0\x01\xBA", 4));
  ASSERT_EQ(::truncate(path.c_str(), 4LL << 30), 0);
  Lines lines;
  EXPECT_EQ(InspectSongFileStatus(path, lines, m_user), InspectStatus::Recognised);
  EXPECT_EQ(lines[0], "MPEG media file");
  const std::string empty = m_folder.PathOf("empty.mpg");
  ASSERT_EQ(::close(::open(empty.c_str(), O_CREAT | O_WRONLY, 0600)), 0);
  ASSERT_EQ(::truncate(empty.c_str(), 4LL << 30), 0);
  EXPECT_EQ(InspectSongFileStatus(empty, lines, m_user), InspectStatus::Recognised);
}

// Files of 10 GB (sparse) that start like a song: every reader works on bounded parts of them,
// the zeros at the ends included, so none is read whole or held in memory.
TEST_F(InspectionTest, TenGigabyteFilesOfEveryHeaderKindAreReadByBoundedParts) {
  struct Case {
    const char* name;
    std::string start;
    std::string ending;  // the last bytes
    InspectStatus status;
    const char* firstLine;
    const char* title;  // of the record
  };
  const std::string asfClaimingAll = test::AsfFile({test::AsfFileProperties(1000)}, 100000)
                                         .replace(16, 8, test::LE32(0) + test::LE32(10));
  const Case cases[] = {
      {"big.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tbig"}, {1, "@Tsinger"}}), "",
       InspectStatus::Recognised, "Filetype: MIDI KARAOKE FILE", "Big"},
      {"big.mid", test::MidiFile({{3, "plain"}, {3, "band"}}), "", InspectStatus::NotRecognised,
       "MIDI MUSIC FILE", "Plain"},
      {"big.rmi", test::RmidFile({{3, "riff title"}, {3, "riff band"}}), "",
       InspectStatus::NotRecognised, "MIDI MUSIC FILE", "Riff Title"},
      {"big.wma", test::WmaFile({test::AsfContentDescription("big wma", "a", "")}), "",
       InspectStatus::Recognised, "WMA (WINDOWS MEDIA AUDIO) file", "big wma"},
      {"claims-all.wma", asfClaimingAll, "", InspectStatus::ReadFailed, nullptr, "claims-all.wma"},
      {"big.mp3", test::Id3v2File({{"TIT2", "huge"}}), "", InspectStatus::Recognised,
       "MP3 (ID3v2.3.0) MUSIC FILE", "Huge"},
      {"claims-all.mp3", std::string("ID3\x03\x00\x00\x7F\x7F\x7F\x7F", 10), "",
       InspectStatus::Recognised, "MP3 (ID3v2.3.0) MUSIC FILE", "?"},
      {"wave.mp3", std::string("RIFF\xFF\xFF\xFF\xFFWAVEfmt \x01\xFF\xFB\x90\x00", 21),
       test::Id3v1Tag("at the end", "x", "", "", "", 1), InspectStatus::Recognised,
       "MP3 (ID3v1) MUSIC FILE", "At The End"},
  };
  constexpr off_t kSize = 10LL << 30;
  for (const Case& c : cases) {
    const std::string path = m_folder.Write(c.name, c.start);
    ASSERT_EQ(::truncate(path.c_str(), kSize - static_cast<off_t>(c.ending.size())), 0);
    std::ofstream(path, std::ios::binary | std::ios::app) << c.ending;
    Lines lines;
    EXPECT_EQ(InspectSongFileStatus(path, lines, m_user), c.status) << c.name;
    if (c.firstLine != nullptr) {
      ASSERT_FALSE(lines.empty()) << c.name;
      EXPECT_EQ(lines[0], c.firstLine) << c.name;
    }
    tSongRecord record;
    ReadSongRecord(path, record, m_user);
    EXPECT_EQ(record.Title(), c.title) << c.name;
  }
  rusage usage{};
  ASSERT_EQ(::getrusage(RUSAGE_SELF, &usage), 0);
  EXPECT_LT(usage.ru_maxrss, 256 * 1024) << "kilobytes at the peak";
}

// Files larger than the first read: the record comes from the parts that the readers ask for.
TEST_F(InspectionTest, ReadsLargeFilesByTheParts) {
  struct Case {
    const char* name;
    std::string start;
    off_t size;          // the file is this long (sparse in the middle)
    std::string ending;  // the last bytes
    const char* title;
    std::uint8_t format;
  };
  std::vector<test::MetaText> lateTags;
  for (int i = 0; i < 600; ++i) lateTags.push_back({1, "la la la"});
  lateTags.push_back({1, "@KMIDI KARAOKE FILE"});
  lateTags.push_back({1, "@Tlate title"});
  lateTags.push_back({1, "@Tlate artist"});
  const Case cases[] = {
      {"big-tag.mp3", test::Id3v2File({{"TXXX", std::string(10000, 'p')}, {"TIT2", "deep"}}),
       300000, "", "Deep", 5},
      {"tail.mp3", std::string("\x01\xFF\xFB\x90\x00", 5), 20 << 20,
       test::Id3v1Tag("at the end", "x", "", "", "", 1), "At The End", 5},
      {"big-header.wma",
       test::WmaFile(
           {test::AsfExtendedContentDescription({{"WM/Lyrics", 0, std::string(6000, 'w')}}),
            test::AsfContentDescription("late wma", "a", "")}),
       1 << 20, "", "late wma", 6},
      {"zip.kfn", std::string("PK\x03\x04\x14", 5), 2 << 20,
       test::KfnBlock({{8, "zipped"}}) + std::string(1200 - 1024 - 2, 'z') + test::LE16(1200),
       "Zipped", 7},
      {"long.kar", test::MidiFile(lateTags), 0, "", "Late Title", 1},
  };
  for (const Case& c : cases) {
    const std::string path = m_folder.Write(c.name, c.start);
    if (c.size > 0) {
      ASSERT_EQ(::truncate(path.c_str(), c.size - static_cast<off_t>(c.ending.size())), 0);
      std::ofstream(path, std::ios::binary | std::ios::app) << c.ending;
    }
    tSongRecord record;
    ReadSongRecord(path, record, m_user);
    EXPECT_EQ(record.Title(), c.title) << c.name;
    EXPECT_EQ(record.InternalFormat(), c.format) << c.name;
  }
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST(FormatTestsTest, MpegByExtensionAndFrames) {
  for (const char* name : {"a.mpg", "a.MPEG", "a.mp", "a.mpe", "a.m", "/x.y/a.mpg"}) {
    EXPECT_TRUE(IsMpegByExtension(name)) << name;
  }
  for (const char* name : {"a", "a.mp3", "a.peg", "/a.mpg/b", "a."}) {
    EXPECT_FALSE(IsMpegByExtension(name)) << name;
  }
  EXPECT_TRUE(HasMpegFrame(AsBytes("\x01\xFF\xFB\x90")));
  EXPECT_FALSE(HasMpegFrame(AsBytes("\x01\xFF\xEB\x90")));  // bits 0x18 are 0x08
  EXPECT_FALSE(HasMpegFrame(AsBytes("\x01\xFF\xF9\x90")));  // bits 0x06 are 0
  EXPECT_FALSE(HasMpegFrame(AsBytes("\x01\xFF\xFB\x0C")));  // bits 0x0C are 0x0C
  EXPECT_FALSE(HasMpegFrame(AsBytes("\x01\xFF\xFB")));      // the frame needs three bytes
}

}  // namespace
}  // namespace tunedex
