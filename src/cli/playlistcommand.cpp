// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex-cli playlist show|check|add: a playlist file against a catalogue.
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "cli/datafileuser.h"
#include "cli/outputbuffer.h"
#include "common/fileio.h"
#include "common/inifile.h"
#include "common/recordtext.h"
#include "common/settingslocation.h"
#include "platform/giofilesystem.h"
#include "platform/processstarter.h"
#include "playlist/fairplacement.h"
#include "playlist/playlistcheck.h"
#include "playlist/playlistfile.h"

namespace tunedex::cli {
namespace {

// A text as one field of a line: decoded, control characters as blanks.
std::string Field(std::string_view utf8) {
  std::string out(utf8);
  for (char& c : out) c = FieldByte(c);
  return out;
}

// Answers every question with the chosen button and remembers whether one was asked.
class AnsweringUser final : public ForwardingUser {
 public:
  AnsweringUser(UserInteraction& inner, Button answer) : ForwardingUser(inner), m_answer(answer) {}
  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button>) override {
    ForwardingUser::ShowMessage(kind, text, {Button::Ok});
    m_asked = true;
    return m_answer;
  }
  bool Asked() const { return m_asked; }

 private:
  Button m_answer;
  bool m_asked = false;
};

ItemPlacement PlacementFromName(const std::string& name) {
  if (name == "end") return ItemPlacement::AtEnd;
  if (name == "next") return ItemPlacement::Next;
  if (name == "fair") return ItemPlacement::Fair;
  throw UsageError("unknown placement " + name + " (end, next or fair)");
}

int CurrentFromText(const std::string& text, std::size_t count) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 1 || static_cast<std::size_t>(value) > count) {
    throw UsageError("--current must be an item number from 1 to " + std::to_string(count));
  }
  return static_cast<int>(value) - 1;
}

int Show(const tPlayList& list, std::FILE* out) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const tPlayListItem& item = list.Item(i);
    const tSongRecord& record = item.Song->Record();
    const std::string line = std::to_string(i + 1) + "\t" +
                             Field(item.Singer.empty() ? "?" : item.Singer) + "\t" +
                             Field(record.IdCode()) + "\t" + Field(record.Title()) + "\t" +
                             Field(DecodeRecordText(record.FileName())) + "\n";
    std::fputs(line.c_str(), out);
  }
  return kExitOk;
}

int Check(const tPlayList& list, const Arguments& arguments, UserInteraction& user) {
  const std::string settingsPath =
      SettingsFilePath(ProgramFilePath(), arguments.Option("settings").value_or(""));
  const tIniFile settings = tIniFile::Load(settingsPath);
  if (settings.Truncated()) user.ShowWarning(TruncatedSettingsWarning(settingsPath));
  tPlayerOptionSet players;
  ReadPlayerSections(settings, players);
  GioFileSystem files;
  PosixProgramStarter programs;
  return CheckPlayListAvailability(list, players, files, programs, user) ? kExitOk : kExitFailed;
}

int Add(tPlayList& list, const std::string& path, const std::vector<std::string>& names,
        const Arguments& arguments, UserInteraction& user) {
  if (names.empty()) throw UsageError("expected song files to add");
  const ItemPlacement placement = PlacementFromName(arguments.Option("at").value_or("end"));
  int current = -1;
  if (const auto text = arguments.Option("current")) current = CurrentFromText(*text, list.Count());
  const std::string singer = arguments.Option("singer").value_or("");
  std::vector<const tSong*> found;
  for (const std::string& name : names) {
    const tSong* song = list.Catalogue().Songs().FindByFileName(name);
    if (song == nullptr) {
      user.ShowError("Cannot find " + DecodeRecordText(name) + "\rin current Song list.");
      return kExitBadInput;
    }
    found.push_back(song);
  }
  for (const tSong* song : found) {
    std::vector<std::string> singers;
    for (std::size_t i = 0; i < list.Count(); ++i) singers.push_back(list.Item(i).Singer);
    const std::size_t at = PlacementIndex(singers, current, CutSingerName(singer), placement);
    list.Insert(at, singer, *song);
    if (current >= 0 && at <= static_cast<std::size_t>(current)) ++current;
  }
  return SavePlayList(path, list, user) ? kExitOk : kExitFailed;
}

}  // namespace

int RunPlaylist(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer", "db", "singer", "at", "current"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.size() < 2) throw UsageError("expected playlist show|check|add TDP --db DB");
  const std::string& action = words[0];
  const std::string& path = words[1];
  if (action != "show" && action != "check" && action != "add") {
    throw UsageError("unknown playlist command " + action);
  }
  if (action != "add" && words.size() != 2) throw UsageError("expected one playlist file");
  const auto database = arguments.Option("db");
  if (!database) throw UsageError("expected --db DB");

  tCatalogue catalogue;
  DataFileUser databaseUser(user, *database);
  if (!catalogue.Open(*database, databaseUser)) return kExitBadInput;

  tPlayList list(catalogue);
  // Showing and checking go on past an unknown song as OK would; adding refuses to write a
  // list that would lose such items.
  AnsweringUser loadUser(user, action == "add" ? Button::Cancel : Button::Ok);
  const LoadOutcome outcome = LoadPlayList(path, list, loadUser);
  if (outcome == LoadOutcome::Failed) return kExitBadInput;
  if (outcome == LoadOutcome::Missing && action != "add") {
    user.ShowError("Cannot open " + path + ": no such file");
    return kExitBadInput;
  }
  if (action == "add" && loadUser.Asked()) return kExitBadInput;
  if (action == "show") return Show(list, out);
  if (action == "check") return Check(list, arguments, user);
  return Add(list, path, {words.begin() + 2, words.end()}, arguments, user);
}

}  // namespace tunedex::cli
