// SPDX-License-Identifier: GPL-3.0-or-later
#include "playeroptionsdialog.h"

#include <algorithm>

#include "common/fileio.h"

namespace tunedex {

namespace {

// "*.mid" and ";*.mi;*.midi;*.rmi" as one list of patterns.
std::vector<std::string> SamplePatterns(const PlayerTab& tab) {
  std::vector<std::string> patterns{"*." + std::string(tab.sampleExtension)};
  std::string_view extra = tab.extraPatterns;
  while (!extra.empty()) {
    const std::size_t end = extra.find(';', 1);
    std::string_view part = extra.substr(0, end);
    if (!part.empty() && part.front() == ';') part.remove_prefix(1);
    if (!part.empty()) patterns.emplace_back(part);
    extra = end == std::string_view::npos ? std::string_view() : extra.substr(end);
  }
  return patterns;
}

}  // namespace

const std::array<PlayerTab, kPlayerOptionRecords> kPlayerTabs{{
    {"KAR", "KARAOKE MIDI Files", ": *.kar", "kar", "kar", ".kar", "Karaoke MIDI", "kar", ""},
    {"ST3", "STAR DATA KARAOKE Files", ": *.st3", "st3", "st3", ".st3", "STAR data", "st3", ""},
    {"MIDI", "MIDI Files", "s: *.mi, *.mid, *.midi, *.rmi", "mid", "MIDI", "MIDI", "MIDI", "mid",
     ";*.mi;*.midi;*.rmi"},
    {"MP3", "MP3 Files", ": *.mp3", "mp3", "mp3", "MP3", "MP3", "mp3", ""},
    {"WMA", "WMA Files", ": *.wma", "wma", "wma", ".wma", "WMA", "wma", ""},
    {"KFN", "KaraFun Files", ": *.kfn", "kfn", "kfn", ".kfn", "KFN", "kfn", ""},
    {"MPEG", "MPEG Files", ": *.mpg; *.mpeg", "mpg", "MPEG", "MPEG", "MPEG", "mpg", ";*.mpeg"},
}};

tPlayerOptionsDialog::tPlayerOptionsDialog(Services services, tLivePlayerOptions& options)
    : m_services(std::move(services)), m_options(options) {
  m_records = options.Set().Records;
  m_popups = options.Set().PlayerPopups;
  for (std::size_t i = 0; i < kGeneralBits.size(); ++i) {
    generalBoxes[i] = m_popups.InFront(kGeneralBits[i]);
  }
  playerInFrontBox = m_popups.InFront(PlayerPopup::PlayerOptions);
  delay = options.DesktopDelay;
}

const PlayerTab* tPlayerOptionsDialog::CurrentTab() const {
  return m_tab < kGeneralTab ? &kPlayerTabs[static_cast<std::size_t>(m_tab)] : nullptr;
}

std::vector<ListedWindow> tPlayerOptionsDialog::ListWindows() {
  std::vector<ListedWindow> windows;
  Desktop& desktop = m_services.desktop;
  for (const WindowHandle window : desktop.TopLevelWindows()) {
    windows.push_back(
        {window, WindowDescription(desktop.WindowClass(window), desktop.WindowCaption(window))});
  }
  return windows;
}

void tPlayerOptionsDialog::Activate() {
  m_snapshot = ListWindows();
  ShowPage();
  Pause(m_options.DesktopDelay);
}

void tPlayerOptionsDialog::SelectTab(int tab) {
  if (tab < 0 || tab > kGeneralTab || tab == m_tab) return;
  LeavePage();
  m_tab = tab;
  ShowPage();
}

void tPlayerOptionsDialog::LeavePage() {
  m_services.control.CloseWindowHandle(m_player);
  m_services.control.ReleaseDialogPlayer();
  Pause(m_options.DesktopDelay);
  m_playerRunning = false;
  m_activateHandler = false;
  m_status = "Player is Closed";
  if (m_tab >= kGeneralTab) return;
  tSongPlayerOptions& record = m_records[static_cast<std::size_t>(m_tab)];
  record.PlayerFile = programText;
  record.Restart = restart;
  record.EmptyStart = emptyStart;
  std::tie(record.CloseClass, record.CloseName) = SplitWindowDescription(closeBox);
  std::tie(record.SendToClass, record.SendToName) = SplitWindowDescription(sendToBox);
  std::tie(record.PluginClass, record.PluginName) = SplitWindowDescription(lyricsBox);
}

void tPlayerOptionsDialog::ShowPage() {
  if (m_tab >= kGeneralTab) return;
  const tSongPlayerOptions& record = m_records[static_cast<std::size_t>(m_tab)];
  m_newWindows.clear();
  currentLine = -1;
  m_close = m_sendTo = 0;
  runEnabled = true;
  refreshEnabled = testSendEnabled = testCloseEnabled = false;
  sendSelectEnabled = closeSelectEnabled = lyricsSelectEnabled = false;
  programText = record.PlayerFile;
  restart = record.Restart;
  emptyStart = record.EmptyStart;
  closeBox = WindowDescription(record.CloseClass, record.CloseName);
  sendToBox = WindowDescription(record.SendToClass, record.SendToName);
  lyricsBox = WindowDescription(record.PluginClass, record.PluginName);
  if (programText.empty()) Default();
  runEnabled = CanRun();
  refreshEnabled = m_playerRunning;
}

bool tPlayerOptionsDialog::ProgramExists() const {
  return !programText.empty() && m_services.fileExists && m_services.fileExists(programText);
}

bool tPlayerOptionsDialog::CanRun() const {
  return ProgramExists() && !(m_player != 0 && m_services.desktop.WindowExists(m_player));
}

void tPlayerOptionsDialog::ClearChosenWindows() {
  closeBox.clear();
  sendToBox.clear();
  m_newWindows.clear();
  currentLine = -1;
  testCloseEnabled = testSendEnabled = false;
}

void tPlayerOptionsDialog::Default() {
  const PlayerTab* tab = CurrentTab();
  if (!tab) return;
  programText = m_services.programs.AssociatedProgram(std::string(tab->defaultExtension));
  if (programText.empty()) {
    m_services.user.ShowInformation("Cannot find a program associated with ." +
                                    std::string(tab->defaultName) + " files");
  } else {
    ClearChosenWindows();
    if (m_close != 0) m_services.control.CloseWindowHandle(m_close);
    UpdateSelectionButtons();
  }
  runEnabled = CanRun();
  refreshEnabled = m_playerRunning;
}

void tPlayerOptionsDialog::Browse() {
  const PlayerTab* tab = CurrentTab();
  if (!tab) return;
  FileDialogRequest request;
  request.title = "Select Player for " + std::string(tab->browseName) + " files";
  request.folder = FolderPart(programText);
  const std::string chosen = ChooseProgramFile(std::move(request), m_services.user);
  if (!chosen.empty()) {
    programText = chosen;
    ClearChosenWindows();
  }
  runEnabled = CanRun();
  refreshEnabled = false;
}

void tPlayerOptionsDialog::ProgramTextChanged() {
  runEnabled = CanRun();
}

void tPlayerOptionsDialog::RunPlayer() {
  const WindowHandle dialog = m_services.dialog;
  m_player = m_services.control.LaunchPlayer(dialog, programText, "");
  m_close = m_sendTo = m_player;
  Pause(4 * m_options.DesktopDelay);
  if (!playerInFrontBox) m_services.desktop.BringToFront(dialog);
  RefreshList();
  testCloseEnabled = !closeBox.empty();
  testSendEnabled = !sendToBox.empty();
  m_playerRunning = true;
  UpdateSelectionButtons();
  runEnabled = CanRun();
  refreshEnabled = true;
  m_services.control.RegisterDialogPlayer(m_player, dialog);
  m_activateHandler = true;
  m_status = "Player is Running";
  m_playerShownInFront = playerInFrontBox;
  m_services.desktop.BringToFront(m_player != 0 ? m_player : dialog);
}

void tPlayerOptionsDialog::RefreshList() {
  m_newWindows.clear();
  for (ListedWindow& window : ListWindows()) {
    const bool old = std::any_of(m_snapshot.begin(), m_snapshot.end(),
                                 [&](const ListedWindow& o) { return o.handle == window.handle; });
    // The dialog's own window is mapped only after the snapshot, and other windows of
    // Tunedex's (a message, the help) may open while it is shown.
    const bool own =
        window.handle == m_services.dialog || (m_isOwnWindow && m_isOwnWindow(window.handle));
    if (!old && !own) m_newWindows.push_back(std::move(window));
  }
  currentLine = m_newWindows.empty() ? -1 : 0;
}

void tPlayerOptionsDialog::UpdateSelectionButtons() {
  const bool any = !m_newWindows.empty();
  sendSelectEnabled = closeSelectEnabled = lyricsSelectEnabled = any;
}

void tPlayerOptionsDialog::ListClicked() {
  const bool current = currentLine >= 0 && currentLine < static_cast<int>(m_newWindows.size());
  sendSelectEnabled = closeSelectEnabled = lyricsSelectEnabled = current;
}

const ListedWindow* tPlayerOptionsDialog::ChosenLine() {
  if (currentLine < 0 || currentLine >= static_cast<int>(m_newWindows.size())) {
    m_services.user.ShowInformation("Please select a window");
    return nullptr;
  }
  return &m_newWindows[static_cast<std::size_t>(currentLine)];
}

void tPlayerOptionsDialog::SelectSendTo() {
  if (const ListedWindow* line = ChosenLine()) {
    m_sendTo = line->handle;
    sendToBox = line->line;
    testSendEnabled = !sendToBox.empty() && m_player != 0;
  }
}

void tPlayerOptionsDialog::SelectClose() {
  if (const ListedWindow* line = ChosenLine()) {
    m_close = line->handle;
    closeBox = line->line;
    testCloseEnabled = !closeBox.empty() && m_player != 0;
  }
}

void tPlayerOptionsDialog::SelectLyrics() {
  // The lyrics window is looked up by its description whenever it is wanted.
  if (const ListedWindow* line = ChosenLine()) lyricsBox = line->line;
}

WindowHandle tPlayerOptionsDialog::FindConfiguredWindow(const std::string& box) {
  const auto [windowClass, caption] = SplitWindowDescription(box);
  const WindowHandle window = m_services.control.FindPlayerWindow(windowClass, caption);
  if (window != 0 && m_services.desktop.WindowExists(window)) return window;
  runEnabled = true;
  refreshEnabled = false;
  m_services.user.ShowInformation(
      "Cannot locate the window requested.\nClick on the Run Player button to restart the "
      "Player.\nIf any Player is already running, close it first");
  return 0;
}

void tPlayerOptionsDialog::TestSendingSong() {
  const PlayerTab* tab = CurrentTab();
  if (!tab) return;
  if (m_sendTo == 0) {
    m_services.user.ShowError(
        "Please make sure that a player is running and\rselect a Window from the descriptions "
        "in the list");
    return;
  }
  m_sendTo = FindConfiguredWindow(sendToBox);
  if (m_sendTo == 0) return;
  FileDialogRequest request;
  request.title = "Select sample " + std::string(tab->sampleName) + " song file";
  request.filters = {{std::string(tab->sampleName) + " files", SamplePatterns(*tab)}};
  request.defaultExtension = tab->sampleExtension;
  request.folder = m_services.songsFolder;
  if (const std::optional<std::string> file = m_services.user.AskOpenFile(request)) {
    m_services.control.DropFileOnWindow(m_sendTo, *file);
    m_playerShownInFront = playerInFrontBox;
  }
  Pause(m_options.DesktopDelay);
  RefreshList();
  m_services.desktop.BringToFront(m_playerShownInFront ? m_sendTo : m_services.dialog);
}

void tPlayerOptionsDialog::PlayerClosed() {
  m_player = 0;
  m_playerRunning = false;
  runEnabled = ProgramExists();
  refreshEnabled = false;
  closeSelectEnabled = !m_newWindows.empty();
  sendSelectEnabled = lyricsSelectEnabled = closeSelectEnabled;
  m_status = "Player is Closed";
  m_activateHandler = false;
}

void tPlayerOptionsDialog::SetTestButtons() {
  testCloseEnabled = !runEnabled && !closeBox.empty();
  testSendEnabled = !runEnabled && !sendToBox.empty();
}

void tPlayerOptionsDialog::TestClosingPlayer() {
  const WindowHandle window = FindConfiguredWindow(closeBox);
  if (window == 0) {
    SetTestButtons();
    return;
  }
  m_close = window;
  Desktop& desktop = m_services.desktop;
  desktop.BringToFront(window);
  Pause(500);
  m_services.control.ClosePlayer();
  m_close = 0;
  for (int round = 0; round < 10 && desktop.WindowExists(window); ++round) {
    Pause(m_options.DesktopDelay);
  }
  if (!desktop.WindowExists(window)) {
    m_services.control.ReleaseDialogPlayer();
    PlayerClosed();
  }
  SetTestButtons();
}

void tPlayerOptionsDialog::ApplicationActivated() {
  if (!m_activateHandler) return;
  Desktop& desktop = m_services.desktop;
  for (int round = 0; round < 4 && m_player != 0 && desktop.WindowExists(m_player); ++round) {
    Pause(m_options.DesktopDelay);
  }
  if (m_player == 0 || !desktop.WindowExists(m_player)) PlayerClosed();
  SetTestButtons();
}

void tPlayerOptionsDialog::SwitchBack() {
  Desktop& desktop = m_services.desktop;
  m_playerShownInFront = !m_playerShownInFront;
  if (!m_playerShownInFront) {
    desktop.BringToFront(m_services.dialog);
    return;
  }
  desktop.BringToFront(m_player);
  if (!enableSwitchToPlugin) return;
  const auto [windowClass, caption] = SplitWindowDescription(lyricsBox);
  const WindowHandle lyrics = m_services.control.FindPlayerWindow(windowClass, caption);
  if (lyrics == 0) return;
  for (int round = 0; round < 5 && desktop.ForegroundWindow() != m_player; ++round) {
    Pause(m_options.DesktopDelay);
  }
  desktop.BringToFront(lyrics);
}

void tPlayerOptionsDialog::CloseBoxChanged() {
  if (closeBox.empty()) testCloseEnabled = false;
}

void tPlayerOptionsDialog::SendToBoxChanged() {
  if (sendToBox.empty()) testSendEnabled = false;
}

void tPlayerOptionsDialog::PressOk() {
  LeavePage();
  tPlayerOptionSet set;
  set.Records = m_records;
  set.PlayerPopups = m_popups;
  for (std::size_t i = 0; i < kGeneralBits.size(); ++i) {
    set.PlayerPopups.SetInFront(kGeneralBits[i], generalBoxes[i]);
  }
  set.PlayerPopups.SetInFront(PlayerPopup::PlayerOptions, playerInFrontBox);
  m_options.DesktopDelay = std::clamp(delay, 0, 1000);
  m_mainTick = m_options.SetPlayerOptions(set);
  m_popups = set.PlayerPopups;
}

void tPlayerOptionsDialog::Close() {
  m_services.control.CloseWindowHandle(m_player);
  m_services.control.ReleaseDialogPlayer();
}

}  // namespace tunedex
