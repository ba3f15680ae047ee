// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tunedex {

// The ICU locale name of a POSIX locale value such as "sv_SE.UTF-8" or "de_DE@euro"; empty
// (ICU's root) for "C", "POSIX" and empty values.
std::string IcuLocaleFromPosix(std::string_view posixValue);

// The locale that user texts are compared and cased in: LC_ALL, LC_COLLATE (or LC_CTYPE for
// casing), LANG, in that order of precedence, read from the environment once.
const std::string& UserCollationLocale();
const std::string& UserCasingLocale();

// Replaces both user locales (tests, and a later settings option). Sort keys computed under the
// previous locale become stale: UserLocaleGeneration() changes.
void SetUserLocale(std::string_view icuLocale);
std::uint32_t UserLocaleGeneration();

}  // namespace tunedex
