// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/playeroptions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "song/songtype.h"

namespace tunedex {

int PlayerRecordIndex(std::uint8_t songType) {
  switch (songType) {
    case kSongTypeKar:
      return 0;
    case kSongTypeSt3:
      return 1;
    case kSongTypeMidi:
    case kSongTypeRmid:
      return 2;
    case kSongTypeMp3:
      return 3;
    case kSongTypeWma:
      return 4;
    case kSongTypeKfn:
      return 5;
    case kSongTypeMpeg:
      return 6;
    default:
      return -1;
  }
}

tSongPlayerOptions OptionsForSongType(const tPlayerOptionSet& set, std::uint8_t songType) {
  const int index = PlayerRecordIndex(songType);
  if (index < 0) {
    tSongPlayerOptions none;
    none.Restart = false;
    return none;
  }
  return set.Records[static_cast<std::size_t>(index)];
}

void SetPlayerFileForSongType(tPlayerOptionSet& set, std::uint8_t songType, std::string_view path) {
  const int index = PlayerRecordIndex(songType);
  if (index >= 0) set.Records[static_cast<std::size_t>(index)].PlayerFile = std::string(path);
}

std::string_view PlayerOptionsSection(std::size_t record) {
  static constexpr std::string_view kSections[kPlayerOptionRecords] = {
      "KarPlayerOptions", "St3PlayerOptions", "MidiPlayerOptions", "Mp3PlayerOptions",
      "WmaPlayerOptions", "KfnPlayerOptions", "MPEGPlayerOptions"};
  return record < kPlayerOptionRecords ? kSections[record] : std::string_view();
}

void ReadPlayerSections(const tIniFile& settings, tPlayerOptionSet& set) {
  for (std::size_t i = 0; i < kPlayerOptionRecords; ++i) {
    const std::string_view section = PlayerOptionsSection(i);
    tSongPlayerOptions& options = set.Records[i];
    options.PlayerFile = settings.ReadString(section, "PlayerFile", "");
    options.Restart = settings.ReadBool(section, "Restart", true);
    options.EmptyStart = settings.ReadBool(section, "EmptyStart", false);
    options.CloseClass = settings.ReadString(section, "CloseClass", "");
    options.CloseName = settings.ReadString(section, "CloseName", "");
    options.SendToClass = settings.ReadString(section, "SendToClass", "");
    options.SendToName = settings.ReadString(section, "SendToName", "");
    options.PluginClass = settings.ReadString(section, "PluginClass", "");
    options.PluginName = settings.ReadString(section, "PluginName", "");
  }
}

void WritePlayerSections(tIniFile& settings, const tPlayerOptionSet& set) {
  for (std::size_t i = 0; i < kPlayerOptionRecords; ++i) {
    const std::string_view section = PlayerOptionsSection(i);
    const tSongPlayerOptions& options = set.Records[i];
    settings.WriteString(section, "PlayerFile", options.PlayerFile);
    settings.WriteBool(section, "Restart", options.Restart);
    settings.WriteBool(section, "EmptyStart", options.EmptyStart);
    settings.WriteString(section, "CloseClass", options.CloseClass);
    settings.WriteString(section, "CloseName", options.CloseName);
    settings.WriteString(section, "SendToClass", options.SendToClass);
    settings.WriteString(section, "SendToName", options.SendToName);
    settings.WriteString(section, "PluginClass", options.PluginClass);
    settings.WriteString(section, "PluginName", options.PluginName);
  }
}

tPlayerOptionSet tLivePlayerOptions::GetPlayerOptions(bool playerInFrontTicked) {
  m_set.PlayerPopups.SetInFront(PlayerPopup::MainWindow, playerInFrontTicked);
  return m_set;
}

bool tLivePlayerOptions::SetPlayerOptions(const tPlayerOptionSet& set) {
  m_set = set;
  return m_set.PlayerPopups.InFront(PlayerPopup::MainWindow);
}

std::string WindowDescription(std::string_view windowClass, std::string_view caption) {
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "\"" + std::string(text).
  std::string line;
  line.reserve(windowClass.size() + caption.size() + 6);
  const auto quoted = [&line](std::string_view text) {
    line += '"';
    line += text;
    line += '"';
  };
  if (!windowClass.empty()) quoted(windowClass);
  if (!windowClass.empty() && !caption.empty()) line += "; ";
  if (!caption.empty()) quoted(caption);
  return line;
}

std::pair<std::string, std::string> SplitWindowDescription(std::string_view line) {
  if (line.size() < 6) return {};
  // With p the 1-based position of the separator (0 when there is none), the class is the
  // p - 2 characters after the first and the caption the text from position p + 4 without the
  // line's last character; so a line without the separator gives no class and a caption cut
  // from its fourth character on.
  const std::size_t found = line.find("\"; \"");
  const std::size_t p = found == std::string_view::npos ? 0 : found + 1;
  const std::string windowClass = p >= 2 ? std::string(line.substr(1, p - 2)) : std::string();
  const std::size_t captionStart = p + 3;  // 0-based p + 4
  const std::size_t captionLength = line.size() > p + 4 ? line.size() - p - 4 : 0;
  return {windowClass,
          std::string(line.substr(std::min(captionStart, line.size()), captionLength))};
}

std::string AssociatedProgramExtension(std::uint8_t songType) {
  std::string extension(SongTypeName(songType).substr(0, 3));
  for (char& ch : extension) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  }
  return extension;
}

std::string_view PlayerTypeDescription(std::uint8_t songType) {
  switch (songType) {
    case kSongTypeKar:
      return "MIDI Karaoke (*.kar) files";
    case kSongTypeSt3:
      return "Star Data Karaoke (*.st3) files";
    case kSongTypeMidi:
    case kSongTypeRmid:
      return "MIDI (*.mi, *.mid, *.midi, *.rmi) files";
    case kSongTypeMp3:
      return "MP3 (*.mp3) files";
    case kSongTypeWma:
      return "WMA (*.wma) files";
    case kSongTypeKfn:
      return "KFN (*.kfn) files";
    case kSongTypeMpeg:
      return "MPEG (*.mpg, *.mpeg) files";
    default:
      return {};
  }
}

std::string ChooseProgramFile(FileDialogRequest request, UserInteraction& user) {
  request.filters = {{"All files", {"*"}}};
  const std::optional<std::string> chosen = user.AskOpenFile(request);
  if (!chosen) return {};
  struct stat info {};
  if (::stat(chosen->c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      ::access(chosen->c_str(), X_OK) != 0) {
    user.ShowError(*chosen + " is not a program that can be started.");
    return {};
  }
  return *chosen;
}

std::string SelectPlayerProgram(std::uint8_t songType, const std::string& startFolder,
                                UserInteraction& user) {
  FileDialogRequest request;
  request.title = "Please select a player for " + std::string(PlayerTypeDescription(songType));
  request.folder = startFolder;
  return ChooseProgramFile(std::move(request), user);
}

}  // namespace tunedex
