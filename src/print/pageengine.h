// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tunedex {

// The page engine lays printed pages out in centimetres and hands each page over as a list of
// drawing operations in device pixels; a renderer paints them (QPainter on a printer or a PDF
// file), and tests read them.

enum class PrintAlign : std::uint8_t { Left = 0, Right = 1, Centre = 2 };

// A font as the layout names it; the renderer asks the font system for it by name and takes
// whatever the system substitutes.
struct PrintFont {
  const char* family;
  float points;
  bool bold = false;
  bool italic = false;
  bool operator==(const PrintFont& other) const;
};
inline constexpr const char* kArial = "Arial";
inline constexpr const char* kMsSansSerif = "MS Sans Serif";

// 0xRRGGBB.
using PrintColour = std::uint32_t;
inline constexpr PrintColour kBlack = 0x000000;
inline constexpr PrintColour kWhite = 0xFFFFFF;
inline constexpr PrintColour kGrey = 0x808080;
inline constexpr PrintColour kBlue = 0x0000FF;

// Text whose line starts at (x, y), its top left corner; x already accounts for the alignment,
// which is kept for the renderer's information.
struct PrintText {
  int x;
  int y;
  std::string text;
  PrintFont font;
  PrintColour colour;
  PrintAlign align;
};
struct PrintLine {
  int x1, y1, x2, y2;
  int width;
  PrintColour colour;
};
struct PrintRect {
  int x, y, width, height;
  int penWidth;
  PrintColour pen;
  PrintColour fill;
};
using PrintOp = std::variant<PrintText, PrintLine, PrintRect>;

struct PrintPage {
  int number = 0;
  std::vector<PrintOp> ops;
};

struct PrintDocument {
  std::vector<PrintPage> pages;
};

// The page in device pixels and the device's resolution in pixels per inch.
struct PageDevice {
  int width;
  int height;
  int dpiX;
  int dpiY;
};

// Text measures of the device the pages are for, in its pixels.
class FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  // The height of a line: the font's height plus its external leading.
  virtual int LineHeight(const PrintFont& font) = 0;
  virtual int TextWidth(const PrintFont& font, std::string_view utf8) = 0;
};

// Device pixels per centimetre: pixels per inch × 0.3937, rounded.
int PixelsPerCentimetre(int dpi);

// A fixed line of the header or footer band; a footer line with withPageNumber gets the page
// number appended to its text.
struct BandLine {
  std::string text;
  PrintFont font;
  PrintColour colour;
  PrintAlign align;
  double offsetCm;  // below the band's top; negative to centre the line in the band
  bool withPageNumber = false;
};

// Told as each further page is begun while laying out (the pages finished so far); returns
// false to stop, which ends the layout with LayoutCancelled.
using LayoutProgress = std::function<bool(int pagesDone)>;
struct LayoutCancelled {};

// The engine: the page's geometry, its header and footer, the page counter and the pages made.
// Header and footer are drawn when a page is finished.
class tPrintObject {
 public:
  tPrintObject(const PageDevice& device, FontMetrics& metrics, LayoutProgress progress = {});

  int CmToX(double cm) const;
  int CmToY(double cm) const;
  FontMetrics& Metrics() const { return m_metrics; }
  int LineHeight(const PrintFont& font) const { return m_metrics.LineHeight(font); }

  void SetMargins(double leftCm, double rightCm, double topCm, double bottomCm);
  // The text area inside the margins, in device pixels.
  int Left() const { return m_left; }
  int Right() const { return m_right; }
  int Top() const { return m_top; }
  int Bottom() const { return m_bottom; }

  // The header band at the top of the text area, framed or not, and the footer band at its
  // bottom; their lines, cleared by ResetBands.
  void SetHeaderBand(double heightCm, int framePixels);
  void SetFooterBand(double heightCm);
  void AddHeaderLine(BandLine line) { m_headerLines.push_back(std::move(line)); }
  void AddFooterLine(BandLine line) { m_footerLines.push_back(std::move(line)); }
  void ResetBands();
  // The part of the text area between the bands, where sections print.
  int BodyTop() const;
  int BodyBottom() const;

  int PageNumber() const { return m_pageNumber; }

  // Adds text to the current page: for Left, x is where it starts; for Right, where it ends;
  // for Centre, its middle. Text wider than maxWidth (when above 0) is cut to fit.
  void Text(int x, int y, std::string_view text, const PrintFont& font, PrintColour colour,
            PrintAlign align = PrintAlign::Left, int maxWidth = 0);
  void Line(int x1, int y1, int x2, int y2, int width = 1, PrintColour colour = kBlack);
  void Rect(int x, int y, int width, int height, int penWidth, PrintColour pen, PrintColour fill);

  // Finishes the current page (its header and footer) and begins the next.
  void NewPage();
  // Finishes the last page and hands the document over; the engine starts afresh at page 1.
  PrintDocument Finish();

 private:
  void DrawBands();
  void DrawBandLine(const BandLine& line, int bandTop, int bandHeight, int inset);

  FontMetrics& m_metrics;
  LayoutProgress m_progress;
  PageDevice m_device;
  int m_pxPerCmX;
  int m_pxPerCmY;
  int m_left = 0, m_right = 0, m_top = 0, m_bottom = 0;
  int m_headerHeight = 0, m_headerFrame = 0, m_footerHeight = 0;
  std::vector<BandLine> m_headerLines;
  std::vector<BandLine> m_footerLines;
  int m_pageNumber = 1;
  PrintDocument m_document;
  PrintPage m_page;
};

// The longest start of text (whole characters) no wider than width.
std::string FitText(FontMetrics& metrics, const PrintFont& font, std::string_view text, int width);

// The page every report printout shares: margins 1.2, 1.5, 1.0, 1.0 cm; a 1.8 cm header band
// framed by 2 pixels with the spaced product name, the web address and the date; a 1.0 cm footer
// band with "Page: N".
void SetUpReportPage(tPrintObject& engine, const std::string& dateText);

}  // namespace tunedex
