// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "cli/commands.h"
#include "support/childprocess.h"
#include "support/process.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::MakeRecord;
using test::RunProgram;

// Runs tunedex-cli with its standard output sent to outPath (a device such as /dev/full), and
// kills it when it has not finished within five seconds (exit code -1).
test::BoundedProcessResult RunCliWithOutput(const std::vector<std::string>& arguments,
                                            const std::string& outPath) {
  return test::RunProgramWithin(std::chrono::seconds(5), TUNEDEX_CLI, arguments, outPath);
}

// The second field (the title) of each line list prints.
std::vector<std::string> Titles(const std::string& out) {
  std::vector<std::string> titles;
  std::size_t start = 0;
  while (start < out.size()) {
    const std::size_t end = out.find('\n', start);
    const std::string line = out.substr(start, end - start);
    const std::size_t tab = line.find('\t');
    titles.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
    start = end + 1;
  }
  return titles;
}

class CliTest : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<tSongRecord> records = {
        MakeRecord({.title = "Waterloo",
                    .artist = "ABBA",
                    .language = "Eng",
                    .fileName = "/songs/ABBA - Waterloo.kar",
                    .idCode = "AB001"}),
        MakeRecord({.title = "Dansevise",
                    .artist = "Grethe",
                    .language = "Sve",
                    .fileName = "/songs/dansevise.mp3",
                    .idCode = "GR001",
                    .notes = "two\tlines\r\nhere"}),
        MakeRecord({.title = "Caf\xC3\xA9", .artist = "Zaz", .fileName = "/songs/cafe.kfn"}),
    };
    records[0].SetFileType(1);
    records[0].SetInternalFormat(3);
    records[0].SetHasLyrics(true);
    m_db = m_folder.Write("songs.tdb", test::DatabaseFile(-33, records));
  }

  test::ProcessResult Cli(std::vector<std::string> arguments) {
    return RunProgram(TUNEDEX_CLI, arguments);
  }

  test::TempFolder m_folder;
  std::string m_db;
};

using Strings = std::vector<std::string>;

