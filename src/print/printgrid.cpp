// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/printgrid.h"

#include <array>

#include "catalogue/song.h"
#include "common/recordtext.h"
#include "print/songreport.h"

namespace tunedex {

tPrintSection::tPrintSection(tPrintObject& engine)
    : m_engine(engine), m_y(engine.BodyTop() + engine.CmToY(kBodyGapCm)) {}

int tPrintSection::LinesLeft(int lineHeight) const {
  if (lineHeight <= 0) return 0;
  const int space = m_engine.BodyBottom() - m_y;
  return space > 0 ? space / lineHeight : 0;
}

void tPrintSection::BreakPage() {
  m_engine.NewPage();
  m_y = m_engine.BodyTop() + m_engine.CmToY(kBodyGapCm);
}

tPrintGrid::tPrintGrid(tPrintObject& engine, std::vector<double> columnWidthsCm, double gridWidthCm)
    : tPrintSection(engine) {
  const int left = engine.Left();
  double at = 0;
  m_edges.push_back(left);
  for (const double width : columnWidthsCm) {
    at += width;
    m_edges.push_back(left + engine.CmToX(at));
  }
  m_edges.push_back(left + engine.CmToX(gridWidthCm));
}

int tPrintGrid::RowHeight() const {
  return m_engine.LineHeight(kRowFont) + m_engine.CmToY(kInsetYCm);
}

void tPrintGrid::PrintCells(std::span<const std::string_view> cells, const PrintFont& font,
                            PrintColour colour) {
  if (m_frameTop < 0) m_frameTop = m_y;
  const int insetX = m_engine.CmToX(kInsetXCm);
  const int textY = m_y + m_engine.CmToY(kInsetYCm);
  // A text keeps clear of the line on the right of its cell by the vertical inset.
  const int rightGap = m_engine.CmToX(kInsetYCm);
  for (std::size_t column = 0; column < cells.size() && column + 1 < m_edges.size(); ++column) {
    const int width = m_edges[column + 1] - m_edges[column] - insetX - rightGap;
    m_engine.Text(m_edges[column] + insetX, textY, cells[column], font, colour, PrintAlign::Left,
                  width > 0 ? width : 1);
  }
  m_y += RowHeight();
}

void tPrintGrid::PrintHeadingRow(std::span<const std::string_view> cells) {
  PrintCells(cells, kHeadingFont, kBlue);
}

void tPrintGrid::PrintRow(std::span<const std::string_view> cells) {
  PrintCells(cells, kRowFont, kBlack);
}

void tPrintGrid::CloseFrame() {
  if (m_frameTop < 0) return;
  const int left = m_edges.front();
  const int right = m_edges.back();
  m_engine.Line(left, m_frameTop, right, m_frameTop);
  m_engine.Line(left, m_y, right, m_y);
  for (const int x : m_edges) m_engine.Line(x, m_frameTop, x, m_y);
  m_frameTop = -1;
}

tRunningGrid::tRunningGrid(tPrintObject& engine, std::vector<double> columnWidthsCm,
                           double gridWidthCm, std::string title, std::vector<std::string> headings)
    : tPrintGrid(engine, std::move(columnWidthsCm), gridWidthCm),
      m_title(std::move(title)),
      m_headings(std::move(headings)) {}

void tRunningGrid::PrintTitle(const std::string& title) {
  m_engine.Text(m_engine.Left(), m_y, title, kTitleFont, kBlack, PrintAlign::Left,
                m_engine.Right() - m_engine.Left());
  m_y += m_engine.LineHeight(kTitleFont);
  std::vector<std::string_view> cells(m_headings.begin(), m_headings.end());
  PrintHeadingRow(cells);
}

void tRunningGrid::Begin() {
  PrintTitle(m_title);
}

void tRunningGrid::BreakPage() {
  CloseFrame();
  tPrintGrid::BreakPage();
  PrintTitle(m_title + " (cont...)");
}

void tRunningGrid::AddRow(std::span<const std::string_view> cells) {
  if (!Fits(RowHeight())) BreakPage();
  PrintRow(cells);
  ++m_rows;
}

void tRunningGrid::End() {
  CloseFrame();
  const int line = RowHeight();
  if (LinesLeft(line) > 2) m_y += line;
  if (LinesLeft(line) > 1) {
    m_engine.Text(m_engine.Left() + m_engine.CmToX(0.1), m_y, SongCountText(m_rows), kCountFont,
                  kBlack);
    m_y += line;
  }
}

std::string PrintedText(std::string_view stored) {
  std::string text = DecodeRecordText(stored);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
}

tPrintSongGrid::tPrintSongGrid(tPrintObject& engine, const tSongList& view, std::string title)
    : tRunningGrid(engine, {1.8, 7.5}, 16.0, std::move(title), {"ID Code", "Title", "Artist"}),
      m_view(view) {}

void tPrintSongGrid::Print() {
  Begin();
  for (const tSong* song : m_view) {
    const tSongRecord& record = song->Record();
    const std::string id = PrintedText(record.RawText(TextField::IdCode));
    const std::string title = PrintedText(record.RawText(TextField::Title));
    const std::string artist = PrintedText(record.RawText(TextField::Artist));
    const std::array<std::string_view, 3> cells{id, title, artist};
    AddRow(cells);
  }
  End();
}

PrintDocument LayoutSongList(const PageDevice& device, FontMetrics& metrics,
                             const ReportHeading& heading, const tSongList& view,
                             const LayoutProgress& progress) {
  tPrintObject engine(device, metrics, progress);
  SetUpReportPage(engine, heading.dateText);
  tPrintSongGrid grid(engine, view, heading.title);
  grid.Print();
  return engine.Finish();
}

}  // namespace tunedex
