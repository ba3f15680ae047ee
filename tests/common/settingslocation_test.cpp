// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settingslocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

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
