// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the version-1.0 part of a catalogue file: the import never crashes, every
// song it makes saves and loads again, and an import of the same bytes arriving in pieces
// makes the same songs.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "catalogue/legacyimport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tunedex;
  std::vector<std::uint8_t> file = {'L', 'E', 'G', 'A', 'C', 'Y', '3', 'D', 'B'};
  file.insert(file.end(), data, data + size);
  SilentUser user;
  tSongList list(tSongList::Ownership::OwnsSongs);
  if (LoadDatabaseBytes(list, file, user) != LoadResult::Loaded) std::abort();
  const std::string saved = DatabaseBytes(list);
  tSongList reloaded(tSongList::Ownership::OwnsSongs);
  LoadDatabaseBytes(reloaded, {reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size()},
                    user);
  if (reloaded.Count() != list.Count()) std::abort();

  // The same bytes in pieces of 1 to 1024 bytes, the sizes taken from the bytes themselves.
  tSongList pieces(tSongList::Ownership::OwnsSongs);
  tVersion1Import import(pieces, user);
  if (!import.Ask()) std::abort();
  for (std::size_t offset = 0, turn = 0; offset < size; ++turn) {
    const std::size_t piece = std::min<std::size_t>(size - offset, 1 + data[turn % size] * 4u);
    import.Consume(data + offset, piece);
    offset += piece;
  }
  import.Finish();
  if (pieces.Count() != list.Count() || pieces.SortOrder() != list.SortOrder() ||
      DatabaseBytes(pieces) != saved) {
    std::abort();
  }
  return 0;
}
