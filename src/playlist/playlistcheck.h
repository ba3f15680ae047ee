// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "players/desktop.h"
#include "players/playeroptions.h"
#include "playlist/playlistitem.h"

namespace tunedex {

// Whether a player is available for a song: the program of its type's PlayerFile, or when
// that is empty the desktop's default application for the type, and that program file exists.
bool PlayerAvailable(const tSong& song, const tPlayerOptionSet& players, FileSystem& files,
                     ProgramStarter& programs);

// Check availability: each item's song file and player, stopping at the first failure with its
// message; when all pass, says so. True when all passed.
bool CheckPlayListAvailability(const tPlayList& list, const tPlayerOptionSet& players,
                               FileSystem& files, ProgramStarter& programs, UserInteraction& user);

}  // namespace tunedex