TEST_F(CliTest, ListPrintsEverySongInFileOrderAsTabSeparatedFields) {
  const test::ProcessResult result = Cli({"list", m_db});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "AB001\tWaterloo\tABBA\tEng\t/songs/ABBA - Waterloo.kar\tKAR\tMIDI\t1\t\n"
            "GR001\tDansevise\tGrethe\tSve\t/songs/dansevise.mp3\t\t\t0\ttwo lines  here\n"
            "\tCaf\xC3\xA9\tZaz\t\t/songs/cafe.kfn\t\t\t0\t\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(CliTest, ListSortsSelectsAndFinds) {
  EXPECT_EQ(Titles(Cli({"list", m_db, "--sort", "title"}).out),
            (Strings{"Caf\xC3\xA9", "Dansevise", "Waterloo"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--sort", "-artist"}).out),
            (Strings{"Caf\xC3\xA9", "Dansevise", "Waterloo"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--sort", "id"}).out),
            (Strings{"Caf\xC3\xA9", "Waterloo", "Dansevise"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--view", "english"}).out), (Strings{"Waterloo"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--view", "custom"}).out), (Strings{"Dansevise"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--view", "custom", "--custom-code", "eng"}).out),
            (Strings{"Waterloo"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--view", "new"}).out), (Strings{"Caf\xC3\xA9"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--view", "other", "--custom-code", "Fra"}).out),
            (Strings{"Dansevise"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--find", "abba"}).out), (Strings{"Waterloo"}));
  EXPECT_EQ(Titles(Cli({"list", m_db, "--find", "CAF\xC3\x89"}).out), (Strings{"Caf\xC3\xA9"}));
  EXPECT_EQ(Cli({"list", m_db, "--find", "songs"}).out, "") << "folders are not searched";
}

TEST_F(CliTest, InfoPrintsTheCountAndTheSignedSortCode) {
  const test::ProcessResult result = Cli({"info", m_db});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "songs: 3\nsort: -33\n");
}

TEST_F(CliTest, BadInputIsOneMessageAndExitStatusTwo) {
  const std::string invalid = m_folder.Write("invalid.tdb", "tunedxdb2\x21");
  const std::string missing = m_folder.PathOf("missing.tdb");
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"list", missing}, "Cannot open " + missing + ": No such file or directory"},
      {{"info", m_folder.Path()}, "Cannot open " + m_folder.Path() + ": Is a directory"},
      {{"list", invalid}, "tunedex-cli: error: " + invalid + ": Invalid data-file\n"},
      {{"info", invalid}, "tunedex-cli: error: " + invalid + ": Invalid data-file\n"},
      {{"scan", invalid, m_folder.Path()},
       "tunedex-cli: error: " + invalid + ": Invalid data-file\n"},
      {{"list", m_db, "--sort", "size"}, "unknown sort size"},
      {{"list", m_db, "--colour", "red"}, "unknown option --colour"},
      {{"list"}, "expected one database file"},
      {{"frobnicate"}, "unknown command frobnicate"},
  };
  for (const Case& c : cases) {
    const test::ProcessResult result = Cli(c.arguments);
    EXPECT_EQ(result.exitCode, 2) << c.message;
    EXPECT_EQ(result.out, "") << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

// Output that could not be written used to be lost without a word, with exit status 0.
TEST_F(CliTest, OutputThatCannotBeWrittenIsAFailureWithExitStatusOne) {
  const std::vector<std::string> commands[] = {
      {"info", m_db}, {"list", m_db}, {"list", m_db, "--sort", "title"}, {"--help"}};
  for (const std::vector<std::string>& arguments : commands) {
    const test::BoundedProcessResult result = RunCliWithOutput(arguments, "/dev/full");
    EXPECT_EQ(result.exitCode, 1) << arguments[0];
    EXPECT_NE(result.err.find("tunedex-cli: cannot write the output: No space left on device"),
              std::string::npos)
        << arguments[0] << ": " << result.err;
  }
  EXPECT_EQ(RunCliWithOutput({"info", m_db}, "/dev/null").exitCode, 0);
}

// A command that reports an error never ends with status 0, even when it printed its result.
TEST_F(CliTest, AReportedErrorGivesANonZeroExitStatus) {
  const std::string pipe = m_folder.PathOf("song.kar");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const test::BoundedProcessResult result = RunCliWithOutput({"record", pipe}, "/dev/null");
  EXPECT_NE(result.exitCode, -1) << "did not finish";
  EXPECT_NE(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("error:"), std::string::npos) << result.err;
}

// The root volume is always there and answers.
TEST_F(CliTest, VolumesListsTheRootVolumeAsReady) {
  const test::ProcessResult result = Cli({"volumes"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  bool root = false;
  std::size_t start = 0;
  while (start < result.out.size()) {
    const std::size_t end = result.out.find('\n', start);
    const std::string line = result.out.substr(start, end - start);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
    if (line.starts_with("/\t")) root = line.ends_with("\tready");
    start = end + 1;
  }
  EXPECT_TRUE(root) << result.out;
}

TEST_F(CliTest, ACatalogueThatIsAPipeIsRefusedAtOnce) {
  const std::string pipe = m_folder.PathOf("pipe.tdb");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const char* command : {"info", "list"}) {
    const test::BoundedProcessResult result =
        test::RunProgramWithin(std::chrono::seconds(10), TUNEDEX_CLI, {command, pipe});
    ASSERT_FALSE(result.timedOut) << command << " waits on the pipe";
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "tunedex-cli: Cannot open " + pipe + ": Is a named pipe, not a file\n");
  }
}

TEST_F(CliTest, ACatalogueTooLargeToHoldIsRefusedWithAMessage) {
  const std::string huge = m_folder.Write("huge.tdb", "TunedxDB2\x21");
  ASSERT_EQ(::truncate(huge.c_str(), std::int64_t{2} << 40), 0);
  for (const char* command : {"info", "list"}) {
    const test::BoundedProcessResult result =
        test::RunProgramWithin(std::chrono::seconds(10), TUNEDEX_CLI, {command, huge});
    ASSERT_FALSE(result.timedOut) << command;
    EXPECT_EQ(result.exitCode, 2) << command << ": " << result.err;
    EXPECT_NE(result.err.find("tunedex-cli: Cannot open " + huge +
                              ": the file is too large for a catalogue"),
              std::string::npos)
        << result.err;
  }
}

// A NUL byte inside a field used to end the printed line there, losing the fields after it; an
// ESC in a file name reached the terminal as the start of an escape sequence.
TEST_F(CliTest, ListPrintsControlCharactersOfTitlesAndFileNamesAsBlanks) {
  tSongRecord record;
  record.SetRawText(TextField::Title, std::string("a\0b\x1B[2Jc", 8));
  record.SetRawText(TextField::Artist, "Artist\x7F");
  record.SetRawText(TextField::FileName, "/songs/\x1B]0;x\x07.kar");
  const std::string db = m_folder.Write("controls.tdb", test::DatabaseFile(0, {record}));
  const test::ProcessResult result = Cli({"list", db});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "\ta b [2Jc\tArtist \t\t/songs/ ]0;x .kar\t\t\t0\t\n");
}

TEST(SongLineTest, ShowsTabsAndLineBreaksInsideFieldsAsBlanks) {
  const tSongRecord record = MakeRecord({.title = "a\tb", .artist = "c\nd", .notes = "e\rf"});
  EXPECT_EQ(cli::SongLine(record), "\ta b\tc d\t\t\t\t\t0\te f");
}

// Every control character, in an ASCII text, in a UTF-8 one and in a Windows-1252 one, is shown
// as a blank; the printable ASCII characters and the bytes of other characters pass unchanged.
TEST(SongLineTest, ShowsEveryControlCharacterAsABlank) {
  for (int byte = 0; byte < 0x80; ++byte) {
    const char c = static_cast<char>(byte);
    const bool control = byte < 0x20 || byte == 0x7F;
    const std::string shown(1, control ? ' ' : c);
    const struct {
      std::string stored;
      std::string shown;
    } cases[] = {
        {std::string("x") + c + "y", "x" + shown + "y"},
        {std::string("\xC3\xA9") + c + "z", "\xC3\xA9" + shown + "z"},            // UTF-8
        {std::string("\xE9") + c + "\x80", "\xC3\xA9" + shown + "\xE2\x82\xAC"},  // Windows-1252
    };
    for (const auto& k : cases) {
      tSongRecord record;
      record.SetRawText(TextField::Title, k.stored);
      record.SetRawText(TextField::FileName, k.stored);
      EXPECT_EQ(cli::SongLine(record), "\t" + k.shown + "\t\t\t" + k.shown + "\t\t\t0\t")
          << "byte " << byte << " in " << k.stored;
    }
  }
}

struct StoredTextCase {
  std::string stored;
  std::string shown;
};

// The stored bytes of each text field are decoded the same way, line breaks blanked after
// decoding. (The language field is left empty: it holds only three bytes.)
TEST(SongLineTest, DecodesEachFieldToUtf8) {
  const StoredTextCase cases[] = {
      {"Caf\xE9\t\x80", "Caf\xC3\xA9 \xE2\x82\xAC"},     // Windows-1252
      {"\xC3\xA9t\xC3\xA9\r\n", "\xC3\xA9t\xC3\xA9  "},  // UTF-8
      {"\xC3(", "\xC3\x83("},                            // not UTF-8: Windows-1252
      {"\x81\x9F", "\xC2\x81\xC5\xB8"},                  // an undefined byte, Y with diaeresis
      {std::string("a\0b", 3), "a b"},                   // a control character
  };
  for (const StoredTextCase& c : cases) {
    tSongRecord record;
    for (TextField field : {TextField::IdCode, TextField::Title, TextField::Artist,
                            TextField::FileName, TextField::Notes}) {
      record.SetRawText(field, c.stored);
    }
    const std::string& x = c.shown;
    EXPECT_EQ(cli::SongLine(record), x + '\t' + x + '\t' + x + "\t\t" + x + "\t\t\t0\t" + x)
        << c.stored;
  }
}

}  // namespace
}  // namespace tunedex

namespace tunedex {
namespace {

class CliSongFileTest : public testing::Test {
 protected:
  test::ProcessResult Cli(std::vector<std::string> arguments) {
    return test::RunProgram(TUNEDEX_CLI, arguments);
  }
  test::TempFolder m_folder;
};

TEST_F(CliSongFileTest, InspectPrintsLinesAndTellsRecognitionByItsExitStatus) {
  const std::string kar = m_folder.Write(
      "song.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tcaf\xE9 song"}, {1, "@Tme"}}));
  test::ProcessResult result = Cli({"inspect", kar});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "Filetype: MIDI KARAOKE FILE\nSong Title: Caf\xC3\xA9 Song\nArtist: Me\n");
  result = Cli({"inspect", m_folder.Write("x.bin", "????")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "File has unknown format\n");
  result = Cli({"inspect", m_folder.PathOf("missing.kar")});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.out, "CANNOT FIND FILE\n");
}

