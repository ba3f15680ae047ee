// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/qt/pagepainter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <optional>
#include <type_traits>

#include "print/qt/qtfontmetrics.h"

namespace tunedex {
namespace {

QColor ColourOf(PrintColour colour) {
  return QColor(static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>(colour & 0xFF));
}

// Keeps the painter's font and pen as the last text set them, so that a page of rows in one
// font sets it once.
class PainterState {
 public:
  explicit PainterState(QPainter& painter) : m_painter(painter) {}

  int UseFont(const PrintFont& font) {
    if (!m_font || !(*m_font == font)) {
      m_painter.setFont(QtFontOf(font));
      m_ascent = QFontMetrics(m_painter.font(), m_painter.device()).ascent();
      m_font = font;
    }
    return m_ascent;
  }

  void UsePen(PrintColour colour, int width) {
    if (!m_pen || m_pen->first != colour || m_pen->second != width) {
      QPen pen(ColourOf(colour));
      pen.setWidth(width);
      m_painter.setPen(pen);
      m_pen = std::make_pair(colour, width);
    }
  }

 private:
  QPainter& m_painter;
  std::optional<PrintFont> m_font;
  int m_ascent = 0;
  std::optional<std::pair<PrintColour, int>> m_pen;
};

}  // namespace

PageDevice PageDeviceOf(const QPagedPaintDevice& device) {
  return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
}

void PaintPage(QPainter& painter, const PrintPage& page) {
  PainterState state(painter);
  for (const PrintOp& op : page.ops) {
    std::visit(
        [&](const auto& item) {
          using T = std::decay_t<decltype(item)>;
          if constexpr (std::is_same_v<T, PrintText>) {
            const int ascent = state.UseFont(item.font);
            state.UsePen(item.colour, 1);
            painter.drawText(
                QPoint(item.x, item.y + ascent),
                QString::fromUtf8(item.text.data(), static_cast<qsizetype>(item.text.size())));
          } else if constexpr (std::is_same_v<T, PrintLine>) {
            state.UsePen(item.colour, item.width);
            painter.drawLine(item.x1, item.y1, item.x2, item.y2);
          } else {
            state.UsePen(item.pen, item.penWidth);
            painter.setBrush(ColourOf(item.fill));
            painter.drawRect(item.x, item.y, item.width, item.height);
            painter.setBrush(Qt::NoBrush);
          }
        },
        op);
  }
}

PaintResult PaintDocument(QPainter& painter, QPagedPaintDevice& device,
                          const PrintDocument& document, const PrintProgress& progress) {
  const int total = static_cast<int>(document.pages.size());
  for (int i = 0; i < total; ++i) {
    if (i > 0) device.newPage();
    PaintPage(painter, document.pages[static_cast<std::size_t>(i)]);
    if (progress && !progress(i + 1, total)) return PaintResult::Cancelled;
  }
  return PaintResult::Done;
}

}  // namespace tunedex
