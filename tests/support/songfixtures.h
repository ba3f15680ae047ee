// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "catalogue/songlist.h"
#include "song/songrecord.h"

namespace tunedex::test {

struct SongFields {
  std::string title = {};
  std::string artist = {};
  std::string language = {};
  std::string fileName = {};
  std::string idCode = {};
  std::string notes = {};
};

tSongRecord MakeRecord(const SongFields& fields);

// The bytes of a catalogue file: the magic, the sort byte and the records.
std::string DatabaseFile(std::int8_t sortOrder, const std::vector<tSongRecord>& records);
// Three songs of two languages and two artists: "Waterloo" (ABBA, Eng, WA001), "Amour" (Zaz,
// Fra, AM001), "Mamma Mia" (ABBA, Eng, MA001), in that order.
std::vector<tSongRecord> ThreeSongs();

// Appends songs made from fields to an owning list.
void AddSongs(tSongList& list, std::initializer_list<SongFields> songs);

// A field of every song, in list order (decoded text).
std::vector<std::string> Column(const tSongList& list, TextField field);

}  // namespace tunedex::test
