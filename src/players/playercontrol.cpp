// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/playercontrol.h"

#include "common/fileio.h"

namespace tunedex {
namespace {

constexpr int kCloseRounds = 10;
constexpr int kCloseWindowTries = 11;
constexpr int kSearchRetries = 10;
constexpr int kForegroundRounds = 20;
constexpr int kLyricsFrontPauses = 5;
constexpr int kDropPauseMs = 10;
constexpr std::size_t kCaptionCharacters = 254;

}  // namespace

WindowHandle tPlayerControl::FindPlayerWindow(const std::string& windowClass,
                                              const std::string& caption) {
  Desktop& desktop = m_services.desktop;
  for (WindowHandle window : desktop.TopLevelWindows()) {
    if (desktop.WindowClass(window) != windowClass) continue;
    // Only the first window of the class is looked at.
    if (caption.empty()) return 0;
    const std::string shown = desktop.WindowCaption(window).substr(0, kCaptionCharacters);
    return shown.find(caption) != std::string::npos ? window : 0;
  }
  return 0;
}

WindowHandle tPlayerControl::SearchWithRetries(const std::string& windowClass,
                                               const std::string& caption) {
  WindowHandle found = FindPlayerWindow(windowClass, caption);
  for (int retry = 0; found == 0 && retry < kSearchRetries; ++retry) {
    Pause();
    found = FindPlayerWindow(windowClass, caption);
  }
  return found;
}

WindowHandle tPlayerControl::LaunchPlayer(WindowHandle owner, const std::string& program,
                                          const std::string& argument) {
  if (!m_services.programs.StartProgram(program, argument)) return 0;
  Desktop& desktop = m_services.desktop;
  WindowHandle foreground = 0;
  for (int round = 0; round < kForegroundRounds; ++round) {
    Pause();
    foreground = desktop.ForegroundWindow();
    // Without an owner window (the command-line program) there is nothing to wait for.
    if (foreground != 0 && foreground != owner && (owner == 0 || desktop.IsVisible(owner))) break;
  }
  return foreground == owner ? 0 : foreground;
}

void tPlayerControl::DropFileOnWindow(WindowHandle window, const std::string& fileName) {
  if (!m_services.desktop.WindowExists(window)) return;
  m_services.desktop.DropFile(window, fileName);
  m_services.sleeper.Pause(kDropPauseMs);
}

void tPlayerControl::CloseWindowHandle(WindowHandle& window) {
  if (window == 0) return;
  m_services.desktop.CloseWindow(window);
  window = 0;
}

void tPlayerControl::ClosePlayer() {
  if (m_playerWindow != 0) m_services.desktop.CloseWindow(m_playerWindow);
  m_playerWindow = 0;
  m_hooksInstalled = false;
}

void tPlayerControl::RegisterDialogPlayer(WindowHandle player, WindowHandle dialog) {
  m_playerWindow = player;
  m_ownerWindow = dialog;
  m_dialogOwnsPlayer = true;
}

void tPlayerControl::ReleaseDialogPlayer() {
  m_playerWindow = 0;
  m_ownerWindow = 0;
  m_dialogOwnsPlayer = false;
}

void tPlayerControl::CloseOwnedWindows(WindowHandle window) {
  Desktop& desktop = m_services.desktop;
  for (WindowHandle other : desktop.TopLevelWindows()) {
    if (other != window && !desktop.IsMinimised(other) && desktop.OwnerOf(other) == window) {
      desktop.CloseWindow(other);
    }
  }
}

std::string tPlayerControl::ChoosePlayer(std::uint8_t songType, tSongPlayerOptions& options,
                                         bool& stop) {
  const bool configuredMissing =
      !options.PlayerFile.empty() && !m_services.fileExists(options.PlayerFile);
  if (!options.PlayerFile.empty() && !configuredMissing) return options.PlayerFile;
  const std::string configured = options.PlayerFile;
  options.PlayerFile = m_services.programs.AssociatedProgram(AssociatedProgramExtension(songType));
  if (!options.PlayerFile.empty()) return options.PlayerFile;
  if (configuredMissing &&
      m_services.user.ShowMessage(MessageKind::Warning,
                                  "Cannot locate player " + std::string(FileNamePart(configured)),
                                  {Button::Ok, Button::Cancel}) == Button::Cancel) {
    stop = true;
    return {};
  }
  const std::string chosen =
      SelectPlayerProgram(songType, m_services.programFolder, m_services.user);
  SetPlayerFileForSongType(m_options.Set(), songType, chosen);
  return chosen;
}

void tPlayerControl::PlaySong(WindowHandle owner, const std::string& fileName,
                              std::uint8_t songType, bool playerInFront) {
  Desktop& desktop = m_services.desktop;
  if (!m_services.fileExists(fileName)) {
    m_services.user.ShowError("Cannot find file\r" + fileName);
    return;
  }
  m_ownerWindow = owner;
  tSongPlayerOptions options = OptionsForSongType(m_options.Set(), songType);
  const bool restart = options.Restart;
  const bool emptyStart = options.EmptyStart;

  bool stop = false;
  const std::string player = ChoosePlayer(songType, options, stop);
  if (stop || player.empty() || !m_services.fileExists(player)) return;

  if (m_playerWindow != 0 && !desktop.WindowExists(m_playerWindow)) m_playerWindow = 0;
  const bool reuse = !restart && m_playerWindow != 0 && m_lastPlayerFile == player;
  if (!reuse) {
    const WindowHandle old = m_playerWindow;
    CloseWindowHandle(m_playerWindow);
    for (int round = 0; old != 0 && desktop.WindowExists(old) && round < kCloseRounds; ++round) {
      if (!options.HasCloseWindow()) CloseOwnedWindows(old);
      Pause();
    }
    if (options.HasCloseWindow()) Pause();

    // On this platform the song path is the program's one argument, never quoted.
    const std::string argument = restart ? fileName : std::string();
    if (options.HasAnyWindow()) {
      LaunchPlayer(owner, player, argument);
      m_playerWindow = 0;
      for (int attempt = 0; attempt < kCloseWindowTries && m_playerWindow == 0; ++attempt) {
        Pause();
        m_playerWindow = FindPlayerWindow(options.CloseClass, options.CloseName);
      }
    } else if (emptyStart) {
      m_playerWindow = LaunchPlayer(owner, player, std::string());
    } else {
      m_playerWindow = LaunchPlayer(owner, player, argument);
    }
  }

  if (m_playerWindow != 0) {
    m_lastPlayerFile = player;
    if (emptyStart || !restart) {
      WindowHandle target = m_playerWindow;
      if (options.HasSendToWindow()) {
        const WindowHandle sendTo = SearchWithRetries(options.SendToClass, options.SendToName);
        if (sendTo != 0) target = sendTo;
      }
      if (target != 0) {
        Pause();
        DropFileOnWindow(target, fileName);
      }
    }
    m_playerInFront = playerInFront;
    desktop.BringToFront(playerInFront ? m_playerWindow : owner);
  }
  m_currentOptions = options;
  m_hooksInstalled = true;
}

WindowHandle tPlayerControl::FindLyricsWindow() {
  if (!m_switchToPlugin || !m_currentOptions.HasLyricsWindow()) return 0;
  return SearchWithRetries(m_currentOptions.PluginClass, m_currentOptions.PluginName);
}

void tPlayerControl::SwitchBackTo(WindowHandle window) {
  if (!m_switchBacks.Deliver(window)) m_services.desktop.PostSwitchBack(window);
}

void tPlayerControl::HotkeySwitch() {
  Desktop& desktop = m_services.desktop;
  if (m_dialogOwnsPlayer) {
    SwitchBackTo(m_ownerWindow);
    return;
  }
  m_playerInFront = !m_playerInFront;
  if (m_playerWindow != 0 && desktop.WindowExists(m_playerWindow) && m_playerInFront) {
    desktop.BringToFront(m_playerWindow);
    if (const WindowHandle lyrics = FindLyricsWindow()) {
      WindowHandle foreground = desktop.ForegroundWindow();
      for (int pause = 0; foreground != m_playerWindow && pause < kLyricsFrontPauses; ++pause) {
        Pause();
        foreground = desktop.ForegroundWindow();
      }
      desktop.BringToFront(lyrics);
    }
    return;
  }
  if (m_ownerWindow == m_mainWindow) {
    desktop.BringToFront(m_mainWindow);
  } else {
    SwitchBackTo(m_ownerWindow);
  }
}

void tPlayerControl::ApplicationActivated() {
  if (m_hooksInstalled) m_playerInFront = false;
}

void tPlayerControl::ApplicationDeactivated() {
  if (m_hooksInstalled && m_playerWindow != 0 && m_services.desktop.WindowExists(m_playerWindow)) {
    m_playerInFront = true;
  }
}

}  // namespace tunedex
