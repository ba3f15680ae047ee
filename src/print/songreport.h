// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/songlist.h"

namespace tunedex {

inline constexpr std::string_view kProductName = "Tunedex";
inline constexpr std::string_view kProductWebAddress = "https://tunedex.org";
// The preview's column heading, its blanks lining the words up over the report's tab stops.
inline constexpr std::string_view kReportColumnHeading =
    "                ID code       Title                                                 Artist";
// The saved report's heading line.
inline constexpr std::string_view kSavedColumnHeading = "\tID Code\tTitle\tArtist";
// The report's tab stops, in twips (1/1440 inch).
inline constexpr int kReportTabStopsTwips[] = {970, 2100, 5500};
// How many characters of a title or an artist a report line shows.
inline constexpr std::size_t kReportFieldCharacters = 50;

// The product name with one blank between its letters, framed by "-" and three blanks:
// "-   T u n e d e x   -".
std::string SpacedProductName(std::string_view name = kProductName);

// A text as a report shows it: its first 50 characters (not bytes) with the blanks and control
// characters at either end removed; control characters inside become blanks, so a field never
// breaks a line or adds a column.
std::string ReportField(std::string_view utf8);

// The report line of a song, without its line end: TAB, ID code, TAB, title, TAB, artist.
std::string ReportLine(const tSongRecord& record);

// Appends the report lines of every song of a view in order, then the "N songs" line, each
// ended by lineEnd. Written straight into one buffer: 100,000 songs take a few milliseconds.
void AppendReportLines(const tSongList& view, std::string& out, std::string_view lineEnd);

// "N songs".
std::string SongCountText(std::size_t count);

// A view's report title: the catalogue window's first status text (the view), then ", " and
// the second (the sort) when that is not empty: "Showing: All Songs, Sort: Title".
std::string ReportTitle(std::string_view viewStatus, std::string_view sortStatus);

// What the report shows above its lines.
struct ReportHeading {
  std::string title;     // the view's title
  std::string dateText;  // ReportDateText
};

// Everything the print preview shows, filled in one go.
struct ReportPreview {
  std::string productName;    // SpacedProductName()
  std::string webAddress;     // kProductWebAddress
  std::string dateText;       // right-aligned above the title
  std::string title;          // the group label
  std::string columnHeading;  // kReportColumnHeading
  std::string paneText;       // the report lines, each ended by "\n", the count line last
  std::size_t songCount = 0;
};
ReportPreview MakeReportPreview(const ReportHeading& heading, const tSongList& view);

// A tab stop in twips as pixels of a device with dpi pixels per inch, rounded.
int TwipsToPixels(int twips, int dpi);

// The saved report: the spaced product name, the web address, the title TAB the date, the
// column heading, then the report lines; every line ended by CR LF, in UTF-8.
std::string SavedReportText(const ReportHeading& heading, const tSongList& view);

// Writes the saved report to path, replacing the file atomically: when anything fails a
// FileError says why and an existing file stays as it was.
void SaveReport(const std::string& path, const ReportHeading& heading, const tSongList& view);

}  // namespace tunedex
