// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/qt/qtfontmetrics.h"

#include <QString>

#include <algorithm>

namespace tunedex {

QFont QtFontOf(const PrintFont& font) {
  QFont qtFont(QString::fromUtf8(font.family));
  qtFont.setPointSizeF(font.points);
  qtFont.setBold(font.bold);
  qtFont.setItalic(font.italic);
  return qtFont;
}

QtFontMetrics::QtFontMetrics(QPaintDevice* device) : m_device(device) {}

QtFontMetrics::~QtFontMetrics() = default;

const QFontMetrics& QtFontMetrics::MetricsOf(const PrintFont& font) {
  for (const auto& [known, metrics] : m_cache) {
    if (known == font) return *metrics;
  }
  m_cache.emplace_back(font, std::make_unique<QFontMetrics>(QtFontOf(font), m_device));
  return *m_cache.back().second;
}

int QtFontMetrics::LineHeight(const PrintFont& font) {
  const QFontMetrics& metrics = MetricsOf(font);
  return metrics.height() + std::max(0, metrics.leading());
}

int QtFontMetrics::TextWidth(const PrintFont& font, std::string_view utf8) {
  return MetricsOf(font).horizontalAdvance(
      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace tunedex
