// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/inifile.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tunedex
