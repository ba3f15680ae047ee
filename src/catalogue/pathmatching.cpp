// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/pathmatching.h"

#include <algorithm>

#include "common/recordtext.h"

namespace tunedex {

std::string PathMatchQuestion(std::string_view find, std::string_view replacement) {
  std::string text = "Replace \"";
  text += find;
  text += "\"\rin the filepaths of all lost files containing it\rwith \"";
  text += replacement;
  text += "\"?\r\rAre you sure?";
  return text;
}

namespace {

char SeparatorOfPath(std::string_view path) {
  return IsWindowsPath(path) ? '\\' : '/';
}

// The separator a text uses: its own when it holds one, else the one it will be matched in.
char SeparatorOfText(std::string_view text, char fallback) {
  if (IsWindowsPath(text) || text.find('\\') != std::string_view::npos) return '\\';
  if (text.find('/') != std::string_view::npos) return '/';
  return fallback;
}

bool EndsWithSeparator(std::string_view text) {
  return text.ends_with('\\') || text.ends_with('/');
}

// A drive root ("C:\") or the root of this system ("/"), whose separator stays.
bool IsRoot(std::string_view text) {
  return text == "/" || (text.size() == 3 && IsWindowsPath(text) && text[2] == '\\');
}

// The text with its trailing separators removed, then one added when wanted.
std::string Aligned(std::string_view text, bool withSeparator, char separator) {
  std::string aligned(text);
  while (!aligned.empty() && EndsWithSeparator(aligned)) aligned.pop_back();
  if (withSeparator) aligned += separator;
  return aligned;
}

}  // namespace

std::string_view SongFolderPart(std::string_view path) {
  std::size_t end = std::string_view::npos;
  if (IsWindowsPath(path)) {
    end = path.rfind('\\');
    if (end == std::string_view::npos) end = path.find(':');  // "D:a.kar"
  } else {
    end = path.rfind('/');
  }
  return end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1);
}

std::string_view SongNamePart(std::string_view path) {
  return path.substr(SongFolderPart(path).size());
}

std::optional<std::string> MatchedPath(std::string_view storedPath, std::string_view find,
                                       std::string_view replacement) {
  // A Windows catalogue's paths are stored in Windows-1252; moved here, they take this
  // system's spelling, UTF-8, like the replacement and the names on disk.
  const bool movingHere = IsWindowsPath(storedPath) && replacement.starts_with('/');
  const std::string decoded = movingHere ? DecodeRecordText(storedPath) : std::string();
  const std::string_view path = movingHere ? std::string_view(decoded) : storedPath;
  const char pathSeparator = SeparatorOfPath(path);
  const char findSeparator = SeparatorOfText(find, pathSeparator);
  std::string alignedFind;
  if (IsRoot(Aligned(find, true, findSeparator))) {
    alignedFind = Aligned(find, true, findSeparator);
  } else {
    alignedFind = Aligned(find, EndsWithSeparator(replacement), findSeparator);
  }
  if (alignedFind.empty()) return std::nullopt;
  const std::string alignedReplacement = Aligned(replacement, EndsWithSeparator(alignedFind),
                                                 SeparatorOfText(replacement, findSeparator));

  std::string folder(SongFolderPart(path));
  const std::size_t at = folder.find(alignedFind);
  if (at == std::string::npos) return std::nullopt;
  folder.replace(at, alignedFind.size(), alignedReplacement);
  std::string newPath = folder;
  char separator = pathSeparator;
  if (movingHere) {
    std::replace(newPath.begin(), newPath.end(), '\\', '/');
    separator = '/';
  }
  if (!newPath.empty() && !EndsWithSeparator(newPath)) newPath += separator;
  newPath += SongNamePart(path);
  return newPath;
}

std::size_t MatchLostPaths(tCatalogue& catalogue, const std::vector<LostSong>& lost,
                           std::string_view find, std::string_view replacement, FileSystem& files) {
  std::size_t repaired = 0;
  for (const LostSong& entry : lost) {
    tSong& song = *entry.song;
    const std::optional<std::string> newPath =
        MatchedPath(song.Record().FileName(), find, replacement);
    if (!newPath || newPath->size() > tSongRecord::MaxLength(TextField::FileName)) continue;
    if (!files.FileExists(*newPath) || catalogue.Songs().FindByFileName(*newPath)) continue;
    tSongRecord record = song.Record();
    record.SetFileName(*newPath);
    catalogue.ChangeRecord(song, record);
    ++repaired;
  }
  return repaired;
}

}  // namespace tunedex
