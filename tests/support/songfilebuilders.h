// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "inspect/bytes.h"

namespace tunedex::test {

// Song files made byte by byte, as small as each test needs.

struct MetaText {
  std::uint8_t type;  // 1 text, 2 copyright, 3 track name, 5 lyric
  std::string text;
};

// A type 0 MIDI file whose one track holds the meta events, each after a zero delta time.
std::string MidiFile(const std::vector<MetaText>& events);
// The same wrapped in a RIFF "RMID" container.
std::string RmidFile(const std::vector<MetaText>& events);

// An ID3v2.3 tag with the frames (ID, text after an encoding byte of 0), then audio bytes.
std::string Id3v2File(const std::vector<std::pair<std::string, std::string>>& frames,
                      std::uint8_t majorVersion = 3, const std::string& audio = "\xFF\xFB\x90\x00");
// A frame of an ID3v2.3 tag, with text taken as it is (encoding byte included).
std::string Id3v2Frame(const std::string& id, const std::string& payload);
// The 128-byte ID3v1 tag.
std::string Id3v1Tag(const std::string& title, const std::string& artist, const std::string& album,
                     const std::string& year, const std::string& comment, std::uint8_t genre);

// ASF objects and a header holding them.
std::string AsfObject(const std::vector<std::uint8_t>& guid, const std::string& body);
std::string AsfFileProperties(std::uint32_t maxBitRate);
std::string AsfStreamProperties(std::uint16_t channels, std::uint32_t sampleRate,
                                std::uint32_t bytesPerSecond);
std::string AsfContentDescription(const std::string& title, const std::string& author,
                                  const std::string& description);
struct AsfDescriptor {
  std::string name;
  std::uint16_t type;  // 0 text
  std::string value;   // text, or raw bytes for other types
};
std::string AsfExtendedContentDescription(const std::vector<AsfDescriptor>& descriptors);
std::string AsfFile(const std::vector<std::string>& objects, std::uint32_t objectCount = 0);
std::string Utf16(const std::string& latin1);  // each byte as one UTF-16LE character
// A valid stereo 128 kbit/s WMA file with the given tag objects after its properties.
std::string WmaFile(const std::vector<std::string>& tagObjects);

// A STAR DATA header of the given length with fields (offset, bytes) written into it.
std::string StarDataFile(std::size_t length,
                         const std::vector<std::pair<std::size_t, std::string>>& fields);

// A KaraFun header block with fields (offset, bytes) written into it.
std::string KfnBlock(const std::vector<std::pair<std::size_t, std::string>>& fields);
// A version 2 file: a ZIP local header, filler, the block `back` bytes before the end.
std::string PackedKfnFile(const std::string& block, std::uint16_t back);

std::string LE16(std::uint16_t value);
std::string LE32(std::uint32_t value);

inline Bytes AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace tunedex::test
