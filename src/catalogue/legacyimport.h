// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "catalogue/songlist.h"
#include "common/userinteraction.h"
#include "inspect/bytes.h"

namespace tunedex {

// A version-1.0 catalogue after its 9-byte magic "LEGACY3DB":
//
//   offset  size       content
//        0     1       sort code
//        1   530 each  records, to the end of the file
//
// A record (length-prefixed texts):
//
//   offset size content                    becomes
//        0   81 title, at most 80          Title
//       81   41 artist, at most 40         Artist
//      122    4 language, at most 3        Language
//      126  124 file name, at most 123     FileName
//      250   12 a second code, at most 11  (only counted by the empty test)
//      262   12 ID code, at most 11        IdCode
//      274  256 notes, at most 255         Notes
inline constexpr std::size_t kVersion1RecordSize = 530;

inline constexpr std::string_view kVersion1ImportQuestion =
    "Importing file from Tunedex version 1.0\r\rThis may involve some delay\r\rTo avoid this "
    "delay in the future, convert the file\rto the current format by saving it.\r";

// Fills an (empty) list from a version-1.0 catalogue whose bytes after the magic arrive in
// pieces of any size, so that a file is never held whole: Ask first, then Consume each piece,
// then Finish. Each song file that still exists is inspected for its format and lyrics.
class tVersion1Import {
 public:
  tVersion1Import(tSongList& list, UserInteraction& user) : m_list(list), m_user(user) {}

  // Asks the user whether to import; false when they cancelled.
  bool Ask();
  void Consume(const std::uint8_t* data, std::size_t size);
  // Takes a short last record, its missing tail zero.
  void Finish();
  // Records taken so far, empty ones included.
  std::uint64_t RecordCount() const { return m_records; }

 private:
  void TakeRecord(const std::array<std::uint8_t, kVersion1RecordSize>& record);

  tSongList& m_list;
  UserInteraction& m_user;
  bool m_sortCodeRead = false;
  std::array<std::uint8_t, kVersion1RecordSize> m_partial{};
  std::size_t m_partialSize = 0;
  std::uint64_t m_records = 0;
  std::int64_t m_done = 0;
};

// The same over the bytes after the magic in memory. False when the user cancelled.
bool ImportVersion1(tSongList& list, Bytes afterMagic, UserInteraction& user);

}  // namespace tunedex
