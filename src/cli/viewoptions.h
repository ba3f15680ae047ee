// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "catalogue/songlist.h"
#include "catalogue/songviews.h"
#include "cli/arguments.h"
#include "common/userinteraction.h"

namespace tunedex::cli {

// How the commands that show songs (list, report) read --view and --sort, and the database
// named by their one positional argument.

// all, custom, english, other, new; a UsageError for anything else.
ViewMode ViewModeFromName(const std::string& name);
// id, title, artist, with "-" before for descending; a UsageError for anything else.
int SortCodeFromName(const std::string& name);
// Loads the database named by the first positional argument; false when it is not one (the
// message has been shown).
bool LoadNamedDatabase(const Arguments& arguments, tSongList& master, UserInteraction& user);
bool LoadDatabaseFile(const std::string& path, tSongList& master, UserInteraction& user);

}  // namespace tunedex::cli
