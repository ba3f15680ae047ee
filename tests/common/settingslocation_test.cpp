// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settingslocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "common/inifile.h"

#include "support/tempfolder.h"

namespace tunedex {
namespace {

class SettingsLocationTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) m_savedXdg = xdg;
    ::setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
  }
  void TearDown() override {
    if (m_savedXdg) {
      ::setenv("XDG_CONFIG_HOME", m_savedXdg->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }

  test::TempFolder m_program;
  test::TempFolder m_config;
  std::optional<std::string> m_savedXdg;
};

TEST_F(SettingsLocationTest, AnExplicitFileWins) {
  EXPECT_EQ(SettingsFilePath(m_program.PathOf("tunedex"), "/x/my.ini"), "/x/my.ini");
}

TEST_F(SettingsLocationTest, LivesBesideAProgramInAWritableFolder) {
  EXPECT_EQ(SettingsFilePath(m_program.PathOf("tunedex"), ""), m_program.PathOf("tunedex.ini"));
  EXPECT_EQ(SettingsFilePath(m_program.PathOf("tunedex-cli"), ""), m_program.PathOf("tunedex.ini"))
      << "both programs share one file";
}

// An installed program (PREFIX/bin beside PREFIX/share/applications holding the desktop
// entry) keeps its settings in the user's config folder even when it may write in its own
// folder, as root may in /usr/bin or a user in ~/.local/bin; a build tree or a portable copy
// without the entry keeps them beside the program.
TEST_F(SettingsLocationTest, AnInstalledProgramNeverWritesBesideItself) {
  std::filesystem::create_directories(m_program.PathOf("bin"));
  std::filesystem::create_directories(m_program.PathOf("share/applications"));
  const std::string program = m_program.PathOf("bin/tunedex");
  ASSERT_EQ(SettingsFilePath(program, ""), m_program.PathOf("bin/tunedex.ini"))
      << "no desktop entry yet: a portable copy";

  m_program.Write("share/applications/org.tunedex.Tunedex.desktop", "[Desktop Entry]\n");
  EXPECT_EQ(SettingsFilePath(program, ""), m_config.Path() + "/tunedex/tunedex.ini");
  EXPECT_EQ(SettingsFilePath(m_program.PathOf("bin/tunedex-cli"), ""),
            m_config.Path() + "/tunedex/tunedex.ini")
      << "both programs share one file";
  EXPECT_EQ(SettingsFilePath(program, "/x/my.ini"), "/x/my.ini") << "an explicit file still wins";

  // Another program's entry does not make this one installed.
  std::filesystem::remove(m_program.PathOf("share/applications/org.tunedex.Tunedex.desktop"));
  m_program.Write("share/applications/other.desktop", "[Desktop Entry]\n");
  EXPECT_EQ(SettingsFilePath(program, ""), m_program.PathOf("bin/tunedex.ini"));
}

TEST_F(SettingsLocationTest, OtherwiseLivesInTheUsersConfigFolder) {
  EXPECT_EQ(SettingsFilePath(m_program.PathOf("missing/tunedex"), ""),
            m_config.Path() + "/tunedex/tunedex.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  if (!home.empty()) {
    EXPECT_EQ(SettingsFilePath("", ""), home + "/.config/tunedex/tunedex.ini");
  }
}

// A fresh account has no tunedex folder below its config folder, and perhaps no config folder
// at all: the first save makes them, private to the user.
TEST_F(SettingsLocationTest, TheFirstSaveCreatesTheMissingFolders) {
  const std::string config = m_config.PathOf("fresh/.config");
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  const std::string path = SettingsFilePath(m_program.PathOf("missing/tunedex"), "");
  ASSERT_EQ(path, config + "/tunedex/tunedex.ini");
  tIniFile ini = tIniFile::Load(path);
  ini.WriteString("Startup", "Data", "/songs/list.tdb");
  ASSERT_NO_THROW(ini.Save(path));
  EXPECT_EQ(tIniFile::Load(path).ReadString("Startup", "Data", ""), "/songs/list.tdb");
  for (const std::string& folder : {config + "/tunedex", config}) {
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0) << folder;
    EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
  }
  // The next save finds the folder there.
  ini.WriteInteger("Main", "State", 2);
  ASSERT_NO_THROW(ini.Save(path));
  EXPECT_EQ(tIniFile::Load(path).ReadInteger("Main", "State", 0), 2);
}

}  // namespace
}  // namespace tunedex
