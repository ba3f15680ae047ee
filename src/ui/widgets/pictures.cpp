// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QApplication>
#include <QHash>
#include <QPalette>
#include <array>

#include "catalogue/customlanguage.h"

// Resources compiled into a static library are registered by hand.
static void RegisterResources() {
  Q_INIT_RESOURCE(art);
  Q_INIT_RESOURCE(help);
}

namespace tunedex {

void InitUiResources() {
  static const bool done = (RegisterResources(), true);
  (void)done;
}

QIcon ArtIcon(const char* name) {
  return QIcon(QStringLiteral(":/art/") + QLatin1StringView(name) + QStringLiteral(".svg"));
}

QPixmap ArtPixmap(const char* name, int width, int height) {
  // Rendered once per picture and size: the window shows them again on every update.
  static QHash<QString, QPixmap> rendered;
  const QString key =
      QStringLiteral("%1@%2x%3").arg(QLatin1StringView(name)).arg(width).arg(height);
  auto found = rendered.constFind(key);
  if (found == rendered.constEnd()) {
    found = rendered.insert(key, ArtIcon(name).pixmap(QSize(width, height)));
  }
  return *found;
}

const QPixmap& TypePicture(int slot) {
  static const std::array<QPixmap, kTypePictureCount> strip = [] {
    std::array<QPixmap, kTypePictureCount> pictures;
    for (int i = 0; i < kTypePictureCount; ++i) {
      const std::string name = "type-" + std::string(i < 10 ? "0" : "") + std::to_string(i);
      pictures[static_cast<std::size_t>(i)] = ArtPixmap(name.c_str());
    }
    return pictures;
  }();
  return strip.at(
      static_cast<std::size_t>(slot < 0 || slot >= kTypePictureCount ? kUnknownTypePicture : slot));
}

QPixmap CustomLanguageFlag(int customIndex) {
  static const char* flags[] = {"flag-sve", "flag-fra", "flag-deu",
                                "flag-esp", "flag-por", "flag-user"};
  return ArtPixmap(flags[customIndex >= 0 && customIndex <= 5 ? customIndex : 5]);
}

QPixmap LanguageFlag(LanguagePicture picture) {
  switch (picture) {
    case LanguagePicture::English:
      return ArtPixmap("flag-eng");
    case LanguagePicture::Swedish:
      return ArtPixmap("flag-sve");
    case LanguagePicture::French:
      return ArtPixmap("flag-fra");
    case LanguagePicture::Spanish:
      return ArtPixmap("flag-esp");
    case LanguagePicture::Portuguese:
      return ArtPixmap("flag-por");
    case LanguagePicture::German:
      return ArtPixmap("flag-deu");
    case LanguagePicture::UserDefined:
      return CustomLanguageFlag(tCustomLanguage::kUserDefined);
    case LanguagePicture::New:
      return ArtPixmap("unknown-language");
  }
  return {};
}

QColor ColourOf(ColourValue value) {
  if ((value & 0xFF000000u) == kSystemColourFlag) {
    // The system colours the program uses, by their codes.
    const QPalette palette = QApplication::palette();
    switch (value & 0xFFu) {
      case 5:
        return palette.color(QPalette::Base);
      case 8:
        return palette.color(QPalette::Text);
      case 13:
        return palette.color(QPalette::Highlight);
      case 14:
        return palette.color(QPalette::HighlightedText);
      case 15:
        return palette.color(QPalette::Button);
      default:
        return palette.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace tunedex
