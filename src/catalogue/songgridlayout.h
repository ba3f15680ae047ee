// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/mainsettings.h"
#include "song/songrecord.h"

namespace tunedex {

// Slots of the type-picture strip: each song type has a picture for a file that exists, one for
// a file already in the catalogue (the importers' lists) and one for a missing file.
inline constexpr int kTypePictureCount = 25;
inline constexpr int kUnknownTypePicture = 18;
int TypePictureIndex(const tSongRecord& record, bool fileExists);

// The background behind the ID code of a song with lyrics, by its type; none for type 0.
std::optional<ColourValue> LyricsColour(std::uint8_t fileType);

// The grid's background: light blue while it has the focus, else the highlight-text colour.
inline constexpr ColourValue kFocusedGridColour = 16643564;

// The format-mismatch marker: the type by extension differs from the content's, and the type is
// not MPEG (video files are not inspected).
bool ShowsFormatMismatch(const tSongRecord& record);

// Row height for a font whose character height is fontHeight pixels (negative) at
// pixelsPerInch.
int GridRowHeight(int fontHeight, int pixelsPerInch);

// Rows one wheel notch scrolls: the desktop's wheel lines (3 when below 1), or 1 when twice that
// is not less than the visible rows.
int WheelStep(int wheelLines, int visibleRows);
// The top row after a wheel notch (distance <= 0 scrolls down); the selection stays.
int WheelScrolledTop(int topRow, int wheelDistance, int wheelLines, int rowCount, int visibleRows);

// Each of the navigator's four buttons: (toolbar width - 100, limited to 100..300) / 4.
int NavigatorButtonWidth(int toolbarWidth);
// Status panels 0 and 1: 8/20 of the bar each.
int StatusPanelWidth(int barWidth);

// The widths of the grid's columns and header sections, following header drags, sideways
// scrolling and window resizes.
class tGridColumns {
 public:
  static constexpr int kFixedColumnWidth = 17;
  static constexpr int kTypeColumnWidth = 17;
  static constexpr int kLineWidth = 1;
  static constexpr int kMinimumTextColumnWidth = 12;

  explicit tGridColumns(std::array<int, 3> textColumns = kDefaultColumnWidths);

  int ColumnWidth(int column) const { return m_widths.at(static_cast<std::size_t>(column)); }
  void SetTextColumns(std::array<int, 3> widths);
  std::array<int, 3> TextColumns() const { return {m_widths[2], m_widths[3], m_widths[4]}; }
  // Header section widths: 0 and 1 as the columns plus a line, sections of columns scrolled
  // out of view 0.
  int SectionWidth(int section) const;

  // The user dragged header section i (1 to 4) to width.
  void SectionResized(int section, int width);

  // The first scrollable column shown (1 to 3); Left and Right move it by one.
  int LeftColumn() const { return m_leftColumn; }
  bool ScrollLeft();
  bool ScrollRight();
  void ScrollFullyLeft() { m_leftColumn = 1; }

  // The grid became gridWidth wide: text columns grow or shrink by the same ratio. The first
  // width given is the base; give the widths the grid has once it is laid out on the screen.
  void GridResized(int gridWidth);
  // The text column widths to store: for a maximised window, the widths before maximising.
  std::array<int, 3> StoredTextColumns(bool maximised) const;

  // A new font whose average character is ratio times as wide: the ID and title columns follow.
  void FontWidthChanged(double ratio);

 private:
  std::array<int, 5> m_widths;
  std::array<double, 3> m_exact;  // the text columns as they follow the window, unrounded
  int m_leftColumn = 1;
  int m_oldGridWidth = -1;  // before the first resize: unknown
  double m_inverseRatio = 1.0;
};

// The window caption: "-Tunedex- " and the database path, or "# New file #".
inline constexpr std::string_view kCaptionPrefix = "-Tunedex- ";
inline constexpr std::string_view kNewFileCaption = "# New file #";
std::string CaptionPath(std::string_view path, bool newDatabase);

// Shortens a path to fit a width by replacing its leading folders after the root with "..."
// one at a time ("/home/ann/songs/a.tdb", "/.../ann/songs/a.tdb", "/.../songs/a.tdb", ...); a
// text without "/" stays whole. width measures a text in the same units as available.
std::string ShortenPath(std::string_view path, int available,
                        const std::function<int(std::string_view)>& width);

// The details panel's notes line: line feeds become blanks, carriage returns ";".
std::string NotesLine(std::string_view notes);

// The picture beside the language in the details panel: the flag of one of the six built-in
// codes (compared ignoring case), the neutral user-defined flag for any other code whatever the
// custom language is, the "New songs" picture for none.
enum class LanguagePicture {
  English,
  Swedish,
  French,
  Spanish,
  Portuguese,
  German,
  UserDefined,
  New
};
LanguagePicture LanguagePictureOf(std::string_view language);

}  // namespace tunedex
