// SPDX-License-Identifier: GPL-3.0-or-later
// Song files of up to 64 GB made from short inputs: the input's bytes are the file's start and
// its end, the middle is a hole. Inspecting such a file and reading its record read only
// bounded parts of it, so every run stays within the fuzzer's time and memory limits.
//
// Input: byte 0 picks the extension, byte 1 the size (2 to the power of it modulo 37, plus the
// input's length), byte 2 how much of the rest goes to the start; the rest is the start, then
// the end.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/userinteraction.h"
#include "inspect/songfilereader.h"

namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t wrote = ::pwrite(fd, data, size, offset);
    if (wrote <= 0) return false;
    data += wrote;
    size -= static_cast<std::size_t>(wrote);
    offset += wrote;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tunedex;
  static const char* const kExtensions[] = {".kar", ".st3", ".mid", ".rmi", ".mp3",
                                            ".wma", ".kfn", ".mpg", ""};
  if (size < 3) return 0;
  const std::string extension = kExtensions[data[0] % std::size(kExtensions)];
  const std::size_t rest = size - 3;
  const std::size_t startSize = rest * data[2] / 255;
  const off_t fileSize = static_cast<off_t>((std::uint64_t{1} << (data[1] % 37)) + rest);

  const int fd = ::memfd_create("song", MFD_CLOEXEC);
  if (fd < 0) std::abort();
  if (::ftruncate(fd, fileSize) != 0 || !WriteAll(fd, data + 3, startSize, 0) ||
      !WriteAll(fd, data + 3 + startSize, rest - startSize,
                fileSize - static_cast<off_t>(rest - startSize))) {
    std::abort();
  }
  // The readers take a path; the song's extension follows a link's name, so the file is reached
  // through a link in the process's own folder of descriptors.
  const std::string target = "/proc/self/fd/" + std::to_string(fd);
  const std::string link = "/tmp/fuzz-song-" + std::to_string(::getpid()) + extension;
  ::unlink(link.c_str());
  if (::symlink(target.c_str(), link.c_str()) != 0) std::abort();

  SilentUser user;
  InfoLines lines;
  InspectSongFileStatus(link, lines, user);
  tSongRecord record;
  ReadSongRecord(link, record, user, [](const std::string&) { return true; });
  ::unlink(link.c_str());
  ::close(fd);
  if (record.RawText(TextField::Title).size() > 80 ||
      record.RawText(TextField::Artist).size() > 40) {
    std::abort();
  }
  return 0;
}
