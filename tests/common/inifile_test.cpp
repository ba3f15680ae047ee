// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/inifile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "common/fileio.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

constexpr const char* kSample =
    "; written by hand\n"
    "[Main]\n"
    "Top=10\n"
    "  Left = 20  \n"
    "garbage line without equals\n"
    "\n"
    "[SongGrid]\n"
    "Font name=MS Sans Serif\n"
    "Quoted=\"  spaced  \"\n"
    "[main]\n"
    "Top=99\n";

TEST(IniFileTest, MatchesSectionsAndKeysWithoutRegardToCase) {
  const tIniFile ini = tIniFile::Parse(kSample);
  EXPECT_EQ(ini.ReadInteger("MAIN", "top", 0), 10) << "the first section of a name counts";
  EXPECT_EQ(ini.ReadInteger("main", "LEFT", 0), 20);
  EXPECT_EQ(ini.ReadString("songgrid", "FONT NAME", ""), "MS Sans Serif");
  EXPECT_EQ(ini.ReadString("SongGrid", "Quoted", ""), "  spaced  ");
  EXPECT_EQ(ini.ReadString("SongGrid", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Nowhere", "Top", "dflt"), "dflt");
  EXPECT_FALSE(ini.HasKey("Main", "garbage line without equals"));
}

struct IntegerCase {
  const char* value;
  int expected;
};

class IniIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(IniIntegerTest, ReadsDecimalOrTheDefault) {
  const tIniFile ini = tIniFile::Parse(std::string("[S]\nK=") + GetParam().value + "\n");
  EXPECT_EQ(ini.ReadInteger("S", "K", -7), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, IniIntegerTest,
                         testing::Values(IntegerCase{"12", 12}, IntegerCase{" -5 ", -5},
                                         IntegerCase{"+7", 7}, IntegerCase{"0", 0},
                                         IntegerCase{"abc", -7}, IntegerCase{"12x", -7},
                                         IntegerCase{"", -7}, IntegerCase{"99999999999", -7},
                                         IntegerCase{"-2147483634", -2147483634},
                                         IntegerCase{"1.5", -7}));

TEST(IniFileTest, FlagsAreNonZeroIntegers) {
  const tIniFile ini = tIniFile::Parse("[O]\na=0\nb=1\nc=2\nd=yes\n");
  EXPECT_FALSE(ini.ReadBool("O", "a", true));
  EXPECT_TRUE(ini.ReadBool("O", "b", false));
  EXPECT_TRUE(ini.ReadBool("O", "c", false));
  EXPECT_TRUE(ini.ReadBool("O", "d", true));
  EXPECT_FALSE(ini.ReadBool("O", "d", false));
  EXPECT_TRUE(ini.ReadBool("O", "missing", true));
}

TEST(IniFileTest, WritingChangesKeysInPlaceAndKeepsEverythingElse) {
  tIniFile ini = tIniFile::Parse(kSample);
  ini.WriteInteger("MAIN", "left", 5);
  ini.WriteBool("Main", "Maximised", true);
  ini.WriteString("SongGrid", "Font name", "DejaVu Sans");
  ini.WriteString("Startup", "Data", "/home/host/My Songs/all.tdb");
  EXPECT_EQ(ini.Text(),
            "; written by hand\n"
            "[Main]\n"
            "Top=10\n"
            "Left=5\n"
            "Maximised=1\n"
            "garbage line without equals\n"
            "\n"
            "[SongGrid]\n"
            "Font name=DejaVu Sans\n"
            "Quoted=\"  spaced  \"\n"
            "[main]\n"
            "Top=99\n"
            "[Startup]\n"
            "Data=/home/host/My Songs/all.tdb\n");
}

TEST(IniFileTest, ALineBreakInAValueCannotStartAnotherKey) {
  tIniFile ini;
  ini.WriteString("S", "Songs", "/a\nInjected=1\r");
  const tIniFile reread = tIniFile::Parse(ini.Text());
  EXPECT_FALSE(reread.HasKey("S", "Injected"));
  EXPECT_EQ(reread.ReadString("S", "Songs", ""), "/a Injected=1");
}

TEST(IniFileTest, KeepsWindowsLineEnds) {
  tIniFile ini = tIniFile::Parse("[Main]\r\nTop=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Main", "Top", 0), 1);
  ini.WriteInteger("Main", "Top", 2);
  EXPECT_EQ(ini.Text(), "[Main]\r\nTop=2\r\n");
}

TEST(IniFileTest, SavesAndLoadsAFile) {
  test::TempFolder folder;
  const std::string path = folder.PathOf("tunedex.ini");
  EXPECT_TRUE(tIniFile::Load(path).Sections().empty()) << "a missing file is empty";
  tIniFile ini;
  ini.WriteInteger("Main", "State", 2);
  ini.Save(path);
  EXPECT_EQ(tIniFile::Load(path).ReadInteger("Main", "State", 0), 2);
  EXPECT_THROW(tIniFile::Load(folder.Path()), FileError);
}

// Blank lines and comments, however many, are kept as they were around the keys, and a key
// written goes after the last key of its section.
TEST(IniFileTest, RunsOfOtherLinesAreKeptAsTheyWere) {
  const std::string blanks(1000, '\n');
  const std::string text =
      "; top\n\n[A]\n" + blanks + "x=1\n; note\n\n" + blanks + "[B]\n" + blanks + "; end\n";
  tIniFile ini = tIniFile::Parse(text);
  EXPECT_EQ(ini.Text(), text);
  EXPECT_EQ(ini.ReadInteger("a", "X", 0), 1);
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "B"}));
  ini.WriteInteger("A", "y", 2);
  ini.WriteInteger("B", "z", 3);
  EXPECT_EQ(ini.Text(), "; top\n\n[A]\n" + blanks + "x=1\ny=2\n; note\n\n" + blanks + "[B]\nz=3\n" +
                            blanks + "; end\n");
  EXPECT_EQ(tIniFile::Parse(ini.Text()).ReadInteger("B", "z", 0), 3);
}

