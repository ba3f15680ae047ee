// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/giofilesystem.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/tempfolder.h"

namespace tunedex {
namespace {

namespace fs = std::filesystem;

// Bytes enough for a copy to report progress many times.
std::string Song(std::size_t size = std::size_t{8} << 20) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919) >> 8);
  return bytes;
}

class GioFileSystemTest : public testing::Test {
 protected:
  test::TempFolder m_folder;
  GioFileSystem m_files;
};

TEST_F(GioFileSystemTest, InfoTellsFilesFromFoldersAndFollowsLinks) {
  const std::string song = m_folder.Write("a.kar", "12345");
  fs::create_symlink(song, m_folder.PathOf("link.kar"));
  fs::create_symlink(m_folder.PathOf("missing"), m_folder.PathOf("dangling"));
  const std::optional<FileInfo> info = m_files.Info(m_folder.PathOf("link.kar"));
  ASSERT_TRUE(info);
  EXPECT_TRUE(info->isRegularFile);
  EXPECT_EQ(info->size, 5u);
  EXPECT_EQ(info->inode, m_files.Info(song)->inode);
  struct stat st {};
  ::stat(song.c_str(), &st);
  EXPECT_EQ(std::chrono::system_clock::to_time_t(info->modified), st.st_mtim.tv_sec);

  EXPECT_TRUE(m_files.FileExists(song));
  EXPECT_FALSE(m_files.FolderExists(song));
  EXPECT_TRUE(m_files.FolderExists(m_folder.Path()));
  EXPECT_FALSE(m_files.FileExists(m_folder.Path())) << "a folder is not a file";
  EXPECT_FALSE(m_files.FileExists(m_folder.PathOf("dangling")));
}

TEST_F(GioFileSystemTest, ListsByPatternsIgnoringCaseAndAlwaysListsFolders) {
  m_folder.Write("one.KAR", "");
  m_folder.Write("two.mp3", "");
  m_folder.Write("three.cdg", "");
  fs::create_directory(m_folder.PathOf("sub.d"));
  fs::create_directory_symlink(m_folder.PathOf("sub.d"), m_folder.PathOf("folder-link"));
  fs::create_symlink(m_folder.PathOf("one.KAR"), m_folder.PathOf("file-link.kar"));
  fs::create_symlink(m_folder.PathOf("gone"), m_folder.PathOf("dangling.kar"));

  const FolderListing all = m_files.List(m_folder.Path());
  ASSERT_TRUE(all.result) << all.result.reason;
  EXPECT_EQ(all.entries.size(), 7u);

  const FolderListing kar = m_files.List(m_folder.Path(), {"*.kar", "*.MP3"});
  std::vector<std::string> names;
  for (const FolderEntry& entry : kar.entries) {
    names.push_back(entry.name + (entry.isFolder ? "/" : "") + (entry.isLink ? "@" : "") +
                    (entry.isRegularFile ? "" : "?"));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"dangling.kar@?", "file-link.kar@", "folder-link/@?",
                                             "one.KAR", "sub.d/?", "two.mp3"}));
}

TEST_F(GioFileSystemTest, AFolderThatCannotBeListedSaysWhy) {
  const FolderListing listing = m_files.List(m_folder.PathOf("missing"));
  EXPECT_EQ(listing.result.failure, FileFailure::NotFound);
  EXPECT_NE(listing.result.reason.find("No such file or directory"), std::string::npos)
      << listing.result.reason;
  EXPECT_NE(listing.result.reason.find(m_folder.PathOf("missing")), std::string::npos);
}

TEST_F(GioFileSystemTest, RenameNeverReplacesAFile) {
  const std::string from = m_folder.Write("a.kar", "song");
  const std::string taken = m_folder.Write("b.kar", "precious");
  const FileResult refused = m_files.RenameWithoutReplacing(from, taken);
  EXPECT_EQ(refused.failure, FileFailure::AlreadyExists);
  EXPECT_FALSE(refused.reason.empty());
  EXPECT_EQ(test::ReadFileText(taken), "precious");
  EXPECT_EQ(test::ReadFileText(from), "song");

  EXPECT_TRUE(m_files.RenameWithoutReplacing(from, m_folder.PathOf("c.kar")));
  EXPECT_EQ(test::ReadFileText(m_folder.PathOf("c.kar")), "song");
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(m_files.RenameWithoutReplacing(from, m_folder.PathOf("d.kar")).failure,
            FileFailure::NotFound);
}

TEST_F(GioFileSystemTest, CopyReportsProgressUpToTheWhole) {
  const std::string bytes = Song();
  const std::string from = m_folder.Write("big.mpg", bytes);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
  const FileResult result =
      m_files.Copy(from, m_folder.PathOf("copy.mpg"), [&](std::uint64_t done, std::uint64_t total) {
        steps.emplace_back(done, total);
        return true;
      });
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(test::ReadFileText(m_folder.PathOf("copy.mpg")), bytes);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back(), std::make_pair(std::uint64_t{bytes.size()}, std::uint64_t{bytes.size()}));
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
}

