// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the version-1.0 part of a catalogue file: the import never crashes, and
// every song it makes saves and loads again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/database.h"

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
  return 0;
}
