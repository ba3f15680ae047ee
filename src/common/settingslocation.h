// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tunedex {

// The desktop entry an install puts beside the program's folder (PREFIX/bin/tunedex and
// PREFIX/share/applications/...): its presence tells an installed program from a build tree or
// a portable copy.
inline constexpr const char* kInstalledDesktopEntry =
    "../share/applications/org.tunedex.Tunedex.desktop";

// Where the settings file lives: the explicit choice when one is given; else "tunedex.ini"
// beside the program file when that folder is writable and the program is not installed (a
// build tree or a portable copy); else $XDG_CONFIG_HOME/tunedex/tunedex.ini
// (~/.config/tunedex/tunedex.ini), whose folder the first save creates. An installed program
// never writes beside itself, not even when run by a user who may write there (root in /usr/bin,
// anyone in ~/.local/bin).
std::string SettingsFilePath(const std::string& programPath, const std::string& explicitPath);

// The running program's own file (from /proc/self/exe), or empty when it cannot be told.
std::string ProgramFilePath();

}  // namespace tunedex
