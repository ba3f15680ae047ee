// SPDX-License-Identifier: GPL-3.0-or-later
#include "songgridlayout.h"

#include <algorithm>
#include <cmath>

#include "common/collation.h"
#include "song/songtype.h"

namespace tunedex {

int TypePictureIndex(const tSongRecord& record, bool fileExists) {
  switch (record.FileType()) {
    case kSongTypeKar:
      return fileExists ? 0 : 12;
    case kSongTypeSt3:
      return fileExists ? 2 : 13;
    case kSongTypeMidi:
    case kSongTypeRmid:
      if (record.HasLyrics()) return fileExists ? 4 : 14;
      return fileExists ? 6 : 15;
    case kSongTypeMp3:
      return fileExists ? 8 : 16;
    case kSongTypeWma:
      return fileExists ? 10 : 17;
    case kSongTypeKfn:
      return fileExists ? 19 : 21;
    case kSongTypeMpeg:
      return fileExists ? 22 : 24;
    default:
      return kUnknownTypePicture;
  }
}

std::optional<ColourValue> LyricsColour(std::uint8_t fileType) {
  switch (fileType) {
    case kSongTypeKar:
      return RgbColour(176, 200, 255);
    case kSongTypeSt3:
      return RgbColour(168, 255, 168);
    case kSongTypeMidi:
    case kSongTypeRmid:
      return RgbColour(255, 255, 160);
    case kSongTypeMp3:
      return RgbColour(255, 224, 170);
    case kSongTypeWma:
      return RgbColour(255, 204, 204);
    case kSongTypeKfn:
      return RgbColour(255, 204, 255);
    case kSongTypeMpeg:
      return RgbColour(85, 238, 238);
    default:
      return std::nullopt;
  }
}

bool ShowsFormatMismatch(const tSongRecord& record) {
  return record.FileType() != record.InternalFormat() && record.FileType() != kSongTypeMpeg;
}

int GridRowHeight(int fontHeight, int pixelsPerInch) {
  return -fontHeight * pixelsPerInch / 72 + 3;
}

int WheelStep(int wheelLines, int visibleRows) {
  const int lines = wheelLines < 1 ? 3 : wheelLines;
  return 2 * lines >= visibleRows ? 1 : lines;
}

int WheelScrolledTop(int topRow, int wheelDistance, int wheelLines, int rowCount, int visibleRows) {
  const int step = WheelStep(wheelLines, visibleRows);
  if (wheelDistance <= 0) {
    const int lastTop = std::max(0, rowCount - visibleRows);
    if (topRow >= lastTop) return topRow;
    return std::min(topRow + step, lastTop);
  }
  return std::max(0, topRow - step);
}

int NavigatorButtonWidth(int toolbarWidth) {
  return std::clamp(toolbarWidth - 100, 100, 300) / 4;
}

int StatusPanelWidth(int barWidth) {
  return barWidth / 20 * 8;
}

tGridColumns::tGridColumns(std::array<int, 3> textColumns)
    : m_widths{kFixedColumnWidth, kTypeColumnWidth, textColumns[0], textColumns[1], textColumns[2]},
      m_exact{static_cast<double>(textColumns[0]), static_cast<double>(textColumns[1]),
              static_cast<double>(textColumns[2])} {}

void tGridColumns::SetTextColumns(std::array<int, 3> widths) {
  std::copy(widths.begin(), widths.end(), m_widths.begin() + 2);
  std::copy(widths.begin(), widths.end(), m_exact.begin());
}

int tGridColumns::SectionWidth(int section) const {
  // The type picture scrolls sideways like the text columns.
  if (section >= 1 && section < m_leftColumn) return 0;
  return ColumnWidth(section) + kLineWidth;
}

void tGridColumns::SectionResized(int section, int width) {
  if (section < 1 || section > 4) return;
  m_widths[static_cast<std::size_t>(section)] = std::max(0, width - kLineWidth);
  if (section >= 2)
    m_exact[static_cast<std::size_t>(section - 2)] = m_widths[static_cast<std::size_t>(section)];
}

bool tGridColumns::ScrollLeft() {
  if (m_leftColumn <= 1) return false;
  --m_leftColumn;
  return true;
}

bool tGridColumns::ScrollRight() {
  if (m_leftColumn >= 3) return false;
  ++m_leftColumn;
  return true;
}

void tGridColumns::GridResized(int gridWidth) {
  constexpr int kFixed = kFixedColumnWidth + 3 * kLineWidth;
  if (m_oldGridWidth >= 0 && gridWidth != m_oldGridWidth && m_oldGridWidth - kFixed >= 1) {
    const double ratio =
        static_cast<double>(gridWidth - kFixed) / static_cast<double>(m_oldGridWidth - kFixed);
    if (ratio > 0) {
      m_inverseRatio = 1.0 / ratio;
      // The widths follow unrounded and unlimited, so that growing the window back gives
      // the widths back; however far the window shrinks, every text column stays wide enough
      // to be seen and dragged wider again.
      for (std::size_t i = 0; i < 3; ++i) {
        m_exact[i] *= ratio;
        m_widths[i + 2] =
            std::max(kMinimumTextColumnWidth, static_cast<int>(std::lround(m_exact[i])));
      }
    }
  }
  m_oldGridWidth = gridWidth;
}

std::array<int, 3> tGridColumns::StoredTextColumns(bool maximised) const {
  std::array<int, 3> widths = TextColumns();
  if (maximised) {
    for (std::size_t i = 0; i < 3; ++i) {
      widths[i] = std::max(kMinimumTextColumnWidth,
                           static_cast<int>(std::lround(m_exact[i] * m_inverseRatio)));
    }
  }
  return widths;
}

void tGridColumns::FontWidthChanged(double ratio) {
  if (!(ratio > 0)) return;
  for (std::size_t i = 2; i < 4; ++i) {
    const int section = m_widths[i] + kLineWidth;
    m_widths[i] = std::max(0, static_cast<int>(std::lround(section * ratio)) - kLineWidth);
    m_exact[i - 2] = m_widths[i];
  }
}

std::string CaptionPath(std::string_view path, bool newDatabase) {
  return std::string(path.empty() || newDatabase ? kNewFileCaption : path);
}

std::string ShortenPath(std::string_view path, int available,
                        const std::function<int(std::string_view)>& width) {
  std::string text(path);
  if (text.find('/') == std::string::npos || width(text) <= available) return text;
  // The root part is kept: "/" or a first "name/" of a relative path.
  const std::size_t rootEnd = text.front() == '/' ? 1 : text.find('/') + 1;
  std::string rest = text.substr(rootEnd);
  const std::string root = text.substr(0, rootEnd);
  if (rest.rfind(".../", 0) == 0) rest.erase(0, 4);
  for (;;) {
    const std::size_t slash = rest.find('/');
    if (slash == std::string::npos) return root + ".../" + rest;
    rest.erase(0, slash + 1);
    std::string candidate = root + ".../" + rest;
    if (width(candidate) <= available) return candidate;
  }
}

std::string NotesLine(std::string_view notes) {
  std::string line(notes);
  for (char& c : line) {
    if (c == '\n') c = ' ';
    if (c == '\r') c = ';';
  }
  return line;
}

LanguagePicture LanguagePictureOf(std::string_view language) {
  if (language.empty()) return LanguagePicture::New;
  const std::pair<std::string_view, LanguagePicture> known[] = {
      {"Eng", LanguagePicture::English},    {"Sve", LanguagePicture::Swedish},
      {"Fra", LanguagePicture::French},     {"Esp", LanguagePicture::Spanish},
      {"Por", LanguagePicture::Portuguese}, {"Deu", LanguagePicture::German}};
  for (const auto& [code, picture] : known) {
    if (EqualsIgnoringCase(language, code)) return picture;
  }
  return LanguagePicture::UserDefined;
}

}  // namespace tunedex
