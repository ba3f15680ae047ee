// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/customfilter.h"
#include "catalogue/customlanguage.h"
#include "catalogue/mainsettings.h"
#include "catalogue/songviews.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "song/songrecord.h"

namespace tunedex {

class tPlayerControl;

// Command tags of "Full Song &Details..." and the edit commands.
inline constexpr int kFullDetailsTag = 48;
inline constexpr int kEditSongTag = 49;

// Every command of the catalogue window, shared by its menus, toolbar and context menus.
enum class Command {
  OpenDatabase,
  NewDatabase,
  Save,
  SaveAs,
  SaveSelection,
  SongExplorer,
  ScanForSongs,
  PrintPreview,
  Exit,
  FullSongDetails,
  EditSong,
  AddSong,
  AddSongFromDetails,  // the details menu's copy, which needs a song shown
  DeleteSong,
  DeleteAllSongs,
  FillMissingIdCodes,
  LostFiles,
  PlaySong,
  PlaylistCentral,
  Players,
  CustomLanguage,
  GridFont,
  GridFontColour,
  PlayerInFront,   // "&Player in Front", a tick
  SwitchToPlugin,  // "&Enable switch to plugin", a tick
  ToggleDisplay,   // a display switch, tagged with its DisplaySwitch
  Sort,            // tagged with the sort key code, 32 to 34
  HelpContents,
  HelpForWindow,
  About,
  ViewAll,
  ViewCustomLanguage,
  ViewEnglish,
  ViewOtherLanguages,
  ViewNewSongs,
  ViewFiltered,
  Selection,
  SortMenus,
  FindBox,
  FindNext,
  FirstSong,
  PreviousSong,
  NextSong,
  LastSong,
};

// The keys the window sees before the focused control.
enum class WindowKey {
  Home,
  End,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  Backspace,
  Delete,
  F9,
  Enter,
  Escape,
  Clear,
  Other
};
enum KeyModifier : int { kNoModifier = 0, kAlt = 1, kCtrl = 2 };

inline constexpr std::string_view kApplicationTitle = "Tunedex - ver. E1.21";
inline constexpr int kMainHelpTopic = 1500;

// What the window needs from outside its lists: the user, the dialogs it opens and the player.
struct CatalogueServices {
  UserInteraction& user;
  // Whether songs' files exist, and renaming them.
  FileSystem& files;
  // The song record editor: true when it closed with OK and something changed.
  std::function<bool(tSongRecord& record, int mode, std::string& lastFolder)> showSongRecord = {};
  // The Player Options dialog.
  std::function<void()> showPlayerOptions = {};
  // The custom language dialog: the choice made, or nothing when cancelled.
  std::function<std::optional<CustomLanguageChoice>(const tCustomLanguage& current)>
      showCustomLanguage = {};
  // The font and colour dialogs for the grid; chooseFont applies the font to the grid and
  // answers how much wider its average character is than the old font's.
  std::function<std::optional<std::pair<tFontSetting, double>>()> chooseFont = {};
  std::function<std::optional<ColourValue>(ColourValue current)> chooseColour = {};
  std::function<void(int topic)> showHelp = {};
  std::function<void()> showAbout = {}, closeWindow = {};
  // The filter dialog on the window's filter: true for OK. Apply runs applyFilter.
  std::function<bool(tCustomFilterRec& filter, const std::function<void()>& apply)> showFilter = {};
  std::function<void()> beep = {};
  // The Song Explorer, opened at the songs folder, which it leaves at the folder shown last.
  std::function<void(std::string& songsFolder)> showSongExplorer = {};
  // Windows of later parts of the program; a command whose window is absent is disabled.
  std::function<void()> showScanWizard = {}, showLostFiles = {}, showPrintPreview = {},
                        showPlaylistCentral = {};
  tPlayerControl* players = nullptr;
  std::uint64_t windowHandle = 0;
};

// The display switches of the Options menu, as command tags, in the menu's order.
enum class DisplaySwitch {
  ConfirmSaves,
  ShowFormatMismatches,
  MainToolbar,
  Logo,
  Navigator,
  ProgramInfo,
  StatusBar
};
bool& SwitchOf(tDisplayOptions& options, DisplaySwitch which);
bool SwitchOf(const tDisplayOptions& options, DisplaySwitch which);

// The view mode (16 to 21) a view command chooses, or nothing for other commands.
std::optional<ViewMode> ViewModeOf(Command command);
Command ViewCommandOf(ViewMode mode);

}  // namespace tunedex
