// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/filesystem.h"

#include <gtest/gtest.h>

#include "support/fakefilesystem.h"

namespace tunedex {
namespace {

TEST(NamePatternTest, StarsAndQuestionMarksIgnoringCase) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"Song.KAR", "*.kar", true},
      {"song.kar", "*.KAR", true},
      {"song.kar.bak", "*.kar", false},
      {"song.kar", "*.ka", false},
      {".kar", "*.kar", true},
      {"a.mid", "?.mid", true},
      {"ab.mid", "?.mid", false},
      {"a.b.c", "*.*", true},
      {"abc", "a*b*c", true},
      {"aXbYc", "a*b*c", true},
      {"aXbYcZ", "a*b*c", false},
      {"anything", "*", true},
      {"", "*", true},
      {"", "?", false},
      {"mississippi", "*iss*ppi", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesNamePattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
  EXPECT_TRUE(MatchesAnyNamePattern("x.mp3", {})) << "no patterns: every name";
  EXPECT_TRUE(MatchesAnyNamePattern("x.mp3", {"*.kar", "*.mp3"}));
  EXPECT_FALSE(MatchesAnyNamePattern("x.cdg", {"*.kar", "*.mp3"}));
}

// The fake stands in for the disk in the logic's tests, so it keeps the promises the interface
// makes: no replacing, moves across volumes that leave nothing behind when cancelled.
TEST(FakeFileSystemTest, KeepsTheInterfacesPromises) {
  test::FakeFileSystem files;
  files.AddFile("/a/one.kar", "one");
  files.AddFile("/a/two.KAR", "two");
  files.AddFolder("/a/sub");
  files.AddFile("/a/notes.txt");
  files.AddFolder("/usb");
  files.SetDevice("/usb", 2);

  std::vector<std::string> names;
  for (const FolderEntry& entry : files.List("/a", {"*.kar"}).entries) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"one.kar", "two.KAR", "sub"}));

  EXPECT_EQ(files.RenameWithoutReplacing("/a/one.kar", "/a/two.KAR").failure,
            FileFailure::AlreadyExists);
  EXPECT_EQ(files.RenameWithoutReplacing("/a/one.kar", "/usb/one.kar").failure,
            FileFailure::NotSupported);
  EXPECT_EQ(
      files.Move("/a/one.kar", "/usb/one.kar", [](std::uint64_t, std::uint64_t) { return false; })
          .failure,
      FileFailure::Cancelled);
  EXPECT_FALSE(files.FileExists("/usb/one.kar"));
  EXPECT_TRUE(files.Move("/a/one.kar", "/usb/one.kar"));
  EXPECT_EQ(files.Contents("/usb/one.kar"), "one");
  EXPECT_FALSE(files.FileExists("/a/one.kar"));

  EXPECT_TRUE(files.RenameWithoutReplacing("/a", "/b"));
  EXPECT_EQ(files.Contents("/b/two.KAR"), "two");
  EXPECT_TRUE(files.FolderExists("/b/sub"));
  EXPECT_FALSE(files.FolderExists("/a"));

  files.Fail(test::FakeFileSystem::Op::Trash, FileFailure::PermissionDenied, "/b/notes.txt");
  EXPECT_EQ(files.Trash("/b/notes.txt").failure, FileFailure::PermissionDenied);
  EXPECT_TRUE(files.Trash("/b/two.KAR"));
  EXPECT_EQ(files.Trashed(), std::vector<std::string>{"/b/two.KAR"});
  EXPECT_EQ(files.Calls(test::FakeFileSystem::Op::Trash), 2);
}

}  // namespace
}  // namespace tunedex
