// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tunedex {

// Where the settings file lives: the explicit choice when one is given; else "tunedex.ini"
// beside the program file when that folder is writable (a portable install); else
// $XDG_CONFIG_HOME/tunedex/tunedex.ini (~/.config/tunedex/tunedex.ini), whose folder the
// first save creates.
std::string SettingsFilePath(const std::string& programPath, const std::string& explicitPath);

// The running program's own file (from /proc/self/exe), or empty when it cannot be told.
std::string ProgramFilePath();

}  // namespace tunedex
