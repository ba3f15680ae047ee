// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "catalogue/mainsettings.h"
#include "common/inifile.h"
#include "playlist/playlistitem.h"
#include "playlist/screenchoice.h"

namespace tunedex {

inline constexpr std::string_view kFullListSection = "FullList";
inline constexpr std::string_view kFullListCaption = "- Tunedex Playlist - ";
inline constexpr int kFullListHelpTopic = 14000;
inline constexpr std::string_view kFullListHeaderHint = "Drag to resize columns";
inline constexpr std::string_view kFullListGridHint = "Playlist";
inline constexpr std::string_view kFullListCloseHint = "Close Full view";
inline constexpr std::string_view kFullListFitHint = "Fit window vertically";
inline constexpr std::string_view kFullListHelpHint = "Show Help";
inline constexpr std::string_view kFullListEmptyStatus = "0/0";
inline constexpr std::string_view kFullListMark = ">";
inline constexpr int kFullListMarkPoints = 16;  // the ">" mark's bold font

// The grid's columns, left to right.
enum class FullListColumn { Number = 0, Singer = 1, Title = 2 };
inline constexpr int kFullListColumns = 3;

// A column's header caption and the widths its header section allows.
struct FullListColumnInfo {
  std::string_view caption;
  int designed;
  int minimum;
  int maximum;
};
const FullListColumnInfo& ColumnInfo(FullListColumn column);
// The width pulled within the column's limits.
int ClampColumnWidth(FullListColumn column, int width);

inline constexpr int kGridLineWidth = 1;
inline constexpr int kNumberColumnWidth = 44;
// The number column and three grid lines: the part of the grid's width that never scales.
inline constexpr int kFixedWidth = kNumberColumnWidth + 3 * kGridLineWidth;
inline constexpr int kDesignedRowHeight = 40;
inline constexpr int kStatusPanel2Width = 50;

// The popup menu's commands, and the status bar's buttons.
enum class FullListCommand {
  FitVertically,
  Font,
  Background,
  CurrentColour,
  OtherColour,
  Close,
  Help
};
struct FullListMenuEntry {
  FullListCommand command;
  std::string_view text;
  std::string_view shortcut;  // in Qt's portable text form; empty for none
  bool separatorAfter;
};
// "Fit vertically", "Font...", the three colours and "&Close this Window" in order.
std::span<const FullListMenuEntry> FullListMenu();

// The look and place kept in section "FullList".
struct FullListSettings {
  int state = kWindowNormal;
  int left = 0, top = 0, width = 0, height = 0;
  int singerWidth = 0;
  int titleWidth = 0;
  tFontSetting font;
  ColourValue currentColour = 0;
  ColourValue background = 0;
  friend bool operator==(const FullListSettings&, const FullListSettings&) = default;
};

// The designed window: Arial 18 points (24 pixels at 96 pixels per inch), bold, yellow, on red 0,
// green 128, blue 255; the current item in the font colour; columns from the width.
FullListSettings DesignedFullListSettings();
// Absent or damaged keys give the designed values; the columns default to the window width less
// 448 (singer) and less 270 (title), and every width is pulled within its column's limits.
FullListSettings ReadFullListSettings(const tIniFile& ini, const FullListSettings& designed);
// Position and size only for a normal window; the state 2 or 0, nothing when minimised.
void WriteFullListSettings(tIniFile& ini, const FullListSettings& settings);

// What a cell shows. The number column is always black; the mark is the ">" before the singer.
struct FullListCell {
  std::string text;
  ColourValue colour = 0;
  bool marked = false;
  friend bool operator==(const FullListCell&, const FullListCell&) = default;
};

// The rules of the full playlist view that are not drawing: rows, cells, the look, the
// columns and their scaling, fitting, the status count and the wheel. It only reads the items.
class tFullListView {
 public:
  explicit tFullListView(const tPlayList& items);

  // The item list's size now (at least one row).
  int RowCount() const;
  // The starting and current rows (-1 for none).
  void SetRows(int starting, int current);
  int StartingRow() const { return m_starting; }
  int CurrentRow() const { return m_current; }

  // The cell of the row and column; empty (and unmarked) while there are no items.
  FullListCell Cell(int row, FullListColumn column) const;

  // The look, as read or last chosen.
  void ApplySettings(const FullListSettings& settings, int fontPixels, int pixelsPerInch);
  const FullListSettings& Settings() const { return m_settings; }
  FullListSettings& Settings() { return m_settings; }
  // A font chosen in the font dialog: name, size and style, keeping the colour.
  void ChooseFont(const tFontSetting& font, int fontPixels, int pixelsPerInch);
  int RowHeight() const { return m_rowHeight; }

  // The row height after the settings are read, and after a font is chosen.
  static int RowHeightAfterSettings(int fontPixels, int pixelsPerInch);
  static int RowHeightAfterFont(int fontPixels, int pixelsPerInch);
  // A font size in points as pixels on a screen, rounded.
  static int FontPixels(int points, int pixelsPerInch);

  // The host dragged a header section to the width; the column is the section less a grid line
  // (within its limits). Returns the column's new width.
  int SetHeaderSection(FullListColumn column, int sectionWidth);
  int ColumnWidth(FullListColumn column) const;
  // The grid's client width changed: the singer and title columns scale with the part beyond
  // the fixed width. The first call only remembers the width. Returns true when they changed.
  bool ResizeGrid(int clientWidth);
  int LastGridWidth() const { return m_lastGridWidth; }
  // Rows that fit fully in the grid's client height.
  int VisibleRows(int clientHeight) const;
  // The first status panel's width in a window of the width.
  static int StatusPanelWidth(int windowWidth);

  // "Fit vertically": the frame from the work area's top to its bottom; enabled unless the
  // frame already is so.
  static bool FitEnabled(const ScreenRect& frame, const ScreenRect& workArea);
  static ScreenRect Fitted(const ScreenRect& frame, const ScreenRect& workArea);

  // The second status panel: the selected row's number from 1, "/" and the row count; "0/0"
  // without items or selection.
  std::string StatusText(int selectedRow) const;

  // The wheel: the lines per notch, or 1 when two notches would scroll a page or more.
  static int WheelStep(int wheelLines, int visibleRows);
  // The top row after notches (positive: down) of the wheel, within the first row and the last
  // full page.
  int WheelTop(int top, int notches, int wheelLines, int visibleRows) const;

 private:
  const tPlayList& m_items;
  int m_starting = -1;
  int m_current = -1;
  FullListSettings m_settings = DesignedFullListSettings();
  int m_rowHeight = kDesignedRowHeight;
  int m_lastGridWidth = 0;
};

}  // namespace tunedex
