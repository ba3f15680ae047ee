// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "cli/commands.h"
#include "cli/consoleuser.h"
#include "common/fileio.h"
#include "common/inifile.h"
#include "common/settingslocation.h"
#include "common/volumes.h"
#include "platform/linuxvolumes.h"
#include "platform/processstarter.h"
#include "platform/x11desktop.h"
#include "platform/xdndsource.h"
#include "players/playercontrol.h"
#include "song/songtype.h"

namespace tunedex::cli {
namespace {

constexpr int kDropSessionWaitMs = 6000;

// A user who cannot be shown a file dialog: asking for a player program becomes an error that
// names the settings key to set.
class PlayUser : public ConsoleUser {
 public:
  PlayUser(std::optional<Button> preferred, std::string settingsPath, std::uint8_t songType)
      : ConsoleUser(stderr, preferred),
        m_settingsPath(std::move(settingsPath)),
        m_songType(songType) {}

  std::optional<std::string> AskOpenFile(const FileDialogRequest&) override {
    const int record = PlayerRecordIndex(m_songType);
    ShowMessage(MessageKind::Error,
                "No player is set for " + std::string(SongTypeName(m_songType)) +
                    " songs: set PlayerFile in section [" +
                    std::string(PlayerOptionsSection(static_cast<std::size_t>(record))) + "] of " +
                    m_settingsPath,
                {Button::Ok});
    return std::nullopt;
  }

 private:
  std::string m_settingsPath;
  std::uint8_t m_songType;
};

std::optional<Button> Preferred(const Arguments& arguments) {
  const std::optional<std::string> answer = arguments.Option("answer");
  return answer ? ButtonFromName(*answer) : std::nullopt;
}

}  // namespace

int RunWindows(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  X11Desktop desktop;
  if (!desktop.Connected()) {
    user.ShowError("Cannot connect to the X display (is DISPLAY set?)");
    return kExitBadInput;
  }
  for (WindowHandle window : desktop.TopLevelWindows()) {
    const std::string line =
        WindowDescription(desktop.WindowClass(window), desktop.WindowCaption(window));
    std::fprintf(out, "0x%08llx %s\n", static_cast<unsigned long long>(window), line.c_str());
  }
  return kExitOk;
}

int RunVolumes(const Arguments& arguments, UserInteraction&, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  if (!arguments.Positional().empty()) throw UsageError("volumes takes no arguments");
  LinuxVolumes volumes;
  for (const Volume& volume : SongVolumes(volumes.Mounted())) {
    std::fprintf(out, "%s\t%s\t%s\t%s\t%s\n", volume.mountPoint.c_str(),
                 std::string(VolumeKindName(volume.kind)).c_str(), volume.fileSystem.c_str(),
                 volume.label.c_str(), volumes.IsReady(volume) ? "ready" : "not answering");
  }
  return kExitOk;
}

int RunPlay(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  if (arguments.Positional().size() != 1) throw UsageError("expected one song file");
  const std::string song = std::filesystem::absolute(arguments.Positional()[0]).string();
  const std::string settingsPath =
      SettingsFilePath(ProgramFilePath(), arguments.Option("settings").value_or(""));
  const tIniFile settings = tIniFile::Load(settingsPath);
  if (settings.Truncated()) user.ShowWarning(TruncatedSettingsWarning(settingsPath));
  tLivePlayerOptions options;
  ReadPlayerSections(settings, options.Set());
  options.Set().PlayerPopups = tPlayerPopups(settings.ReadInteger("Options", kPlayerPopupsKey, 0));
  options.DesktopDelay = settings.ReadInteger("Options", kDesktopDelayKey, kDefaultDesktopDelay);

  X11Desktop desktop;
  if (!desktop.Connected()) {
    user.ShowError("Cannot connect to the X display (is DISPLAY set?)");
    return kExitBadInput;
  }
  const std::uint8_t type = ExtToSongType(song);
  PlayUser playUser(Preferred(arguments), settingsPath, type);
  PosixProgramStarter programs;
  ThreadSleeper sleeper;
  const std::string programFolder = std::filesystem::path(ProgramFilePath()).parent_path().string();
  tPlayerControl control({desktop, programs, sleeper, playUser, FileExists, programFolder}, options,
                         0);
  control.PlaySong(0, song, type, true);
  WaitForXdndSessions(kDropSessionWaitMs);
  if (control.PlayerWindow() == 0) return kExitNotRecognised;
  std::fprintf(out, "played by %s\n", control.LastPlayerFile().c_str());
  return kExitOk;
}

}  // namespace tunedex::cli
