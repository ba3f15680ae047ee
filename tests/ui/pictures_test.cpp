// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include "catalogue/customlanguage.h"

namespace tunedex {
namespace {

// A song in a language that is not one of the six built-in codes shows the neutral flag, not
// the flag of whichever language is the custom language.
TEST(PicturesTest, AnUnknownLanguageShowsTheNeutralFlag) {
  InitUiResources();
  const QImage neutral = CustomLanguageFlag(tCustomLanguage::kUserDefined).toImage();
  ASSERT_FALSE(neutral.isNull());
  EXPECT_EQ(LanguageFlag(LanguagePictureOf("Ger")).toImage(), neutral);
  const std::pair<const char*, int> builtIn[] = {
      {"Sve", 0}, {"fra", 1}, {"Deu", 2}, {"Esp", 3}, {"Por", 4}};
  for (const auto& [code, index] : builtIn) {
    EXPECT_EQ(LanguageFlag(LanguagePictureOf(code)).toImage(), CustomLanguageFlag(index).toImage())
        << code;
  }
}

}  // namespace
}  // namespace tunedex
