// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue window's commands: when each is enabled, ticked or pressed, and what it runs.
#include "catalogue/cataloguecommands.h"

#include "catalogue/cataloguewindow.h"
#include "players/playercontrol.h"

namespace tunedex {

bool& SwitchOf(tDisplayOptions& options, DisplaySwitch which) {
  switch (which) {
    case DisplaySwitch::ConfirmSaves:
      return options.confirmSaves;
    case DisplaySwitch::ShowFormatMismatches:
      return options.showFormatMismatches;
    case DisplaySwitch::MainToolbar:
      return options.mainToolbar;
    case DisplaySwitch::Logo:
      return options.logo;
    case DisplaySwitch::Navigator:
      return options.navigator;
    case DisplaySwitch::ProgramInfo:
      return options.programInfo;
    case DisplaySwitch::StatusBar:
      break;
  }
  return options.statusBar;
}

bool SwitchOf(const tDisplayOptions& options, DisplaySwitch which) {
  return SwitchOf(const_cast<tDisplayOptions&>(options), which);
}

namespace {

constexpr std::pair<Command, ViewMode> kViewCommands[] = {
    {Command::ViewAll, ViewMode::All},
    {Command::ViewCustomLanguage, ViewMode::CustomLanguage},
    {Command::ViewEnglish, ViewMode::English},
    {Command::ViewOtherLanguages, ViewMode::OtherLanguages},
    {Command::ViewNewSongs, ViewMode::NewSongs},
    {Command::ViewFiltered, ViewMode::CustomFiltered}};

}  // namespace

std::optional<ViewMode> ViewModeOf(Command command) {
  for (const auto& [viewCommand, mode] : kViewCommands) {
    if (viewCommand == command) return mode;
  }
  return std::nullopt;
}

Command ViewCommandOf(ViewMode mode) {
  for (const auto& [command, viewMode] : kViewCommands) {
    if (viewMode == mode) return command;
  }
  return Command::ViewAll;
}

std::optional<bool> tCatalogueWindow::Ticked(Command command, int tag) const {
  if (const std::optional<ViewMode> mode = ViewModeOf(command)) return ViewMenuTicked(*mode);
  switch (command) {
    case Command::Selection:
      return SelectionMenuTicked();
    case Command::Sort:
      return m_catalogue.SortCode() == tag;
    case Command::ToggleDisplay:
      return SwitchOf(m_settings.display, static_cast<DisplaySwitch>(tag));
    case Command::PlayerInFront:
      return playerInFront;
    case Command::SwitchToPlugin:
      return enableSwitchToPlugin;
    default:
      return std::nullopt;
  }
}

bool tCatalogueWindow::Pressed(Command command) const {
  const std::optional<ViewMode> mode = ViewModeOf(command);
  return mode && ViewButtonPressed(*mode);
}

bool tCatalogueWindow::Enabled(Command command) const {
  const bool viewHasSongs = !m_view.Empty();
  const bool masterHasSongs = !m_catalogue.Empty();
  const int count = static_cast<int>(m_view.Count());
  const int current = CurrentRow();
  switch (command) {
    case Command::FirstSong:
    case Command::PreviousSong:
      return current > 0 && count >= 2;
    case Command::NextSong:
    case Command::LastSong:
      return current < count - 1 && count >= 2;
    case Command::DeleteSong:
    case Command::DeleteAllSongs:
    case Command::AddSongFromDetails:
    case Command::EditSong:
    case Command::FullSongDetails:
    case Command::PlaySong:
    case Command::ViewFiltered:
    case Command::SortMenus:
    case Command::FindBox:
    case Command::SaveSelection:
      return viewHasSongs;
    case Command::FindNext:
      return viewHasSongs && !m_findText.empty();
    case Command::PlaylistCentral:
      return masterHasSongs && static_cast<bool>(m_services.showPlaylistCentral);
    case Command::LostFiles:
      return masterHasSongs && static_cast<bool>(m_services.showLostFiles);
    case Command::PrintPreview:
      return masterHasSongs && static_cast<bool>(m_services.showPrintPreview);
    case Command::SongExplorer:
      return static_cast<bool>(m_services.showSongExplorer);
    case Command::ScanForSongs:
      return static_cast<bool>(m_services.showScanWizard);
    case Command::Save:
    case Command::SaveAs:
    case Command::ViewAll:
    case Command::ViewCustomLanguage:
    case Command::ViewEnglish:
    case Command::ViewOtherLanguages:
    case Command::ViewNewSongs:
    case Command::Selection:
      return masterHasSongs;
    default:
      return true;
  }
}

void tCatalogueWindow::Run(Command command, int tag) {
  if (!Enabled(command)) return;
  if (const std::optional<ViewMode> mode = ViewModeOf(command)) {
    ChooseView(*mode);
    return;
  }
  // The navigator's buttons are the keys that move the selection.
  constexpr std::pair<Command, WindowKey> kNavigatorKeys[] = {
      {Command::FirstSong, WindowKey::Home},
      {Command::PreviousSong, WindowKey::Up},
      {Command::NextSong, WindowKey::Down},
      {Command::LastSong, WindowKey::End}};
  for (const auto& [navigator, key] : kNavigatorKeys) {
    if (navigator != command) continue;
    m_typeAhead.clear();  // the navigator starts the type-ahead afresh
    HandleKey(key, kNoModifier);
    return;
  }
  switch (command) {
    case Command::OpenDatabase:
      OpenDatabase();
      break;
    case Command::NewDatabase:
      NewDatabase();
      break;
    case Command::Save:
      Save();
      break;
    case Command::SaveAs:
      SaveAs();
      break;
    case Command::SaveSelection:
      SaveSelection();
      break;
    case Command::SongExplorer:
      m_services.showSongExplorer(m_settings.songsFolder);
      FillMissingIdCodes();
      break;
    case Command::ScanForSongs:
      m_services.showScanWizard();
      FillMissingIdCodes();
      break;
    case Command::LostFiles:
      m_services.showLostFiles();
      m_typeAhead.clear();
      break;
    case Command::PrintPreview:
      m_services.showPrintPreview();
      break;
    case Command::FullSongDetails:
      ShowCurrentSong(kFullDetailsTag);
      break;
    case Command::EditSong:
      ShowCurrentSong(tag);
      break;
    case Command::AddSong:
    case Command::AddSongFromDetails:
      AddSong();
      break;
    case Command::DeleteSong:
      DeleteSong();
      break;
    case Command::DeleteAllSongs:
      DeleteAllSongs();
      break;
    case Command::FillMissingIdCodes:
      FillMissingIdCodes();
      break;
    case Command::PlaySong:
      PlayCurrentSong();
      break;
    case Command::PlaylistCentral:
      PlaylistCentral();
      break;
    case Command::Players:
      Players();
      break;
    case Command::CustomLanguage:
      ChooseCustomLanguage();
      break;
    case Command::GridFont:
      ChooseFont();
      break;
    case Command::GridFontColour:
      ChooseFontColour();
      break;
    case Command::PlayerInFront:
      playerInFront = !playerInFront;
      break;
    case Command::SwitchToPlugin:
      enableSwitchToPlugin = !enableSwitchToPlugin;
      if (m_services.players) m_services.players->SetSwitchToPluginEnabled(enableSwitchToPlugin);
      break;
    case Command::ToggleDisplay: {
      bool& value = SwitchOf(m_settings.display, static_cast<DisplaySwitch>(tag));
      value = !value;
      break;
    }
    case Command::Sort:
      SetSort(tag);
      break;
    case Command::HelpContents:
    case Command::HelpForWindow:
      if (m_services.showHelp)
        m_services.showHelp(command == Command::HelpContents ? 0 : kMainHelpTopic);
      break;
    case Command::About:
      if (m_services.showAbout) m_services.showAbout();
      break;
    case Command::Exit:
      if (m_services.closeWindow) m_services.closeWindow();
      break;
    case Command::FindNext:
      FindNext();
      break;
    default:
      break;
  }
}

}  // namespace tunedex