// Keys before the first section belong to none; the first of two keys of a name counts and is
// the one written.
TEST(IniFileTest, KeysOutsideSectionsAndRepeatedKeys) {
  tIniFile ini = tIniFile::Parse("k=0\n[S]\nk=1\nk=2\n");
  EXPECT_EQ(ini.ReadInteger("S", "K", -1), 1);
  EXPECT_FALSE(ini.HasKey("", "k"));
  ini.WriteInteger("s", "k", 5);
  EXPECT_EQ(ini.Text(), "k=0\n[S]\nk=5\nk=2\n");
}

// A huge settings file (here 50 MB of empty lines with a key at each end) is read only up to
// the bound, ending at a line break: the key beyond it is ignored and the file says so.
TEST(IniFileTest, AHugeTextIsReadOnlyUpToTheBound) {
  struct Case {
    const char* name;
    std::string text;
    bool truncated;
  };
  const std::string head = "[Main]\nTop=7\n";
  const Case cases[] = {
      {"small", head + std::string(1000, '\n') + "Left=1\n", false},
      {"at the bound", head + std::string(tIniFile::kMaxSize - head.size() - 7, '\n') + "Left=1\n",
       false},
      {"50 MB of empty lines",
       head + std::string(50 << 20, '\n') + "[Main]\nLeft=1\n[Other]\nKey=1\n", true},
      {"one long line", head + "Note=" + std::string(tIniFile::kMaxSize, 'x') + "\nLeft=1\n", true},
  };
  for (const Case& c : cases) {
    const tIniFile ini = tIniFile::Parse(c.text);
    EXPECT_EQ(ini.Truncated(), c.truncated) << c.name;
    EXPECT_EQ(ini.ReadInteger("Main", "Top", 0), 7) << c.name;
    EXPECT_EQ(ini.ReadInteger("Main", "Left", 0), c.truncated ? 0 : 1) << c.name;
    EXPECT_FALSE(ini.HasKey("Other", "Key")) << c.name;
    EXPECT_LE(ini.Text().size(), tIniFile::kMaxSize) << c.name;
    if (c.truncated) {
      EXPECT_EQ(ini.Text().back(), '\n') << c.name;
    }
  }
  // The cut keeps whole lines: the text read is the bound's worth up to its last line break.
  const std::string lines = head + std::string(tIniFile::kMaxSize, 'y') + "\n";
  const std::string twoLines = head + "a=1\n" + std::string(tIniFile::kMaxSize, 'y') + "\n";
  EXPECT_EQ(tIniFile::Parse(twoLines).Text(), head + "a=1\n");
  EXPECT_EQ(tIniFile::Parse(lines).Text(), head);
}

}  // namespace
}  // namespace tunedex

namespace tunedex {
namespace {

// A settings file of any size costs no more than the bound to read: only its head is read.
TEST(IniFileTest, AHugeSettingsFileIsReadOnlyUpToTheBound) {
  test::TempFolder folder;
  const std::string path = folder.Write("huge.ini", "[Main]\nTop=7\n");
  ASSERT_EQ(::truncate(path.c_str(), std::int64_t{10} << 30), 0);  // 10 GB, sparse
  const tIniFile ini = tIniFile::Load(path);
  EXPECT_TRUE(ini.Truncated());
  EXPECT_EQ(ini.ReadInteger("Main", "Top", 0), 7);
  EXPECT_LE(ini.Text().size(), tIniFile::kMaxSize);
}

}  // namespace
}  // namespace tunedex
