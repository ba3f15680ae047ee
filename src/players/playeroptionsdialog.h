// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/userinteraction.h"
#include "players/desktop.h"
#include "players/playercontrol.h"
#include "players/playeroptions.h"

namespace tunedex {

inline constexpr int kPlayerOptionsHelpTopic = 3000;
inline constexpr int kPlayerWindowsHelpTopic = 3100;

// The texts of one players tab of the Player Options dialog.
struct PlayerTab {
  std::string_view caption;        // "KAR"
  std::string_view heading;        // "KARAOKE MIDI Files"
  std::string_view extensionText;  // appended to "File Type"
  std::string_view defaultExtension;
  std::string_view defaultName;  // in "Cannot find a program associated with ..."
  std::string_view browseName;   // in "Select Player for ... files"
  std::string_view sampleName;   // the sample song's filter name
  std::string_view sampleExtension;
  std::string_view extraPatterns;  // ";*.mi;*.midi;*.rmi"
};
extern const std::array<PlayerTab, kPlayerOptionRecords> kPlayerTabs;
inline constexpr int kGeneralTab = 7;

// A window as the dialog lists it: its description line and handle.
struct ListedWindow {
  WindowHandle handle = 0;
  std::string line;
};

// The Player Options dialog's state and rules apart from its widgets: working copies of the
// seven player records, discovering a player's windows by running it, picking the windows to
// close it by, to send songs to and of its lyrics, and testing them. The widgets write the
// boxes (programText, the check boxes, the three window boxes, currentLine) and call the
// actions; they read the rest back.
class tPlayerOptionsDialog {
 public:
  struct Services {
    tPlayerControl& control;
    Desktop& desktop;
    ProgramStarter& programs;
    Sleeper& sleeper;
    UserInteraction& user;
    std::function<bool(const std::string&)> fileExists;
    std::string songsFolder;
    WindowHandle dialog = 0;  // the dialog's own window
  };

  tPlayerOptionsDialog(Services services, tLivePlayerOptions& options);

  // Players page boxes.
  std::string programText;
  bool restart = true;
  bool emptyStart = false;
  std::string closeBox, sendToBox, lyricsBox;
  bool playerInFrontBox = false;  // bit 16
  bool enableSwitchToPlugin = true;
  int currentLine = -1;
  // General page.
  std::array<bool, 5> generalBoxes{};  // bits 1, 2, 4, 8, 32
  int delay = kDefaultDesktopDelay;
  static constexpr std::array<PlayerPopup, 5> kGeneralBits{
      PlayerPopup::MainWindow, PlayerPopup::DetailsWindow, PlayerPopup::Explorer,
      PlayerPopup::ScanWizard, PlayerPopup::PlaylistEditor};

  int Tab() const { return m_tab; }
  const PlayerTab* CurrentTab() const;
  const std::vector<ListedWindow>& Lines() const { return m_newWindows; }
  const std::string& Status() const { return m_status; }
  bool PlayerRunning() const { return m_playerRunning; }
  bool PlayerShownInFront() const { return m_playerShownInFront; }
  bool ActivateHandlerInstalled() const { return m_activateHandler; }
  WindowHandle PlayerHandle() const { return m_player; }

  bool runEnabled = true, refreshEnabled = false, sendSelectEnabled = false,
       closeSelectEnabled = false, lyricsSelectEnabled = false, testSendEnabled = false,
       testCloseEnabled = false;

  void SetDialogWindow(WindowHandle window) { m_services.dialog = window; }
  // Tells Tunedex's own windows, which the list of new windows never offers (the dialog's own
  // window is never offered either).
  void SetOwnWindows(std::function<bool(WindowHandle)> isOwn) { m_isOwnWindow = std::move(isOwn); }
  // The dialog became active: the windows that exist now are not the player's.
  void Activate();
  void SelectTab(int tab);
  void Default();
  void Browse();
  // The program text was edited: "Run Player" follows whether the program exists.
  void ProgramTextChanged();
  void RunPlayer();
  void RefreshList();
  void ListClicked();
  void SelectSendTo();
  void SelectClose();
  void SelectLyrics();
  void TestSendingSong();
  void TestClosingPlayer();
  // Tunedex became the active application while the dialog's player runs.
  void ApplicationActivated();
  // Shift+F10 while the dialog owns the player.
  void SwitchBack();
  void CloseBoxChanged();
  void SendToBoxChanged();
  // OK stores everything into the live options; any closing closes the dialog's player.
  void PressOk();
  void Close();

  const tSongPlayerOptions& Record(int tab) const {
    return m_records.at(static_cast<std::size_t>(tab));
  }
  tPlayerPopups Popups() const { return m_popups; }
  // After OK: the main menu's "&Player in Front" tick the stored popups imply.
  bool MainMenuTick() const { return m_mainTick; }

 private:
  void ShowPage();
  void LeavePage();
  bool CanRun() const;
  bool ProgramExists() const;
  void ClearChosenWindows();
  void UpdateSelectionButtons();
  // The current line of the list, or nothing after "Please select a window".
  const ListedWindow* ChosenLine();
  void SetTestButtons();
  void PlayerClosed();
  WindowHandle FindConfiguredWindow(const std::string& box);
  std::vector<ListedWindow> ListWindows();
  void Pause(int milliseconds) { m_services.sleeper.Pause(milliseconds); }

  Services m_services;
  std::function<bool(WindowHandle)> m_isOwnWindow;
  tLivePlayerOptions& m_options;
  std::array<tSongPlayerOptions, kPlayerOptionRecords> m_records;
  tPlayerPopups m_popups;
  int m_tab = 0;
  std::vector<ListedWindow> m_snapshot;
  std::vector<ListedWindow> m_newWindows;
  WindowHandle m_player = 0, m_close = 0, m_sendTo = 0;
  bool m_playerRunning = false;
  bool m_playerShownInFront = false;
  bool m_activateHandler = false;
  bool m_mainTick = false;
  std::string m_status = "Player is Closed";
};

}  // namespace tunedex
