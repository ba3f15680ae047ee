// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/fairplacement.h"

#include <unordered_map>
#include <vector>

namespace tunedex {

std::size_t PlacementIndex(std::span<const std::string> singers, int current,
                           std::string_view singer, ItemPlacement placement) {
  const std::size_t n = singers.size();
  const bool hasCurrent = current >= 0 && static_cast<std::size_t>(current) < n;
  if (placement == ItemPlacement::AtEnd) return n;
  if (placement == ItemPlacement::Next)
    return hasCurrent ? static_cast<std::size_t>(current) + 1 : n;

  std::unordered_map<std::string_view, std::size_t> counts;
  std::vector<std::size_t> lastOfRound;  // [k - 1]: the last row of round k
  for (std::size_t i = hasCurrent ? static_cast<std::size_t>(current) : 0; i < n; ++i) {
    const std::size_t round = singers[i].empty() ? 1 : ++counts[singers[i]];
    if (lastOfRound.size() < round) lastOfRound.resize(round);
    lastOfRound[round - 1] = i;
  }
  std::size_t own = 0;
  if (!singer.empty()) {
    if (const auto found = counts.find(singer); found != counts.end()) own = found->second;
  }
  // Round own + 1 is lastOfRound[own].
  return own < lastOfRound.size() ? lastOfRound[own] + 1 : n;
}

}  // namespace tunedex
