// SPDX-License-Identifier: GPL-3.0-or-later
#include <map>

#include "catalogue/database.h"
#include "catalogue/songviews.h"
#include "cli/commands.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "song/songtype.h"

namespace tunedex::cli {
namespace {

std::string Cleaned(std::string text) {
  for (char& ch : text) {
    if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
  }
  return text;
}

// Loads the database named by the first positional argument; false when it is not one (the
// message has been shown).
bool LoadNamedDatabase(const Arguments& arguments, tSongList& master, UserInteraction& user) {
  if (arguments.Positional().size() != 1) throw UsageError("expected one database file");
  return LoadDatabase(master, arguments.Positional()[0], user) == LoadResult::Loaded;
}

int ViewModeFromName(const std::string& name) {
  static const std::map<std::string, int> kModes = {{"all", kViewAll},
                                                    {"custom", kViewCustomLanguage},
                                                    {"english", kViewEnglish},
                                                    {"other", kViewOtherLanguages},
                                                    {"new", kViewNewSongs}};
  const auto it = kModes.find(name);
  if (it == kModes.end()) throw UsageError("unknown view " + name);
  return it->second;
}

int SortCodeFromName(const std::string& name) {
  static const std::map<std::string, int> kCodes = {
      {"id", kSortById},   {"title", kSortByTitle},   {"artist", kSortByArtist},
      {"-id", -kSortById}, {"-title", -kSortByTitle}, {"-artist", -kSortByArtist}};
  const auto it = kCodes.find(name);
  if (it == kCodes.end()) throw UsageError("unknown sort " + name);
  return it->second;
}

}  // namespace

std::string SongLine(const tSongRecord& record) {
  const std::string fields[] = {
      record.IdCode(),
      record.Title(),
      record.Artist(),
      record.Language(),
      DecodeRecordText(record.FileName()),
      std::string(SongTypeName(record.FileType())),
      std::string(SongTypeName(record.InternalFormat())),
      record.HasLyrics() ? "1" : "0",
      record.Notes(),
  };
  std::string line;
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (i > 0) line += '\t';
    line += Cleaned(fields[i]);
  }
  return line;
}

int RunList(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"view", "custom-code", "sort", "find", "settings", "answer"});
  const int mode = ViewModeFromName(arguments.Option("view").value_or("all"));
  const std::optional<std::string> sort = arguments.Option("sort");
  const int sortCode = sort ? SortCodeFromName(*sort) : 0;
  const std::string customCode =
      arguments.Option("custom-code").value_or(std::string(kDefaultCustomLanguageCode));

  tSongList master(tSongList::Ownership::OwnsSongs);
  if (!LoadNamedDatabase(arguments, master, user)) return kExitBadInput;
  if (sortCode != 0) master.SortBy(sortCode);

  tSongList view;
  SelectViewSongs(master, view, mode, customCode);
  std::optional<std::string> find = arguments.Option("find");
  if (find && find->empty()) find.reset();  // an empty find text keeps every song
  FindBoxSearch search(view);
  for (std::size_t row = 0; row < view.Count(); ++row) {
    if (find) {
      const std::optional<std::size_t> hit = search.FindFrom(*find, row);
      if (!hit) break;
      row = *hit;
    }
    const std::string line = SongLine(view[row]->Record());
    std::fprintf(out, "%s\n", line.c_str());
  }
  return kExitOk;
}

int RunInfo(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  tSongList master(tSongList::Ownership::OwnsSongs);
  if (!LoadNamedDatabase(arguments, master, user)) return kExitBadInput;
  std::fprintf(out, "songs: %zu\nsort: %d\n", master.Count(), static_cast<int>(master.SortOrder()));
  return kExitOk;
}

}  // namespace tunedex::cli
