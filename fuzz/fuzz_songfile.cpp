// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a song file under every song extension: inspecting it and reading its
// record never crash, and the record's texts stay within their fields.
#include <cstdint>
#include <cstdlib>

#include "inspect/songfilereader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tunedex;
  static const char* const kNames[] = {"/f/s.kar", "/f/s.st3", "/f/s.mid", "/f/s.rmi", "/f/s.mp3",
                                       "/f/s.wma", "/f/s.kfn", "/f/s.mpg", "/f/s"};
  const Bytes bytes(data, size);
  for (const char* name : kNames) {
    InfoLines lines;
    bool recognised = false;
    InspectSongBytes(bytes, name, lines, recognised);
    tSongRecord record;
    ReadSongRecordBytes(bytes, name, record, [](const std::string&) { return true; });
    if (record.RawText(TextField::Title).size() > 80 ||
        record.RawText(TextField::Artist).size() > 40) {
      std::abort();
    }
  }
  return 0;
}
