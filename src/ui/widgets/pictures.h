// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

#include "catalogue/songgridlayout.h"

namespace tunedex {

// Makes the pictures and help pages of the program available; before any window is built.
void InitUiResources();

// The program's pictures, drawn from its SVG resources.
QIcon ArtIcon(const char* name);
QPixmap ArtPixmap(const char* name, int width = 16, int height = 16);
// A slot of the type-picture strip (0 to 24).
const QPixmap& TypePicture(int slot);
// The flag of a language picture.
QPixmap LanguageFlag(LanguagePicture picture);
// The flag of a custom language index (0 Swedish ... 5 user-defined).
QPixmap CustomLanguageFlag(int customIndex);
// A colour integer: blue-green-red bytes, or a system colour code mapped to the palette.
QColor ColourOf(ColourValue value);

}  // namespace tunedex
