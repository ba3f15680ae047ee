// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/lostcount.h"
#include "common/filesystem.h"

namespace tunedex {

// The path-matching dialog: its title, its two labels above the find and replacement edits.
inline constexpr std::string_view kPathMatchTitle = "Dialog";
inline constexpr std::string_view kPathMatchFindLabel = "Replace..";
inline constexpr std::string_view kPathMatchReplacementLabel =
    "in the paths of all lost files with...";
inline constexpr std::string_view kMatchingPathsStatus = "Matching paths...";

struct PathMatchTexts {
  std::string find;
  std::string replacement;
};

// The question asked before the paths are changed.
std::string PathMatchQuestion(std::string_view find, std::string_view replacement);

// The folder part of a path with its trailing separator: up to the last "\" of a Windows path,
// the last "/" of any other ("" when there is none).
std::string_view SongFolderPart(std::string_view path);
// What follows the folder part.
std::string_view SongNamePart(std::string_view path);

// The path a song's file would have after find is replaced by replacement in its folder: both
// texts' trailing separators aligned (find takes one exactly when the replacement ends with one,
// unless it is a root, "C:\" or "/"; then the replacement takes one exactly when find has one),
// the first occurrence of find in the folder replaced, case mattering. A Windows path given a
// replacement that is a path of this system ("/home/...") takes "/" for its remaining
// separators, and its stored text is spelt in UTF-8. Nothing when find does not occur.
std::optional<std::string> MatchedPath(std::string_view path, std::string_view find,
                                       std::string_view replacement);

// Applies the rule to the lost songs: a song takes its new path when a file exists there and no
// song of the catalogue has that file yet (compared ignoring case). A path longer than a record
// holds is left alone, since the cut one would name another file. Returns the songs repaired.
std::size_t MatchLostPaths(tCatalogue& catalogue, const std::vector<LostSong>& lost,
                           std::string_view find, std::string_view replacement, FileSystem& files);

}  // namespace tunedex
