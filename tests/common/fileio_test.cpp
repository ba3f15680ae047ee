// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/fileio.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>

#include "common/inifile.h"
#include "support/childprocess.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using namespace std::chrono_literals;

// Things that are not regular files, each made in the folder under a name of its own.
class NotAFileTest : public testing::Test {
 protected:
  std::string Pipe() {
    const std::string path = m_folder.PathOf("pipe");
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }
  std::string Socket() {
    const std::string path = m_folder.PathOf("socket");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    return path;
  }
  std::string LinkTo(const std::string& target, const std::string& name) {
    const std::string path = m_folder.PathOf(name);
    std::filesystem::create_symlink(target, path);
    return path;
  }
  void TearDown() override {
    if (m_socket >= 0) ::close(m_socket);
  }

  test::TempFolder m_folder;
  int m_socket = -1;
};

struct NotAFileCase {
  std::string path;
  std::string reason;
};

TEST_F(NotAFileTest, ReadingRefusesAtOnceNamingTheFileAndWhatItIs) {
  const std::string pipe = Pipe();
  const NotAFileCase cases[] = {
      {pipe, "Is a named pipe, not a file"},
      {LinkTo(pipe, "link-to-pipe"), "Is a named pipe, not a file"},
      {Socket(), "Is a socket, not a file"},
      {"/dev/zero", "Is a device, not a file"},
      {LinkTo("/dev/null", "link-to-device"), "Is a device, not a file"},
      {m_folder.Path(), "Is a directory"},
  };
  for (const NotAFileCase& c : cases) {
    // In a child process: a read that waits for a writer to the pipe must not hang the test.
    const auto end = test::RunInChildWithin(5s, [&] {
      try {
        ReadWholeFile(c.path);
      } catch (const FileError& error) {
        return std::string(error.what()) == "Cannot open " + c.path + ": " + c.reason ? 0 : 1;
      }
      return 2;
    });
    ASSERT_TRUE(end.has_value()) << c.path << " is still being read";
    EXPECT_EQ(end->exitCode, 0) << c.path << " (1: another message, 2: no error)";
  }
}

TEST_F(NotAFileTest, ALinkToARegularFileIsRead) {
  const std::string file = m_folder.Write("file", "bytes");
  const std::vector<std::uint8_t> bytes = ReadWholeFile(LinkTo(file, "link"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "bytes");
}

TEST_F(NotAFileTest, ASettingsFileThatIsAPipeIsRefusedWithoutWaiting) {
  const std::string pipe = Pipe();
  const auto end = test::RunInChildWithin(5s, [&] {
    try {
      tIniFile::Load(pipe);
    } catch (const FileError& error) {
      return error.Path() == pipe ? 0 : 1;
    }
    return 2;
  });
  ASSERT_TRUE(end.has_value()) << "the settings file is still being read";
  EXPECT_EQ(end->exitCode, 0);
}

// Only things made in the test's folder: a save that wrongly replaced a device would replace it
// for the whole system.
TEST_F(NotAFileTest, SavingDoesNotReplaceAPipeOrASocket) {
  const std::string pipe = Pipe();
  const std::string socket = Socket();
  for (const std::string& path : {pipe, LinkTo(pipe, "link-to-pipe"), socket}) {
    EXPECT_THROW(WriteFileAtomically(path, "bytes"), FileError) << path;
  }
  struct stat info {};
  ASSERT_EQ(::stat(pipe.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  ASSERT_EQ(::stat(socket.c_str(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                          std::filesystem::directory_iterator()),
            3)
      << "no temporary file is left behind";
}

}  // namespace
}  // namespace tunedex
