// SPDX-License-Identifier: GPL-3.0-or-later
#include "customlanguage.h"

namespace tunedex {

void tCustomLanguage::Apply() {
  if (index < 0 || index > kUserDefined) index = 0;
  if (index == kUserDefined) return;
  name = kBuiltInLanguages[static_cast<std::size_t>(index)].name;
  code = kBuiltInLanguages[static_cast<std::size_t>(index)].code;
}

CustomLanguageChoice::Problem CustomLanguageChoice::Check() const {
  if (index != tCustomLanguage::kUserDefined) return Problem::None;
  if (name.empty()) return Problem::EmptyName;
  if (code.empty()) return Problem::EmptyCode;
  return Problem::None;
}

void CustomLanguageChoice::StoreInto(tCustomLanguage& language) const {
  language.index = index;
  if (index == tCustomLanguage::kUserDefined) {
    language.name = name;
    language.code = code;
  }
  language.Apply();
}

CustomLanguageChoice CustomLanguageChoice::From(const tCustomLanguage& language) {
  CustomLanguageChoice choice;
  choice.index = language.index;
  if (language.index == tCustomLanguage::kUserDefined) {
    choice.name = language.name;
    choice.code = language.code;
  }
  return choice;
}

}  // namespace tunedex
