// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tunedex {

// The one language besides English that the catalogue window offers a view of: one of five
// built-in languages or one the user names.
struct tCustomLanguage {
  static constexpr int kUserDefined = 5;

  int index = 0;
  std::string name = "Swedish";
  std::string code = "Sve";

  // Brings name and code in line with index: the table's for 0 to 4, the stored ones for 5.
  // An index outside 0..5 is taken as 0.
  void Apply();
};

struct BuiltInLanguage {
  std::string_view name;
  std::string_view code;
  std::string_view radioCaption;
};

inline constexpr std::array<BuiltInLanguage, 5> kBuiltInLanguages{{
    {"Swedish", "Sve", "&Swedish (Sve)"},
    {"French", "Fra", "&French (Fra)"},
    {"German", "Deu", "&German (Deu)"},
    {"Spanish", "Esp", "S&panish (Esp)"},
    {"Portugese", "Por", "&Portugese (Por)"},
}};
inline constexpr std::string_view kUserDefinedCaption = "&User-defined";

// The "Select Custom Language" dialog's rule for OK.
struct CustomLanguageChoice {
  int index = 0;
  std::string name = {};  // the edits, used for the user-defined language
  std::string code = {};

  enum class Problem { None, EmptyName, EmptyCode };
  // The edit that must be filled before the dialog may close.
  Problem Check() const;
  // Stores the choice into the window's language and applies it.
  void StoreInto(tCustomLanguage& language) const;
  static CustomLanguageChoice From(const tCustomLanguage& language);
};

}  // namespace tunedex
