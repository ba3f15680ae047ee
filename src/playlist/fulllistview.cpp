// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/fulllistview.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tunedex {

namespace {

constexpr std::array<FullListColumnInfo, kFullListColumns> kColumns{{
    {"", kNumberColumnWidth, kNumberColumnWidth, kNumberColumnWidth},
    {"Singer", 250, 0, 700},
    {"Song Title", 250, 100, 700},
}};

constexpr std::array<FullListMenuEntry, 6> kMenu{{
    {FullListCommand::FitVertically, "Fit vertically", "", true},
    {FullListCommand::Font, "Font...", "", false},
    {FullListCommand::Background, "Background colour...", "", false},
    {FullListCommand::CurrentColour, "Colour for current item...", "", false},
    {FullListCommand::OtherColour, "Colour for other items...", "", true},
    {FullListCommand::Close, "&Close this Window", "Ctrl+X", false},
}};

// The designed window; the columns follow from its width when read.
constexpr int kDesignedLeft = 20;
constexpr int kDesignedTop = 20;
constexpr int kDesignedWidth = 640;
constexpr int kDesignedHeight = 480;
constexpr int kSingerFromWidth = 448;
constexpr int kTitleFromWidth = 270;
constexpr ColourValue kBlack = 0;

}  // namespace

const FullListColumnInfo& ColumnInfo(FullListColumn column) {
  return kColumns[static_cast<std::size_t>(column)];
}

int ClampColumnWidth(FullListColumn column, int width) {
  const FullListColumnInfo& info = ColumnInfo(column);
  return std::clamp(width, info.minimum, info.maximum);
}

std::span<const FullListMenuEntry> FullListMenu() {
  return kMenu;
}

FullListSettings DesignedFullListSettings() {
  FullListSettings s;
  s.left = kDesignedLeft;
  s.top = kDesignedTop;
  s.width = kDesignedWidth;
  s.height = kDesignedHeight;
  s.singerWidth = ClampColumnWidth(FullListColumn::Singer, kDesignedWidth - kSingerFromWidth);
  s.titleWidth = ClampColumnWidth(FullListColumn::Title, kDesignedWidth - kTitleFromWidth);
  s.font = {.name = "Arial", .size = 18, .colour = RgbColour(255, 255, 0), .style = kFontBold};
  s.currentColour = s.font.colour;
  s.background = RgbColour(0, 128, 255);
  return s;
}

FullListSettings ReadFullListSettings(const tIniFile& ini, const FullListSettings& designed) {
  constexpr std::string_view kSection = kFullListSection;
  FullListSettings s = designed;
  s.state = ini.ReadIntegerWithin(kSection, "WindowState", kWindowNormal, kWindowMaximised,
                                  kWindowNormal);
  s.top = ini.ReadInteger(kSection, "Top", designed.top);
  s.left = ini.ReadInteger(kSection, "Left", designed.left);
  s.height = ini.ReadInteger(kSection, "Height", designed.height);
  s.width = ini.ReadInteger(kSection, "Width", designed.width);
  if (s.width < 1) s.width = designed.width;
  if (s.height < 1) s.height = designed.height;
  s.singerWidth = ClampColumnWidth(
      FullListColumn::Singer, ini.ReadInteger(kSection, "Column1", s.width - kSingerFromWidth));
  s.titleWidth = ClampColumnWidth(FullListColumn::Title,
                                  ini.ReadInteger(kSection, "Column2", s.width - kTitleFromWidth));
  s.font = ReadFontSetting(ini, kSection, designed.font, true);
  s.currentColour = ReadColour(ini, kSection, "CurrentSong", s.font.colour);
  s.background = ReadColour(ini, kSection, "Background", designed.background);
  return s;
}

void WriteFullListSettings(tIniFile& ini, const FullListSettings& s) {
  constexpr std::string_view kSection = kFullListSection;
  if (s.state != kWindowMinimised) {
    ini.WriteInteger(kSection, "WindowState", s.state == kWindowMaximised ? 2 : 0);
  }
  if (s.state == kWindowNormal) {
    ini.WriteInteger(kSection, "Top", s.top);
    ini.WriteInteger(kSection, "Left", s.left);
    ini.WriteInteger(kSection, "Height", s.height);
    ini.WriteInteger(kSection, "Width", s.width);
  }
  ini.WriteInteger(kSection, "Column1", s.singerWidth);
  ini.WriteInteger(kSection, "Column2", s.titleWidth);
  WriteFontSetting(ini, kSection, s.font, true);
  WriteColour(ini, kSection, "CurrentSong", s.currentColour);
  WriteColour(ini, kSection, "Background", s.background);
}

tFullListView::tFullListView(const tPlayList& items) : m_items(items) {}

int tFullListView::RowCount() const {
  return std::max(1, static_cast<int>(m_items.Count()));
}

void tFullListView::SetRows(int starting, int current) {
  m_starting = starting;
  m_current = current;
}