TEST_F(GioFileSystemTest, ACancelledCopyLeavesNoPartOfTheTarget) {
  const std::string bytes = Song();
  const std::string from = m_folder.Write("big.mpg", bytes);
  const std::string to = m_folder.PathOf("copy.mpg");
  int calls = 0;
  const FileResult result = m_files.Copy(from, to, [&](std::uint64_t done, std::uint64_t total) {
    ++calls;
    return done == 0 || done < total / 4;
  });
  EXPECT_EQ(result.failure, FileFailure::Cancelled) << result.reason;
  EXPECT_GE(calls, 1);
  EXPECT_FALSE(fs::exists(to));
  EXPECT_EQ(test::ReadFileText(from), bytes);
}

TEST_F(GioFileSystemTest, CopyAndMoveNeverReplaceAFile) {
  const std::string from = m_folder.Write("a.kar", "song");
  const std::string taken = m_folder.Write("b.kar", "precious");
  EXPECT_EQ(m_files.Copy(from, taken).failure, FileFailure::AlreadyExists);
  EXPECT_EQ(m_files.Move(from, taken).failure, FileFailure::AlreadyExists);
  EXPECT_EQ(test::ReadFileText(taken), "precious");
  EXPECT_EQ(test::ReadFileText(from), "song");
  const FileResult missing = m_files.Copy(m_folder.PathOf("none.kar"), m_folder.PathOf("x.kar"));
  EXPECT_EQ(missing.failure, FileFailure::NotFound);
  EXPECT_FALSE(missing.reason.empty());
}

// A folder of its own in /dev/shm, which is another file system than the temporary folder on
// most systems.
class OtherVolumeFolder {
 public:
  OtherVolumeFolder() {
    std::string pattern = "/dev/shm/tunedex-test-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  ~OtherVolumeFolder() {
    std::error_code ignored;
    if (!m_path.empty()) fs::remove_all(m_path, ignored);
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

TEST_F(GioFileSystemTest, MoveAcrossFileSystemsCopiesThenDeletes) {
  OtherVolumeFolder other;
  struct stat here {
  }, there{};
  if (other.Path().empty() || ::stat(other.Path().c_str(), &there) != 0 ||
      ::stat(m_folder.Path().c_str(), &here) != 0 || here.st_dev == there.st_dev) {
    GTEST_SKIP() << "/dev/shm is not another file system here";
  }
  const std::string bytes = Song();
  const std::string from = m_folder.Write("big.mpg", bytes);
  const std::string to = other.Path() + "/big.mpg";

  const FileResult cancelled =
      m_files.Move(from, to, [](std::uint64_t done, std::uint64_t) { return done == 0; });
  EXPECT_EQ(cancelled.failure, FileFailure::Cancelled) << cancelled.reason;
  EXPECT_FALSE(fs::exists(to));
  EXPECT_EQ(test::ReadFileText(from), bytes);

  std::uint64_t last = 0;
  const FileResult moved = m_files.Move(from, to, [&last](std::uint64_t done, std::uint64_t) {
    last = done;
    return true;
  });
  ASSERT_TRUE(moved) << moved.reason;
  EXPECT_EQ(last, bytes.size());
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(test::ReadFileText(to), bytes);
}

TEST_F(GioFileSystemTest, DeleteRemovesFilesAndEmptyFoldersAndSaysWhyNot) {
  const std::string song = m_folder.Write("a.kar", "x");
  fs::create_directories(m_folder.PathOf("full/inner"));
  EXPECT_TRUE(m_files.Delete(song));
  EXPECT_FALSE(fs::exists(song));
  EXPECT_TRUE(m_files.Delete(m_folder.PathOf("full/inner")));
  const FileResult again = m_files.Delete(song);
  EXPECT_EQ(again.failure, FileFailure::NotFound);
  EXPECT_FALSE(again.reason.empty());
  fs::create_directories(m_folder.PathOf("full/inner"));
  EXPECT_FALSE(m_files.Delete(m_folder.PathOf("full")));
  EXPECT_TRUE(fs::exists(m_folder.PathOf("full/inner")));
}

// The desktop's trash is found through HOME and XDG_DATA_HOME, which GLib reads once per
// process; the test runs in a fresh copy of this program with both pointing at a folder of
// its own, so the user's trash is never touched.
TEST(GioTrashTest, TrashMovesTheFileIntoTheUsersTrash) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        test::TempFolder home;
        ::setenv("HOME", home.Path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", home.PathOf("data").c_str(), 1);
        const std::string song = home.Write("Trashed Song.kar", "x");
        GioFileSystem files;
        const FileResult result = files.Trash(song);
        const bool inTrash = fs::exists(home.PathOf("data/Trash/files/Trashed Song.kar")) &&
                             fs::exists(home.PathOf("data/Trash/info/Trashed Song.kar.trashinfo"));
        const bool gone = !fs::exists(song);
        std::error_code ignored;
        fs::remove_all(home.Path(), ignored);
        std::exit(result && inTrash && gone ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(GioFileSystemTest, FreeSpaceOfTheVolumeHoldingAPath) {
  const std::optional<std::uint64_t> free = m_files.FreeSpace(m_folder.Path());
  ASSERT_TRUE(free);
  EXPECT_GT(*free, 0u);
  EXPECT_FALSE(m_files.FreeSpace(m_folder.PathOf("missing/deeper")));
}

}  // namespace
}  // namespace tunedex
