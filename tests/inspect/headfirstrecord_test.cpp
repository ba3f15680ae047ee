// SPDX-License-Identifier: GPL-3.0-or-later
// Records read from a file's first KiB, and more only when the reader runs past it, are the
// records that the readers give over the whole file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "common/userinteraction.h"
#include "inspect/formattests.h"
#include "inspect/id3reader.h"
#include "inspect/kfnreader.h"
#include "inspect/songfileparts.h"
#include "inspect/songfilereader.h"
#include "inspect/st3reader.h"
#include "inspect/wmareader.h"
#include "song/songtype.h"
#include "support/songfilebuilders.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::AsBytes;

// What the format's reader makes of all of the file's bytes.
tSongRecord WholeFileRecord(const std::string& path, const std::string& bytes) {
  const Bytes file = AsBytes(bytes);
  tSongRecord record;
  record.SetFileName(path);
  record.SetFileType(ExtToSongType(path));
  if (IsStarData(file)) {
    ReadSt3Record(file, record);
  } else if (IsKfn(file)) {
    ReadKfnRecord(file, 1, record);
  } else if (HasMpegFrame(TrimZeros(Slice(file, 0, 1024)))) {
    ReadId3v1Record(file, record);
  } else {
    TWMAfile wma;
    EXPECT_EQ(wma.ReadFromFile(file), TWMAfile::ReadResult::Completed) << path;
    if (wma.Valid) ReadWmaRecord(wma, record);
  }
  return record;
}

// A header object that claims one object more than it holds: its walk reads the first bytes
// after the header as an object (here one of `gap` bytes), so it runs past the header's size.
std::string WmaClaimingOneObjectMore(const std::vector<std::string>& objects, std::size_t gap) {
  const std::string header = test::AsfFile(objects, static_cast<std::uint32_t>(objects.size() + 1));
  return header + test::AsfObject(std::vector<std::uint8_t>(16, 0x11), std::string(gap - 24, 'd')) +
         std::string(64, '\x55');
}