FullListCell tFullListView::Cell(int row, FullListColumn column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= m_items.Count()) return {};
  const tPlayListItem& item = m_items.Item(static_cast<std::size_t>(row));
  const ColourValue colour = row == m_current ? m_settings.currentColour : m_settings.font.colour;
  switch (column) {
    case FullListColumn::Number:
      return {std::to_string(row + 1), kBlack, false};
    case FullListColumn::Singer:
      return {item.Singer.empty() ? std::string("?") : item.Singer, colour,
              row == m_starting || row == m_current};
    case FullListColumn::Title:
      return {std::string(item.Song->Record().Title()), colour, false};
  }
  return {};
}

int tFullListView::FontPixels(int points, int pixelsPerInch) {
  // Rounded to the nearest pixel, halves away from zero.
  const long product = static_cast<long>(points) * pixelsPerInch;
  return static_cast<int>((product + (product >= 0 ? 36 : -36)) / 72);
}

int tFullListView::RowHeightAfterSettings(int fontPixels, int pixelsPerInch) {
  return fontPixels * pixelsPerInch / 72 + 3;
}

int tFullListView::RowHeightAfterFont(int fontPixels, int pixelsPerInch) {
  return fontPixels * pixelsPerInch / 72 + 5;
}

void tFullListView::ApplySettings(const FullListSettings& settings, int fontPixels,
                                  int pixelsPerInch) {
  m_settings = settings;
  m_rowHeight = RowHeightAfterSettings(fontPixels, pixelsPerInch);
}

void tFullListView::ChooseFont(const tFontSetting& font, int fontPixels, int pixelsPerInch) {
  const ColourValue colour = m_settings.font.colour;
  m_settings.font = font;
  m_settings.font.colour = colour;
  m_rowHeight = RowHeightAfterFont(fontPixels, pixelsPerInch);
}

int tFullListView::SetHeaderSection(FullListColumn column, int sectionWidth) {
  const int width = ClampColumnWidth(column, sectionWidth - kGridLineWidth);
  if (column == FullListColumn::Singer) m_settings.singerWidth = width;
  if (column == FullListColumn::Title) m_settings.titleWidth = width;
  return ColumnWidth(column);
}

int tFullListView::ColumnWidth(FullListColumn column) const {
  switch (column) {
    case FullListColumn::Number:
      return kNumberColumnWidth;
    case FullListColumn::Singer:
      return m_settings.singerWidth;
    case FullListColumn::Title:
      return m_settings.titleWidth;
  }
  return 0;
}

bool tFullListView::ResizeGrid(int clientWidth) {
  const int last = m_lastGridWidth;
  m_lastGridWidth = clientWidth;
  if (last == 0 || clientWidth == last) return false;
  const int divisor = last - kFixedWidth;
  if (divisor < 1) return false;
  const double factor = static_cast<double>(clientWidth - kFixedWidth) / divisor;
  const auto scaled = [factor](FullListColumn column, int width) {
    return ClampColumnWidth(column, static_cast<int>(std::lround(width * factor)));
  };
  const int singer = scaled(FullListColumn::Singer, m_settings.singerWidth);
  const int title = scaled(FullListColumn::Title, m_settings.titleWidth);
  const bool changed = singer != m_settings.singerWidth || title != m_settings.titleWidth;
  m_settings.singerWidth = singer;
  m_settings.titleWidth = title;
  return changed;
}

int tFullListView::VisibleRows(int clientHeight) const {
  return std::max(0, clientHeight) / (m_rowHeight + kGridLineWidth);
}

int tFullListView::StatusPanelWidth(int windowWidth) {
  return windowWidth >= 181 ? windowWidth - 80 : 100;
}

bool tFullListView::FitEnabled(const ScreenRect& frame, const ScreenRect& workArea) {
  return !(frame.top == workArea.top && frame.height == workArea.height);
}

ScreenRect tFullListView::Fitted(const ScreenRect& frame, const ScreenRect& workArea) {
  ScreenRect fitted = frame;
  fitted.top = workArea.top;
  fitted.height = workArea.height;
  // A window beside the screen comes onto it.
  if (frame.left >= workArea.Right() || frame.Right() <= workArea.left) {
    fitted.left = workArea.left;
  }
  return fitted;
}

std::string tFullListView::StatusText(int selectedRow) const {
  if (m_items.Empty() || selectedRow < 0) return std::string(kFullListEmptyStatus);
  return std::to_string(selectedRow + 1) + "/" + std::to_string(RowCount());
}

int tFullListView::WheelStep(int wheelLines, int visibleRows) {
  return 2 * wheelLines >= visibleRows ? 1 : wheelLines;
}

int tFullListView::WheelTop(int top, int notches, int wheelLines, int visibleRows) const {
  const int step = WheelStep(wheelLines, visibleRows);
  const int lastTop = std::max(0, RowCount() - std::max(1, visibleRows));
  const long wanted = static_cast<long>(top) + static_cast<long>(notches) * step;
  if (notches > 0) return static_cast<int>(std::min<long>(wanted, std::max(top, lastTop)));
  return static_cast<int>(std::max<long>(wanted, 0));
}

}  // namespace tunedex
