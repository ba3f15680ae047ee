// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/fonts.h"

#include "ui/widgets/qtuser.h"

namespace tunedex {

QFont QtFont(const tFontSetting& setting) {
  QFont font(ToQt(setting.name));
  if (setting.size > 0) font.setPointSize(setting.size);
  font.setBold((setting.style & kFontBold) != 0);
  font.setItalic((setting.style & kFontItalic) != 0);
  font.setUnderline((setting.style & kFontUnderline) != 0);
  font.setStrikeOut((setting.style & kFontStrikeOut) != 0);
  return font;
}

int FontStyleOf(const QFont& font) {
  return (font.bold() ? kFontBold : 0) | (font.italic() ? kFontItalic : 0) |
         (font.underline() ? kFontUnderline : 0) | (font.strikeOut() ? kFontStrikeOut : 0);
}

tFontSetting FontSettingOf(const QFont& font, ColourValue colour, int fallbackSize) {
  tFontSetting setting;
  setting.name = FromQt(font.family());
  setting.size = font.pointSize() > 0 ? font.pointSize() : fallbackSize;
  setting.colour = colour;
  setting.style = FontStyleOf(font);
  return setting;
}

}  // namespace tunedex
