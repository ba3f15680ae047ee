// SPDX-License-Identifier: GPL-3.0-or-later
#include "userlocale.h"

#include <cstdlib>
#include <optional>

namespace tunedex {
namespace {

struct LocaleState {
  std::optional<std::string> collation;
  std::optional<std::string> casing;
  std::uint32_t generation = 1;
};

LocaleState& State() {
  static LocaleState state;
  return state;
}

std::string FromEnvironment(const char* category) {
  for (const char* name : {"LC_ALL", category, "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return IcuLocaleFromPosix(value);
  }
  return {};
}

}  // namespace

std::string IcuLocaleFromPosix(std::string_view posixValue) {
  const std::size_t end = posixValue.find_first_of(".@");
  std::string_view name = posixValue.substr(0, end);
  if (name == "C" || name == "POSIX") return {};
  return std::string(name);
}

const std::string& UserCollationLocale() {
  LocaleState& state = State();
  if (!state.collation) state.collation = FromEnvironment("LC_COLLATE");
  return *state.collation;
}

const std::string& UserCasingLocale() {
  LocaleState& state = State();
  if (!state.casing) state.casing = FromEnvironment("LC_CTYPE");
  return *state.casing;
}

void SetUserLocale(std::string_view icuLocale) {
  LocaleState& state = State();
  state.collation = std::string(icuLocale);
  state.casing = std::string(icuLocale);
  ++state.generation;
}

std::uint32_t UserLocaleGeneration() {
  return State().generation;
}

}  // namespace tunedex
