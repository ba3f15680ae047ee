// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings file: parsing and reading the window's settings never crash,
// the values read are within their bounds, and writing a key keeps it readable. Some inputs
// starting with '#' (one in sixteen, as each takes megabytes) are also repeated past the size
// bound: that text reads as its part up to the last line break within the bound.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "catalogue/mainsettings.h"
#include "common/inifile.h"

namespace {

void CheckTheBound(std::string_view input) {
  using tunedex::tIniFile;
  std::string big;
  big.reserve(tIniFile::kMaxSize + 2 * input.size());
  while (big.size() <= tIniFile::kMaxSize) big += input;
  const tIniFile whole = tIniFile::Parse(big);
  if (!whole.Truncated()) std::abort();
  const std::size_t lastBreak = std::string_view(big).substr(0, tIniFile::kMaxSize).rfind('\n');
  big.resize(lastBreak == std::string::npos ? tIniFile::kMaxSize : lastBreak + 1);
  const tIniFile part = tIniFile::Parse(big);
  if (part.Truncated() || part.Text() != whole.Text()) std::abort();
  if (part.Sections() != whole.Sections()) std::abort();
  for (const std::string& section : part.Sections()) {
    if (part.ReadString(section, "Top", "-") != whole.ReadString(section, "Top", "-")) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tunedex::tIniFile;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (!input.empty() && input.front() == '#' && std::hash<std::string_view>{}(input) % 16 == 0) {
    CheckTheBound(input);
  }
  tIniFile ini = tIniFile::Parse(input);
  for (const std::string& section : ini.Sections()) {
    (void)ini.ReadInteger(section, "Top", 0);
    (void)ini.ReadBool(section, "Logo", true);
  }
  tunedex::tMainSettings settings;
  tunedex::tLivePlayerOptions players;
  tunedex::ReadMainSettings(ini, settings, players);
  if (settings.width && *settings.width < 1) std::abort();
  if (settings.state < 0 || settings.state > 2 || settings.font.size < 1) std::abort();
  if (settings.customLanguage.index < 0 || settings.customLanguage.index > 5) std::abort();
  if (!tunedex::IsColourValue(settings.font.colour)) std::abort();
  tunedex::WriteMainSettings(ini, settings, players, true);
  ini.WriteString("Main", "Fuzzed", "value with blanks");
  const tIniFile reread = tIniFile::Parse(ini.Text());
  if (reread.ReadString("Main", "Fuzzed", "") != "value with blanks") std::abort();
  return 0;
}
