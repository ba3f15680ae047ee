// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "catalogue/mainsettings.h"

namespace tunedex {

// A stored font (name, size in points, style bits) as the toolkit's font; the colour is not
// part of it.
QFont QtFont(const tFontSetting& setting);
// The toolkit's font as stored, with the colour given; a font sized in pixels keeps
// fallbackSize as its point size.
tFontSetting FontSettingOf(const QFont& font, ColourValue colour, int fallbackSize);
// The stored style bits of a font.
int FontStyleOf(const QFont& font);

}  // namespace tunedex
