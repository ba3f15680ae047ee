// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/songfilebuilders.h"

namespace tunedex::test {

std::string LE16(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string LE32(std::uint32_t value) {
  return LE16(value & 0xFFFF) + LE16(value >> 16);
}

std::string BE32(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>((value >> 16) & 0xFF),
          static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string MidiFile(const std::vector<MetaText>& events) {
  std::string track;
  for (const MetaText& event : events) {
    track += '\0';
    track += '\xFF';
    track += static_cast<char>(event.type);
    track += static_cast<char>(event.text.size());
    track += event.text;
  }
  track += std::string("\0\xFF\x2F\0", 4);
  return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk" +
         BE32(static_cast<std::uint32_t>(track.size())) + track;
}

std::string RmidFile(const std::vector<MetaText>& events) {
  const std::string midi = MidiFile(events);
  const std::string data = "RMIDdata" + LE32(static_cast<std::uint32_t>(midi.size())) + midi;
  return "RIFF" + LE32(static_cast<std::uint32_t>(data.size())) + data;
}

std::string Id3v2Frame(const std::string& id, const std::string& payload) {
  return id + BE32(static_cast<std::uint32_t>(payload.size())) + std::string(2, '\0') + payload;
}

std::string Id3v2File(const std::vector<std::pair<std::string, std::string>>& frames,
                      std::uint8_t majorVersion, const std::string& audio) {
  std::string area;
  for (const auto& [id, text] : frames) area += Id3v2Frame(id, std::string(1, '\0') + text);
  const std::uint32_t size = static_cast<std::uint32_t>(area.size());
  std::string header = "ID3";
  header += static_cast<char>(majorVersion);
  header += std::string(2, '\0');
  for (int shift = 21; shift >= 0; shift -= 7) header += static_cast<char>((size >> shift) & 0x7F);
  return header + area + audio;
}

std::string Id3v1Tag(const std::string& title, const std::string& artist, const std::string& album,
                     const std::string& year, const std::string& comment, std::uint8_t genre) {
  const auto field = [](const std::string& text, std::size_t length) {
    std::string out = text.substr(0, length);
    out.resize(length, '\0');
    return out;
  };
  return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) +
         field(comment, 30) + std::string(1, static_cast<char>(genre));
}

namespace {

const std::vector<std::uint8_t> kHeaderGuid = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                               0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
const std::vector<std::uint8_t> kFilePropertiesGuid = {
    0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11, 0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
const std::vector<std::uint8_t> kStreamPropertiesGuid = {
    0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11, 0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
const std::vector<std::uint8_t> kContentGuid = {0x33, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                                0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
const std::vector<std::uint8_t> kExtendedGuid = {0x40, 0xA4, 0xD0, 0xD2, 0x07, 0xE3, 0xD2, 0x11,
                                                 0x97, 0xF0, 0x00, 0xA0, 0xC9, 0x5E, 0xA8, 0x50};

}  // namespace

std::string Utf16(const std::string& latin1) {
  std::string out;
  for (char ch : latin1) {
    out += ch;
    out += '\0';
  }
  return out;
}

std::string AsfObject(const std::vector<std::uint8_t>& guid, const std::string& body) {
  return std::string(guid.begin(), guid.end()) +
         LE32(static_cast<std::uint32_t>(24 + body.size())) + LE32(0) + body;
}

std::string AsfFileProperties(std::uint32_t maxBitRate) {
  // The maximum bit rate sits at object offset 100, 76 bytes into the body.
  return AsfObject(kFilePropertiesGuid,
                   std::string(76, '\0') + LE32(maxBitRate) + std::string(4, '\0'));
}

std::string AsfStreamProperties(std::uint16_t channels, std::uint32_t sampleRate,
                                std::uint32_t bytesPerSecond) {
  // The audio format data starts at object offset 80 (after a 2-byte format tag).
  return AsfObject(kStreamPropertiesGuid, std::string(56, '\0') + LE16(channels) +
                                              LE32(sampleRate) + LE32(bytesPerSecond) +
                                              std::string(6, '\0'));
}

std::string AsfContentDescription(const std::string& title, const std::string& author,
                                  const std::string& description) {
  const std::string texts[5] = {Utf16(title), Utf16(author), Utf16("(c)"), Utf16(description), ""};
  std::string body;
  for (const std::string& text : texts) body += LE16(static_cast<std::uint16_t>(text.size()));
  for (const std::string& text : texts) body += text;
  return AsfObject(kContentGuid, body);
}

std::string AsfExtendedContentDescription(const std::vector<AsfDescriptor>& descriptors) {
  std::string body = LE16(static_cast<std::uint16_t>(descriptors.size()));
  for (const AsfDescriptor& descriptor : descriptors) {
    const std::string name = Utf16(descriptor.name) + std::string(2, '\0');
    const std::string value =
        descriptor.type == 0 ? Utf16(descriptor.value) + std::string(2, '\0') : descriptor.value;
    body += LE16(static_cast<std::uint16_t>(name.size())) + name + LE16(descriptor.type) +
            LE16(static_cast<std::uint16_t>(value.size())) + value;
  }
  return AsfObject(kExtendedGuid, body);
}

std::string AsfFile(const std::vector<std::string>& objects, std::uint32_t objectCount) {
  std::string body;
  for (const std::string& object : objects) body += object;
  const std::uint32_t count =
      objectCount != 0 ? objectCount : static_cast<std::uint32_t>(objects.size());
  return std::string(kHeaderGuid.begin(), kHeaderGuid.end()) +
         LE32(static_cast<std::uint32_t>(30 + body.size())) + LE32(0) + LE32(count) + "\x01\x02" +
         body;
}

std::string WmaFile(const std::vector<std::string>& tagObjects) {
  std::vector<std::string> objects = {AsfFileProperties(128000),
                                      AsfStreamProperties(2, 44100, 16000)};
  objects.insert(objects.end(), tagObjects.begin(), tagObjects.end());
  return AsfFile(objects) + std::string(64, '\x55');
}

std::string StarDataFile(std::size_t length,
                         const std::vector<std::pair<std::size_t, std::string>>& fields) {
  std::string bytes(std::max<std::size_t>(length, 16), '\0');
  bytes.replace(0, 12, "STAR DATA V3");
  for (const auto& [offset, text] : fields) bytes.replace(offset, text.size(), text);
  bytes.resize(length);
  bytes.back() = '\x01';  // so the head keeps its length when zeros are stripped
  return bytes;
}

std::string KfnBlock(const std::vector<std::pair<std::size_t, std::string>>& fields) {
  std::string block(1024, '\0');
  block.replace(0, 4, "KFN3");
  for (const auto& [offset, text] : fields) block.replace(offset, text.size(), text);
  return block;
}

std::string PackedKfnFile(const std::string& block, std::uint16_t back) {
  std::string bytes("PK\x03\x04\x14", 5);
  bytes += std::string(300, 'z');
  bytes += block.substr(0, std::min<std::size_t>(block.size(), back - 2));
  bytes.resize(bytes.size() + (back - 2 - std::min<std::size_t>(block.size(), back - 2)), 'y');
  return bytes + LE16(back);
}

}  // namespace tunedex::test
