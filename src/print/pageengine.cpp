// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/pageengine.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "print/songreport.h"

namespace tunedex {

bool PrintFont::operator==(const PrintFont& other) const {
  return std::strcmp(family, other.family) == 0 && points == other.points && bold == other.bold &&
         italic == other.italic;
}

int PixelsPerCentimetre(int dpi) {
  return static_cast<int>(std::lround(dpi * 0.3937));
}

tPrintObject::tPrintObject(const PageDevice& device, FontMetrics& metrics, LayoutProgress progress)
    : m_metrics(metrics),
      m_progress(std::move(progress)),
      m_device(device),
      m_pxPerCmX(PixelsPerCentimetre(device.dpiX)),
      m_pxPerCmY(PixelsPerCentimetre(device.dpiY)),
      m_right(device.width),
      m_bottom(device.height) {
  m_page.number = m_pageNumber;
}

int tPrintObject::CmToX(double cm) const {
  return static_cast<int>(std::lround(cm * m_pxPerCmX));
}

int tPrintObject::CmToY(double cm) const {
  return static_cast<int>(std::lround(cm * m_pxPerCmY));
}

void tPrintObject::SetMargins(double leftCm, double rightCm, double topCm, double bottomCm) {
  m_left = CmToX(leftCm);
  m_right = m_device.width - CmToX(rightCm);
  m_top = CmToY(topCm);
  m_bottom = m_device.height - CmToY(bottomCm);
}

void tPrintObject::SetHeaderBand(double heightCm, int framePixels) {
  m_headerHeight = CmToY(heightCm);
  m_headerFrame = framePixels;
}

void tPrintObject::SetFooterBand(double heightCm) {
  m_footerHeight = CmToY(heightCm);
}

void tPrintObject::ResetBands() {
  m_headerHeight = m_headerFrame = m_footerHeight = 0;
  m_headerLines.clear();
  m_footerLines.clear();
}

int tPrintObject::BodyTop() const {
  return m_top + m_headerHeight;
}

int tPrintObject::BodyBottom() const {
  return m_bottom - m_footerHeight;
}

void tPrintObject::Text(int x, int y, std::string_view text, const PrintFont& font,
                        PrintColour colour, PrintAlign align, int maxWidth) {
  std::string shown = maxWidth > 0 ? FitText(m_metrics, font, text, maxWidth) : std::string(text);
  if (align != PrintAlign::Left) {
    const int width = m_metrics.TextWidth(font, shown);
    x -= align == PrintAlign::Right ? width : width / 2;
  }
  m_page.ops.emplace_back(PrintText{x, y, std::move(shown), font, colour, align});
}

void tPrintObject::Line(int x1, int y1, int x2, int y2, int width, PrintColour colour) {
  m_page.ops.emplace_back(PrintLine{x1, y1, x2, y2, width, colour});
}

void tPrintObject::Rect(int x, int y, int width, int height, int penWidth, PrintColour pen,
                        PrintColour fill) {
  m_page.ops.emplace_back(PrintRect{x, y, width, height, penWidth, pen, fill});
}

void tPrintObject::DrawBandLine(const BandLine& line, int bandTop, int bandHeight, int inset) {
  const std::string text =
      line.withPageNumber ? line.text + std::to_string(m_pageNumber) : line.text;
  const int y = line.offsetCm >= 0 ? bandTop + CmToY(line.offsetCm)
                                   : bandTop + (bandHeight - LineHeight(line.font)) / 2;
  switch (line.align) {
    case PrintAlign::Left:
      Text(m_left + inset, y, text, line.font, line.colour, PrintAlign::Left);
      break;
    case PrintAlign::Right:
      Text(m_right - inset, y, text, line.font, line.colour, PrintAlign::Right);
      break;
    case PrintAlign::Centre:
      Text((m_left + m_right) / 2, y, text, line.font, line.colour, PrintAlign::Centre);
      break;
  }
}

void tPrintObject::DrawBands() {
  if (m_headerHeight > 0) {
    if (m_headerFrame > 0) {
      Rect(m_left, m_top, m_right - m_left, m_headerHeight, m_headerFrame, kBlack, kWhite);
    }
    // Lines at the sides keep clear of the header's frame.
    const int inset = m_headerFrame > 0 ? CmToX(0.2) : 0;
    for (const BandLine& line : m_headerLines) DrawBandLine(line, m_top, m_headerHeight, inset);
  }
  for (const BandLine& line : m_footerLines) {
    DrawBandLine(line, BodyBottom(), m_footerHeight, 0);
  }
}

void tPrintObject::NewPage() {
  DrawBands();
  m_document.pages.push_back(std::move(m_page));
  m_page = PrintPage{};
  m_page.number = ++m_pageNumber;
  if (m_progress && !m_progress(static_cast<int>(m_document.pages.size()))) {
    throw LayoutCancelled{};
  }
}

PrintDocument tPrintObject::Finish() {
  DrawBands();
  m_document.pages.push_back(std::move(m_page));
  m_page = PrintPage{};
  m_pageNumber = 1;
  m_page.number = 1;
  return std::exchange(m_document, PrintDocument{});
}

std::string FitText(FontMetrics& metrics, const PrintFont& font, std::string_view text, int width) {
  if (metrics.TextWidth(font, text) <= width) return std::string(text);
  // The character starts, then the longest start that fits, by halving.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  std::size_t fits = 0;  // characters known to fit
  std::size_t tooMany = starts.size();
  while (tooMany - fits > 1) {
    const std::size_t middle = (fits + tooMany) / 2;
    if (metrics.TextWidth(font, text.substr(0, starts[middle])) <= width) {
      fits = middle;
    } else {
      tooMany = middle;
    }
  }
  return std::string(text.substr(0, fits < starts.size() ? starts[fits] : text.size()));
}

void SetUpReportPage(tPrintObject& engine, const std::string& dateText) {
  engine.ResetBands();
  engine.SetMargins(1.2, 1.5, 1.0, 1.0);
  engine.SetHeaderBand(1.8, 2);
  engine.SetFooterBand(1.0);
  engine.AddHeaderLine(
      {SpacedProductName(), PrintFont{kArial, 14, true, true}, kGrey, PrintAlign::Centre, 0.2});
  engine.AddHeaderLine({std::string(kProductWebAddress), PrintFont{kArial, 9, true, false}, kBlue,
                        PrintAlign::Centre, 1.2});
  engine.AddHeaderLine(
      {dateText, PrintFont{kMsSansSerif, 8, true, false}, kBlack, PrintAlign::Right, 1.2});
  engine.AddFooterLine(
      {"Page: ", PrintFont{kArial, 9, false, false}, kBlack, PrintAlign::Right, -1, true});
}

}  // namespace tunedex
