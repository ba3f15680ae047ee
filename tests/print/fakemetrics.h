// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/recordtext.h"
#include "print/pageengine.h"

namespace tunedex::test {

// Text measures with round numbers: a line is five pixels a point high, a character two pixels
// a point wide.
class FakeFontMetrics : public FontMetrics {
 public:
  int LineHeight(const PrintFont& font) override { return static_cast<int>(font.points * 5); }
  int TextWidth(const PrintFont& font, std::string_view utf8) override {
    return static_cast<int>(Utf8CharacterCount(utf8)) * static_cast<int>(font.points * 2);
  }
};

// A4 at 254 dots per inch: 100 pixels to the centimetre.
inline constexpr PageDevice kA4At254{2100, 2970, 254, 254};

inline std::vector<PrintText> TextsOf(const PrintPage& page) {
  std::vector<PrintText> texts;
  for (const PrintOp& op : page.ops) {
    if (const auto* text = std::get_if<PrintText>(&op)) texts.push_back(*text);
  }
  return texts;
}

inline std::vector<std::string> StringsOf(const PrintPage& page) {
  std::vector<std::string> strings;
  for (const PrintText& text : TextsOf(page)) strings.push_back(text.text);
  return strings;
}

inline const PrintText* FindText(const PrintPage& page, std::string_view wanted) {
  for (const PrintOp& op : page.ops) {
    if (const auto* text = std::get_if<PrintText>(&op); text && text->text == wanted) return text;
  }
  return nullptr;
}

}  // namespace tunedex::test
