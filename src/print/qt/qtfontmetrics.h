// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>

#include <memory>
#include <vector>

#include "print/pageengine.h"

class QPaintDevice;

namespace tunedex {

// The Qt font a layout font names: the family as named (the font system substitutes a font
// it has for "Arial" or "MS Sans Serif"), its size in points, bold and italic.
QFont QtFontOf(const PrintFont& font);

// Text measures on a paint device (a printer, a PDF writer), in its pixels.
class QtFontMetrics : public FontMetrics {
 public:
  explicit QtFontMetrics(QPaintDevice* device);
  ~QtFontMetrics() override;

  int LineHeight(const PrintFont& font) override;
  int TextWidth(const PrintFont& font, std::string_view utf8) override;

 private:
  const QFontMetrics& MetricsOf(const PrintFont& font);

  QPaintDevice* m_device;
  std::vector<std::pair<PrintFont, std::unique_ptr<QFontMetrics>>> m_cache;
};

}  // namespace tunedex
