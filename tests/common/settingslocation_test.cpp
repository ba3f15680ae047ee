// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settingslocation.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
}  // namespace tunedex
