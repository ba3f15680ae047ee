// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/songfixtures.h"

#include <memory>

#include "common/recordtext.h"

namespace tunedex::test {

tSongRecord MakeRecord(const SongFields& fields) {
  tSongRecord record;
  record.SetTitle(fields.title);
  record.SetArtist(fields.artist);
  record.SetLanguage(fields.language);
  record.SetFileName(fields.fileName);
  record.SetIdCode(fields.idCode);
  record.SetNotes(fields.notes);
  return record;
}

std::string DatabaseFile(std::int8_t sortOrder, const std::vector<tSongRecord>& records) {
  std::string bytes = "TunedxDB2";
  bytes.push_back(static_cast<char>(sortOrder));
  for (const tSongRecord& record : records) {
    bytes.append(reinterpret_cast<const char*>(record.RawBytes().data()), tSongRecord::kSize);
  }
  return bytes;
}

void AddSongs(tSongList& list, std::initializer_list<SongFields> songs) {
  for (const SongFields& fields : songs) list.Add(std::make_unique<tSong>(MakeRecord(fields)));
}

std::vector<std::string> Column(const tSongList& list, TextField field) {
  std::vector<std::string> values;
  for (const tSong* song : list) values.push_back(song->Record().Text(field));
  return values;
}

std::vector<tSongRecord> ThreeSongs() {
  return {MakeRecord({.title = "Waterloo",
                      .artist = "ABBA",
                      .language = "Eng",
                      .fileName = "/s/w.kar",
                      .idCode = "WA001"}),
          MakeRecord({.title = "Amour",
                      .artist = "Zaz",
                      .language = "Fra",
                      .fileName = "/s/a.mp3",
                      .idCode = "AM001"}),
          MakeRecord({.title = "Mamma Mia",
                      .artist = "ABBA",
                      .language = "Eng",
                      .fileName = "/s/m.kar",
                      .idCode = "MA001"})};
}

}  // namespace tunedex::test
