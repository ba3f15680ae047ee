// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tunedex {

// The desktop's default application for files with an extension (no dot): the extension's
// MIME type from the shared MIME database, the application GIO chooses for it, and that
// application's program found through PATH. Empty when there is none.
std::string DefaultProgramForExtension(const std::string& extension);

// Opens a file with the desktop's default application for it, started detached as
// PosixProgramStarter starts players; false when it cannot.
bool OpenWithDefaultApplication(const std::string& path);

}  // namespace tunedex
