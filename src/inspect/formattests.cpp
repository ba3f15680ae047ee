// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/formattests.h"

#include "common/fileio.h"

namespace tunedex {

bool IsMidi(Bytes head) {
  return StartsWith(head, "MThd");
}

bool IsStarData(Bytes head) {
  return StartsWith(head, "STAR DATA V3");
}

bool IsRmid(Bytes head) {
  return head.size() > 15 && StartsWith(head, "RIFF") && HasAt(head, 8, "RMIDdata");
}

bool IsId3v23(Bytes head) {
  return StartsWith(head, "ID3") && head.size() > 3 && head[3] == 3;
}

bool IsKfn(Bytes head) {
  return StartsWith(head, "KFN3");
}

bool IsPackedKfn(Bytes file) {
  return IsPackedKfn(file, [&] { return file; });
}

bool IsPackedKfn(Bytes start, const std::function<Bytes()>& readEnd) {
  static constexpr std::uint8_t kZipHeader[] = {0x50, 0x4B, 0x03, 0x04, 0x14};
  if (start.size() < 5 ||
      !std::equal(std::begin(kZipHeader), std::end(kZipHeader), start.begin())) {
    return false;
  }
  const Bytes end = readEnd();
  if (end.size() < 2) return false;
  const std::size_t back = ReadLE16(end, end.size() - 2);
  return back <= end.size() && HasAt(end, end.size() - back, "KFN3");
}

std::string_view FileExtension(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool IsMpegByExtension(std::string_view fileName) {
  std::string ext(FileExtension(fileName));
  if (ext.size() < 2) return false;
  for (char& ch : ext) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  }
  return std::string_view(".mpg.mpeg").find(ext) != std::string_view::npos;
}

bool HasMpegFrame(Bytes head) {
  for (std::size_t i = 0; i + 2 < head.size(); ++i) {
    if (head[i] != 0xFF) continue;
    const std::uint8_t b1 = head[i + 1];
    const std::uint8_t b2 = head[i + 2];
    if ((b1 & 0xE0) != 0 && (b1 & 0x18) != 0x08 && (b1 & 0x06) != 0 && (b2 & 0xF0) != 0 &&
        (b2 & 0x0C) != 0x0C) {
      return true;
    }
  }
  return false;
}

bool HasKaraokeMarker(Bytes bytes) {
  return ContainsUpperCased(bytes, "MIDI KARAOKE FILE");
}

}  // namespace tunedex
