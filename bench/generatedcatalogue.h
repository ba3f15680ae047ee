// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/songlist.h"
#include "song/songrecord.h"

namespace tunedex::bench {

// Song records with the field lengths of a real catalogue: titles of 5 to 40 characters, artist
// names, mostly English with some Swedish and other languages, ID codes, paths of 40 to 100
// characters and a note on every tenth song; a few texts carry accented letters.
std::vector<tSongRecord> GeneratedCatalogue(std::size_t count);

// The same songs as a song list owning them, made once per count and kept for the program's
// life (the list a window shows).
const tSongList& GeneratedView(std::size_t count);

// Such a catalogue saved once to songs.tdb in a temporary folder of its own, removed with it.
struct GeneratedCatalogueFile {
  explicit GeneratedCatalogueFile(std::size_t count);
  ~GeneratedCatalogueFile();
  GeneratedCatalogueFile(const GeneratedCatalogueFile&) = delete;
  GeneratedCatalogueFile& operator=(const GeneratedCatalogueFile&) = delete;

  std::string folder;
  std::string path;
};

}  // namespace tunedex::bench
