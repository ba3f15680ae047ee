// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>
#include <map>

#include "catalogue/database.h"
#include "catalogue/songviews.h"
#include "cli/commands.h"
#include "cli/datafileuser.h"
#include "cli/outputbuffer.h"
#include "cli/viewoptions.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "song/songtype.h"

namespace tunedex::cli {
namespace {

// Writes a stored text field decoded to UTF-8, with control characters as blanks. The ASCII start
// is copied as it is checked; a text that goes on in Windows-1252 is decoded from there.
char* WriteTextField(std::string_view stored, char* out) {
  std::size_t i = 0;
  for (; i < stored.size() && static_cast<unsigned char>(stored[i]) < 0x80; ++i) {
    out[i] = FieldByte(stored[i]);
  }
  if (i == stored.size()) return out + i;
  if (IsStoredAsUtf8(stored)) {
    for (; i < stored.size(); ++i) out[i] = FieldByte(stored[i]);
    return out + i;
  }
  char* const tail = out + i;
  char* const end = DecodeCp1252To(stored.substr(i), tail);
  return CopyField({tail, static_cast<std::size_t>(end - tail)}, tail);
}

char* WriteText(std::string_view text, char* out) {
  // An empty view may have no data at all, which memcpy must not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// Every field of a line fits a record's worth of decoded text and this much more: the two
// type names, the lyrics flag and the TABs.
constexpr std::size_t kMaxSongLineSize = MaxDecodedSize(tSongRecord::kSize) + 32;

// Writes the line of a song (without its line break) at out; returns its end.
char* FormatSongLine(const tSongRecord& record, char* out) {
  for (const TextField field :
       {TextField::IdCode, TextField::Title, TextField::Artist, TextField::Language}) {
    out = WriteTextField(record.RawText(field), out);
    *out++ = '\t';
  }
  out = WriteTextField(record.FileName(), out);
  *out++ = '\t';
  out = WriteText(SongTypeName(record.FileType()), out);
  *out++ = '\t';
  out = WriteText(SongTypeName(record.InternalFormat()), out);
  *out++ = '\t';
  *out++ = record.HasLyrics() ? '1' : '0';
  *out++ = '\t';
  return WriteTextField(record.RawText(TextField::Notes), out);
}

// Asks for the parts of a record that a line shows (all but the end of long notes), so that
// the memory fetches for a few songs ahead overlap the formatting of this one: after a sort the
// songs are far apart in memory.
void Prefetch(const tSongRecord& record) {
  const std::uint8_t* bytes = record.RawBytes().data();
  for (std::size_t offset = 0; offset < 512; offset += 64) __builtin_prefetch(bytes + offset);
}

}  // namespace

std::string SongLine(const tSongRecord& record) {
  std::string line(kMaxSongLineSize, '\0');
  line.resize(static_cast<std::size_t>(FormatSongLine(record, line.data()) - line.data()));
  return line;
}

int RunList(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"view", "custom-code", "sort", "find", "settings", "answer"});
  const ViewMode mode = ViewModeFromName(arguments.Option("view").value_or("all"));
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
  OutputBuffer buffer(out);
  constexpr std::size_t kAhead = 8;
  for (std::size_t row = 0; row < view.Count(); ++row) {
    if (find) {
      const std::optional<std::size_t> hit = search.FindFrom(*find, row);
      if (!hit) break;
      row = *hit;
    } else if (row + kAhead < view.Count()) {
      Prefetch(view[row + kAhead]->Record());
    }
    char* const end = FormatSongLine(view[row]->Record(), buffer.Reserve(kMaxSongLineSize + 1));
    *end = '\n';
    buffer.Commit(end + 1);
  }
  buffer.Flush();
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
