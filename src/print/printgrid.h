// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/songlist.h"
#include "print/pageengine.h"

namespace tunedex {

struct ReportHeading;

// A part of the page body printed from top to bottom: it keeps the position of the next line
// and breaks the page when what comes does not fit above the footer.
class tPrintSection {
 public:
  explicit tPrintSection(tPrintObject& engine);
  virtual ~tPrintSection() = default;
  tPrintSection(const tPrintSection&) = delete;
  tPrintSection& operator=(const tPrintSection&) = delete;

  int Y() const { return m_y; }
  // Whether height more fits above the footer.
  bool Fits(int height) const { return m_y + height <= m_engine.BodyBottom(); }
  // How many whole lines of lineHeight are left above the footer.
  int LinesLeft(int lineHeight) const;
  // Finishes the page and goes on at the top of the next page's body.
  virtual void BreakPage();

 protected:
  // The gap between the header band and the first line of a page.
  static constexpr double kBodyGapCm = 0.3;

  tPrintObject& m_engine;
  int m_y;
};

// A grid of columns: the given widths, the last column taking the rest of the grid's width; a
// heading row and rows of cells, their texts set in from the cell's top left corner; the outer
// lines and the lines between the columns drawn around what was printed on a page.
class tPrintGrid : public tPrintSection {
 public:
  tPrintGrid(tPrintObject& engine, std::vector<double> columnWidthsCm, double gridWidthCm);

  static constexpr double kInsetXCm = 0.3;
  static constexpr double kInsetYCm = 0.1;
  static constexpr PrintFont kHeadingFont{kArial, 10, true, false};
  static constexpr PrintFont kRowFont{kArial, 10, false, false};

  int RowHeight() const;
  // The left edge of each column, then the grid's right edge, in device pixels.
  const std::vector<int>& ColumnEdges() const { return m_edges; }

  void PrintHeadingRow(std::span<const std::string_view> cells);
  void PrintRow(std::span<const std::string_view> cells);
  // Draws the outer lines and the column lines around the rows printed on this page.
  void CloseFrame();

 protected:
  void PrintCells(std::span<const std::string_view> cells, const PrintFont& font,
                  PrintColour colour);

 private:
  std::vector<int> m_edges;
  int m_frameTop = -1;
};

// A grid with a title line that runs on over pages: a row that does not fit above the footer
// goes to the next page, which begins with the title followed by " (cont...)" and the heading
// row again.
class tRunningGrid : public tPrintGrid {
 public:
  tRunningGrid(tPrintObject& engine, std::vector<double> columnWidthsCm, double gridWidthCm,
               std::string title, std::vector<std::string> headings);

  static constexpr PrintFont kTitleFont{kArial, 10, true, false};
  static constexpr PrintFont kCountFont{kArial, 8, true, false};

  // The title line and the heading row.
  void Begin();
  void AddRow(std::span<const std::string_view> cells);
  // Closes the frame; then a blank line when more than two lines are left on the page, and the
  // "N songs" line when more than one is.
  void End();
  std::size_t Rows() const { return m_rows; }

  void BreakPage() override;

 private:
  void PrintTitle(const std::string& title);

  std::string m_title;
  std::vector<std::string> m_headings;
  std::size_t m_rows = 0;
};

// The printed song list: ID code, title and artist of every song of a view, in columns of
// 1.8 cm, 7.5 cm and the rest of 16.0 cm.
class tPrintSongGrid : public tRunningGrid {
 public:
  tPrintSongGrid(tPrintObject& engine, const tSongList& view, std::string title);
  void Print();

 private:
  const tSongList& m_view;
};

// A record text as a printout shows it: decoded, control characters as blanks, trimmed.
std::string PrintedText(std::string_view stored);

// The whole printed list of a view on report pages.
PrintDocument LayoutSongList(const PageDevice& device, FontMetrics& metrics,
                             const ReportHeading& heading, const tSongList& view,
                             const LayoutProgress& progress = {});

}  // namespace tunedex