// A folder open for reading, as a scan opens the folder whose files it reads.
class FolderFd {
 public:
  explicit FolderFd(const std::string& path)
      : m_fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    EXPECT_GE(m_fd, 0) << path;
  }
  ~FolderFd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FolderFd(const FolderFd&) = delete;
  FolderFd& operator=(const FolderFd&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

std::string Lyrics(std::size_t characters) {
  return test::AsfExtendedContentDescription({{"WM/Lyrics", 0, std::string(characters, 'w')}});
}

TEST(HeadFirstRecordTest, GivesTheWholeFilesRecordReadingNoMoreThanItNeeds) {
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t mostRead;  // bytes of the file read at most
  };
  const std::string tags = test::AsfContentDescription("wma title", "wma artist", "");
  const Case cases[] = {
      // STAR DATA: the fields lie in the first 177 bytes, and the file must be longer.
      {"a.st3", test::StarDataFile(4000, {{20, "st3 title"}, {132, "singer"}}), 1024},
      {"b.st3", test::StarDataFile(178, {{20, "short"}, {132, "one byte more"}}), 178},
      {"c.st3", test::StarDataFile(177, {{20, "too short"}}), 177},
      {"d.st3", test::StarDataFile(1100, {{20, std::string(48, 't')}, {132, "s"}}), 1024},
      // KaraFun: the 1024-byte block is the file's start; a short file keeps zeros for the rest.
      {"a.kfn", test::KfnBlock({{8, "kfn title"}, {72, "kfn artist"}}) + std::string(9000, 'k'),
       1024},
      {"b.kfn", test::KfnBlock({{8, "cut"}, {72, "short"}}).substr(0, 80), 80},
      {"c.kfn", test::KfnBlock({{8, std::string(64, 'x')}, {72, std::string(952, 'y')}}), 1024},
      // WMA: the header as far as its size says, the head or the window when its walk runs past.
      {"a.wma", test::WmaFile({tags}) + std::string(9000, 'a'), 1024},
      {"b.wma", test::WmaFile({Lyrics(700), tags}) + std::string(9000, 'a'), 2048},
      {"c.wma", test::WmaFile({Lyrics(3000), tags}) + std::string(9000, 'a'), 6400},
      // MP3 audio without an ID3v2 tag: the ID3v1 tag in the last 128 bytes, or none.
      {"a.mp3",
       std::string("\x01\xFF\xFB\x90\x00", 5) + std::string(70000, 'm') +
           test::Id3v1Tag("at the end", "band", "", "", "", 1),
       1024 + 128},
      {"b.mp3", std::string("\x01\xFF\xFB\x90\x00", 5) + std::string(70000, 'm'), 1024 + 128},
      {"c.mp3",
       std::string("\x01\xFF\xFB\x90\x00", 5) + std::string(1000, 'm') +
           test::Id3v1Tag("short", "file", "", "", "", 1),
       1024 + 128},
      // A walk past the header's size: read again from the head (4 KiB), then the window.
      {"d.wma",
       WmaClaimingOneObjectMore({test::AsfFileProperties(128000),
                                 test::AsfStreamProperties(2, 44100, 16000), Lyrics(600), tags},
                                100) +
           std::string(9000, 'a'),
       4096},
      {"e.wma",
       WmaClaimingOneObjectMore({test::AsfFileProperties(128000),
                                 test::AsfStreamProperties(2, 44100, 16000), Lyrics(2500), tags},
                                9000),
       16000},
  };
  test::TempFolder folder;
  for (const Case& c : cases) {
    const std::string path = folder.Write(c.name, c.bytes);
    SCOPED_TRACE(c.name);
    SongFileParts parts(path);
    tSongRecord record;
    ASSERT_TRUE(ReadSongRecordParts(parts, path, record, [](const std::string&) { return false; }))
        << c.name;
    EXPECT_EQ(record, WholeFileRecord(path, c.bytes)) << c.name;
    EXPECT_LE(parts.BytesRead(), c.mostRead) << c.name;
  }
}

// The whole-file records above hold what the fixtures say, so the comparison is not between two
// empty records.
TEST(HeadFirstRecordTest, TheFixturesFieldsAreRead) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* title;
    const char* artist;
  };
  const std::string tags = test::AsfContentDescription("wma title", "wma artist", "");
  const Case cases[] = {
      {"a.st3", test::StarDataFile(4000, {{20, "st3 title"}, {132, "singer"}}), "St3 Title",
       "Singer"},
      {"a.kfn", test::KfnBlock({{8, "kfn title"}, {72, "kfn artist"}}), "Kfn Title", "Kfn Artist"},
      {"a.mp3",
       std::string("\x01\xFF\xFB\x90\x00", 5) + std::string(70000, 'm') +
           test::Id3v1Tag("at the end", "band", "", "", "", 1),
       "At The End", "Band"},
      {"e.wma",
       WmaClaimingOneObjectMore({test::AsfFileProperties(128000),
                                 test::AsfStreamProperties(2, 44100, 16000), Lyrics(2500), tags},
                                9000),
       "wma title", "wma artist"},
  };
  for (const Case& c : cases) {
    const tSongRecord record = WholeFileRecord(c.name, c.bytes);
    EXPECT_EQ(record.Title(), c.title) << c.name;
    EXPECT_EQ(record.Artist(), c.artist) << c.name;
  }
}