TEST_F(CliSongFileTest, RecordPrintsTheRecordFields) {
  const std::string mp3 = m_folder.Write("a b.mp3", test::Id3v2File({{"TIT2", "hello"}}));
  m_folder.Write("a b.cdg", "");
  const test::ProcessResult result = Cli({"record", mp3});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "FileName=" + mp3 +
                "\nFileType=MP3\nInternalFormat=MP3\nHasLyrics=1\nTitle=Hello\nArtist=?\n");
  EXPECT_EQ(Cli({"record", m_folder.PathOf("none.kar")}).exitCode, 2);
}

// 10 GB sparse files that start as a MIDI, ASF, ID3 or RIFF file inspect and give a record as
// quickly as small ones (the test would take minutes if any were read whole).
TEST_F(CliSongFileTest, TenGigabyteSongFilesInspectFromTheirParts) {
  struct Case {
    const char* name;
    std::string start;
    int inspectExit;
    const char* firstLine;
    const char* recordTitle;
  };
  const Case cases[] = {
      {"big.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tbig"}, {1, "@Tme"}}), 0,
       "Filetype: MIDI KARAOKE FILE", "Big"},
      {"big.wma", test::WmaFile({test::AsfContentDescription("big wma", "a", "")}), 0,
       "WMA (WINDOWS MEDIA AUDIO) file", "big wma"},
      {"big.mp3", test::Id3v2File({{"TIT2", "huge"}}), 0, "MP3 (ID3v2.3.0) MUSIC FILE", "Huge"},
      {"big.rmi", test::RmidFile({{3, "riff title"}, {3, "riff band"}}), 1, "MIDI MUSIC FILE",
       "Riff Title"},
  };
  for (const Case& c : cases) {
    const std::string path = m_folder.Write(c.name, c.start);
    ASSERT_EQ(::truncate(path.c_str(), 10LL << 30), 0);
    test::ProcessResult result = Cli({"inspect", path});
    EXPECT_EQ(result.exitCode, c.inspectExit) << c.name << ": " << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), c.firstLine) << c.name;
    result = Cli({"record", path});
    EXPECT_EQ(result.exitCode, 0) << c.name << ": " << result.err;
    EXPECT_NE(result.out.find(std::string("\nTitle=") + c.recordTitle + "\n"), std::string::npos)
        << c.name << ": " << result.out;
  }
}

