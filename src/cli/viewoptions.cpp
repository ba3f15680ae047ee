// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/viewoptions.h"

#include <map>

#include "catalogue/database.h"
#include "catalogue/sortkeys.h"
#include "cli/datafileuser.h"

namespace tunedex::cli {

bool LoadNamedDatabase(const Arguments& arguments, tSongList& master, UserInteraction& user) {
  if (arguments.Positional().size() != 1) throw UsageError("expected one database file");
  return LoadDatabaseFile(arguments.Positional()[0], master, user);
}

bool LoadDatabaseFile(const std::string& path, tSongList& master, UserInteraction& user) {
  DataFileUser dataFileUser(user, path);
  return LoadDatabase(master, path, dataFileUser) == LoadResult::Loaded;
}

ViewMode ViewModeFromName(const std::string& name) {
  static const std::map<std::string, ViewMode> kModes = {{"all", ViewMode::All},
                                                         {"custom", ViewMode::CustomLanguage},
                                                         {"english", ViewMode::English},
                                                         {"other", ViewMode::OtherLanguages},
                                                         {"new", ViewMode::NewSongs}};
  const auto it = kModes.find(name);
  if (it == kModes.end()) throw UsageError("unknown view " + name);
  return it->second;
}

int SortCodeFromName(const std::string& name) {
  const bool descending = name.starts_with('-');
  const std::string_view key = std::string_view(name).substr(descending ? 1 : 0);
  for (const SortKeyInfo& info : kSortKeys) {
    if (info.name == key) return descending ? -info.code : info.code;
  }
  throw UsageError("unknown sort " + name);
}

}  // namespace tunedex::cli
