// SPDX-License-Identifier: GPL-3.0-or-later
#include "songtype.h"

#include <string>

namespace tunedex {
namespace {

constexpr std::string_view kTypeTable = ".KAR.ST3.MIDI.RMID.MP3.WMA.KFN.MPG.MPEG";

struct TableEntry {
  std::size_t position;  // 1-based, as the type table is described
  std::size_t length;
  std::uint8_t type;
};

// Where each type's name starts in the table; MPG (32) and MPEG (36) both give MPEG.
constexpr TableEntry kEntries[] = {
    {2, 3, kSongTypeKar},   {6, 3, kSongTypeSt3},   {10, 4, kSongTypeMidi},
    {15, 4, kSongTypeRmid}, {20, 3, kSongTypeMp3},  {24, 3, kSongTypeWma},
    {28, 3, kSongTypeKfn},  {32, 3, kSongTypeMpeg}, {36, 4, kSongTypeMpeg},
};

}  // namespace

std::uint8_t ExtToSongType(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return kSongTypeNone;
  std::string ext(fileName.substr(dot + 1, 5));
  if (ext.size() < 2) return kSongTypeNone;
  for (char& ch : ext) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  const std::size_t found = kTypeTable.find(ext);
  if (found == std::string_view::npos) return kSongTypeNone;
  for (const TableEntry& entry : kEntries) {
    if (entry.position == found + 1) return entry.type;
  }
  return kSongTypeNone;
}

std::string_view SongTypeName(std::uint8_t type) {
  if (type == kSongTypeMpeg) return kTypeTable.substr(35, 4);
  for (const TableEntry& entry : kEntries) {
    if (entry.type == type) return kTypeTable.substr(entry.position - 1, entry.length);
  }
  return {};
}

}  // namespace tunedex