// Run as a user that permissions bind: the scan names the folder it cannot enter and the song
// file it cannot read, each with the reason, and adds neither.
TEST_F(CliSongFileTest, ScanNamesWhatItCannotReadOnStandardError) {
  namespace fs = std::filesystem;
  fs::create_directories(m_folder.PathOf("songs/locked"));
  m_folder.Write("songs/locked/inside.kar", test::MidiFile({{3, "inside"}}));
  m_folder.Write("songs/open.kar", test::MidiFile({{3, "open"}}));
  const std::string secret = m_folder.Write("songs/secret.kar", test::MidiFile({{3, "secret"}}));
  const std::string locked = m_folder.PathOf("songs/locked");
  ASSERT_EQ(::chmod(m_folder.Path().c_str(), 0777), 0);  // the catalogue is saved there
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  ASSERT_EQ(::chmod(secret.c_str(), 0), 0);
  std::vector<std::string> command = test::CommandBoundByPermissions(TUNEDEX_CLI);
  if (!fs::exists(command[0])) GTEST_SKIP() << command[0] << " is needed to drop root's rights";
  const std::string program = command[0];
  command.erase(command.begin());
  for (const std::string& word :
       {std::string("scan"), m_folder.PathOf("new.tdb"), m_folder.PathOf("songs")}) {
    command.push_back(word);
  }
  const test::ProcessResult result = test::RunProgram(program, command);
  ::chmod(locked.c_str(), 0755);
  EXPECT_EQ(result.out, "1 songs found, 1 added\n") << result.err;
  EXPECT_NE(result.err.find("Cannot read file " + secret + ": Permission denied\n"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("Cannot enter folder " + locked + ": Permission denied\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find("corrupted"), std::string::npos) << result.err;
}

TEST_F(CliSongFileTest, ScanAddsNewSongsAndSavesTheCatalogue) {
  std::filesystem::create_directories(m_folder.PathOf("songs/sub"));
  m_folder.Write("songs/one.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tone"}}));
  m_folder.Write("songs/sub/two.mp3", test::Id3v2File({{"TIT2", "two"}}));
  m_folder.Write("songs/sub/three.wma", "not really");
  const std::string db = m_folder.PathOf("new.tdb");
  test::ProcessResult result = Cli({"scan", db, m_folder.PathOf("songs"), "--types", "kar,mp3"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "2 songs found, 2 added\n");
  result = Cli({"scan", db, m_folder.PathOf("songs")});
  EXPECT_EQ(result.out, "3 songs found, 1 added\n");
  result = Cli({"list", db, "--sort", "title"});
  EXPECT_EQ(Titles(result.out), (std::vector<std::string>{"One", "three.wma", "Two"}));

  const std::string before = test::ReadFileText(db);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"scan", db, m_folder.PathOf("nowhere")},
        std::vector<std::string>{"scan", m_folder.PathOf("no/folder.tdb"),
                                 m_folder.PathOf("songs")},
        std::vector<std::string>{"scan", db, m_folder.PathOf("songs"), "--types", "ogg"}}) {
    EXPECT_EQ(Cli(bad).exitCode, 2) << bad[1] << " " << bad[2];
  }
  const std::string invalid = m_folder.Write("invalid.tdb", "garbage!!!");
  EXPECT_EQ(Cli({"scan", invalid, m_folder.PathOf("songs")}).exitCode, 2);
  EXPECT_EQ(test::ReadFileText(invalid), "garbage!!!");
  EXPECT_EQ(test::ReadFileText(db), before) << "bad input leaves the catalogue untouched";
}

}  // namespace
}  // namespace tunedex
