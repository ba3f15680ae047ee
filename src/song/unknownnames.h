// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "song/songrecord.h"

namespace tunedex {

// An empty Title or Artist becomes "?"; when both were empty the Title becomes name (the file's
// name without its folder), as songs found by a scan or an import are shown.
void FillUnknownTitleAndArtist(tSongRecord& record, std::string_view name);

}  // namespace tunedex
