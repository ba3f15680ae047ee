// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "common/userinteraction.h"
#include "players/desktop.h"
#include "players/playeroptions.h"
#include "players/switchbackregistry.h"

namespace tunedex {

// Shown when the desktop refuses the Shift+F10 grab (another program holds it); Tunedex then
// runs without the hot key. The text is the program's own, spelling included.
inline constexpr std::string_view kHotKeyRefusedMessage =
    "Unable to assign Shift-F10 as the hotkey to show Tunedex while a\rplayer is runnimg.";

// Plays songs by driving external player programs: starts or reuses the one running player,
// finds its windows by class and caption, hands it the song as a dropped file, brings it or the
// calling window to the front, closes it; and the Shift+F10 switch between Tunedex, the player
// and the player's lyrics window. Every wait is a bounded number of DesktopDelay pauses.
class tPlayerControl {
 public:
  struct Services {
    Desktop& desktop;
    ProgramStarter& programs;
    Sleeper& sleeper;
    UserInteraction& user;
    std::function<bool(const std::string&)> fileExists;
    std::string programFolder;  // where the program chooser starts
  };

  tPlayerControl(Services services, tLivePlayerOptions& options, WindowHandle mainWindow)
      : m_services(std::move(services)), m_options(options), m_mainWindow(mainWindow) {}

  void PlaySong(WindowHandle owner, const std::string& fileName, std::uint8_t songType,
                bool playerInFront);

  // Starts a program and returns the window that came to the front after it, or 0.
  WindowHandle LaunchPlayer(WindowHandle owner, const std::string& program,
                            const std::string& argument);
  // The first window of the class, when its caption (at most 254 characters) contains the
  // caption text, case-sensitively; an empty caption text never matches.
  WindowHandle FindPlayerWindow(const std::string& windowClass, const std::string& caption);
  void DropFileOnWindow(WindowHandle window, const std::string& fileName);
  void ClosePlayer();
  void CloseWindowHandle(WindowHandle& window);
  void RegisterDialogPlayer(WindowHandle player, WindowHandle dialog);
  void ReleaseDialogPlayer();
  WindowHandle FindLyricsWindow();
  void HotkeySwitch();
  // The windows that answer the switch-back with a handler of their own; the others are
  // handed to the desktop's switch-back.
  SwitchBackRegistry& SwitchBacks() { return m_switchBacks; }

  // Tunedex became, or stopped being, the active application.
  void ApplicationActivated();
  void ApplicationDeactivated();

  // The main menu's "&Enable switch to plugin" tick.
  void SetSwitchToPluginEnabled(bool enabled) { m_switchToPlugin = enabled; }

  WindowHandle& PlayerWindow() { return m_playerWindow; }
  const std::string& LastPlayerFile() const { return m_lastPlayerFile; }
  const tSongPlayerOptions& CurrentPlayerOptions() const { return m_currentOptions; }
  WindowHandle OwnerWindow() const { return m_ownerWindow; }
  bool PlayerInFrontState() const { return m_playerInFront; }
  bool DialogOwnsPlayer() const { return m_dialogOwnsPlayer; }
  bool HooksInstalled() const { return m_hooksInstalled; }

 private:
  void Pause() { m_services.sleeper.Pause(m_options.DesktopDelay); }
  std::string ChoosePlayer(std::uint8_t songType, tSongPlayerOptions& options, bool& stop);
  void CloseOwnedWindows(WindowHandle window);
  WindowHandle SearchWithRetries(const std::string& windowClass, const std::string& caption);
  void SwitchBackTo(WindowHandle window);

  Services m_services;
  SwitchBackRegistry m_switchBacks;
  tLivePlayerOptions& m_options;
  WindowHandle m_mainWindow;

  WindowHandle m_playerWindow = 0;
  std::string m_lastPlayerFile;
  tSongPlayerOptions m_currentOptions;
  WindowHandle m_ownerWindow = 0;
  bool m_playerInFront = false;
  bool m_dialogOwnsPlayer = false;
  bool m_hooksInstalled = false;
  bool m_switchToPlugin = false;
};

}  // namespace tunedex
