// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a catalogue file: loading never crashes, and what loads saves back as the
// same records.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "catalogue/database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tunedex;
  SilentUser user;
  tSongList list(tSongList::Ownership::OwnsSongs);
  if (LoadDatabaseBytes(list, {data, size}, user) != LoadResult::Loaded) return 0;
  for (const tSong* song : list) {
    const tSongRecord& record = song->Record();
    // Every accessor stays within the record whatever its length bytes say.
    for (TextField field : {TextField::Title, TextField::Artist, TextField::Language,
                            TextField::FileName, TextField::IdCode, TextField::Notes}) {
      (void)record.Text(field);
    }
    (void)list.ContainsFileName(record);
  }
  list.SortBy(kSortByTitle);
  const std::string saved = DatabaseBytes(list);
  tSongList reloaded(tSongList::Ownership::OwnsSongs);
  if (LoadDatabaseBytes(reloaded,
                        {reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size()},
                        user) != LoadResult::Loaded ||
      reloaded.Count() != list.Count()) {
    std::abort();
  }
  return 0;
}
