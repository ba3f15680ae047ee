// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "catalogue/songrecord.h"

namespace tunedex::bench {

// Song records with the field lengths of a real catalogue: titles of 5 to 40 characters, artist
// names, mostly English with some Swedish and other languages, ID codes, paths of 40 to 100
// characters and a note on every tenth song; a few texts carry accented letters.
std::vector<tSongRecord> GeneratedCatalogue(std::size_t count);

}  // namespace tunedex::bench
