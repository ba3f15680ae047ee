// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingslocation.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tunedex {

std::string SettingsFilePath(const std::string& programPath, const std::string& explicitPath) {
  if (!explicitPath.empty()) return explicitPath;
  if (!programPath.empty()) {
    const std::filesystem::path folder = std::filesystem::path(programPath).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::exists(folder / kInstalledDesktopEntry, error) &&
        ::access(folder.c_str(), W_OK) == 0) {
      return (folder / "tunedex.ini").string();
    }
  }
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = "/tmp";
  }
  return (config / "tunedex" / "tunedex.ini").string();
}

std::string ProgramFilePath() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

}  // namespace tunedex
