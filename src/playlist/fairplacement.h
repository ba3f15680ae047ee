// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "playlist/playlistsettings.h"

namespace tunedex {

// Where a new item for singer goes in a list whose items have the given singers, with current
// the current item's row (-1 when none):
// - AtEnd: after the last item.
// - Next: right after the current item (at the end when nothing is current).
// - Fair: the items from the current one on (all when nothing is current) form rounds: a
//   singer's k-th item there belongs to round k. A singer who has k items there gets the place
//   right after the last item of round k+1, or the end when no singer has that many. Names
//   compare exactly; every item with an empty name is a singer of its own, and so is a new one.
std::size_t PlacementIndex(std::span<const std::string> singers, int current,
                           std::string_view singer, ItemPlacement placement);

}  // namespace tunedex
