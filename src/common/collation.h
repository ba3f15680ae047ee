// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tunedex {

// Comparison of user texts (stored record bytes) ignoring case and following the user's locale:
// ICU collation at secondary strength, so "Abba" equals "ABBA" while accents still count.

// Negative, zero or positive.
int CompareUserText(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A binary key whose byte order (memcmp, then length) is the order CompareUserText gives.
std::string UserSortKey(std::string_view text);

}  // namespace tunedex