// A scan's listing already says a file is regular, so its size is asked only when a part beyond
// the first read needs it, and the scan opens it from its open folder: the records and statuses
// are those of a file of unknown kind opened by its path.
TEST(ListedRegularFileTest, ReadsAsAFileOfUnknownKind) {
  std::vector<test::MetaText> lateTags(600, {1, "la la la"});
  lateTags.push_back({1, "@KMIDI KARAOKE FILE"});
  lateTags.push_back({1, "@Tlate title"});
  lateTags.push_back({1, "@Tlate artist"});
  struct Case {
    const char* name;
    std::string start;
    off_t size;          // made this long (sparse) when not 0
    std::string ending;  // the last bytes
  };
  const Case cases[] = {
      {"short.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tt"}, {1, "@Ta"}}), 0, ""},
      {"long.kar", test::MidiFile(lateTags), 0, ""},
      {"plain.mid", test::MidiFile({{3, "track"}, {3, "band"}}), 50000, ""},
      {"exact.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tt"}}).substr(0, 1024), 1024,
       ""},
      {"tail.mp3", std::string("\x01\xFF\xFB\x90\x00", 5), 3 << 20,
       test::Id3v1Tag("at the end", "x", "", "", "", 1)},
      {"tag.mp3", test::Id3v2File({{"TXXX", std::string(3000, 'p')}, {"TIT2", "deep"}}), 0, ""},
      {"a.wma", test::WmaFile({test::AsfContentDescription("w", "a", "")}), 2 << 20, ""},
      {"zip.kfn", std::string("PK\x03\x04\x14", 5), 2 << 20,
       test::KfnBlock({{8, "zipped"}}) + std::string(1200 - 1024 - 2, 'z') + test::LE16(1200)},
      {"a.st3", test::StarDataFile(2000, {{20, "st3"}}), 0, ""},
      {"empty.kar", "", 0, ""},
      {"film.mpg", std::string("\0\0\x01\xBA", 4), 5 << 20, ""},
  };
  test::TempFolder folder;
  const FolderFd folderFd(folder.PathOf(""));
  SilentUser user;
  const auto none = [](const std::string&) { return false; };
  for (const Case& c : cases) {
    const std::string path = folder.Write(c.name, c.start);
    if (c.size > 0) {
      ASSERT_EQ(::truncate(path.c_str(), c.size - static_cast<off_t>(c.ending.size())), 0);
      std::ofstream(path, std::ios::binary | std::ios::app) << c.ending;
    }
    tSongRecord unknown;
    tSongRecord listed;
    tSongRecord fromFolder;
    const SongReadStatus status =
        ReadSongRecord(path, unknown, user, none, nullptr, FileKind::Unknown);
    EXPECT_EQ(ReadSongRecord(path, listed, user, none, nullptr, FileKind::RegularFile), status)
        << c.name;
    EXPECT_EQ(ReadSongRecord(path, fromFolder, user, none, nullptr, FileKind::RegularFile,
                             folderFd.get()),
              status)
        << c.name;
    EXPECT_EQ(listed, unknown) << c.name;
    EXPECT_EQ(fromFolder, unknown) << c.name;
  }
}

// A file listed as regular that is something else by the time it is read (a named pipe, a
// folder) or is gone fails at once, as it does when its kind is not known, whether it is opened
// by its path or from its folder.
TEST(ListedRegularFileTest, OneThatIsNoLongerRegularFailsAtOnce) {
  test::TempFolder folder;
  const std::string fifo = folder.PathOf("pipe.kar");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string dir = folder.PathOf("folder.kar");
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  const std::string gone = folder.PathOf("gone.kar");
  const FolderFd folderFd(folder.PathOf(""));
  SilentUser user;
  const auto none = [](const std::string&) { return false; };
  for (const std::string& path : {fifo, dir, gone}) {
    for (const int from : {-1, folderFd.get()}) {
      tSongRecord unknown;
      tSongRecord listed;
      const SongReadStatus status =
          ReadSongRecord(path, listed, user, none, nullptr, FileKind::RegularFile, from);
      EXPECT_NE(status, SongReadStatus::Read) << path;
      EXPECT_EQ(status, ReadSongRecord(path, unknown, user, none, nullptr, FileKind::Unknown))
          << path;
      EXPECT_EQ(listed, unknown) << path;
    }
  }
}

}  // namespace
}  // namespace tunedex
