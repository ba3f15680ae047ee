// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings file: parsing and reading the window's settings never crash,
// the values read are within their bounds, and writing a key keeps it readable.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/mainsettings.h"
#include "common/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tunedex::tIniFile;
  tIniFile ini = tIniFile::Parse({reinterpret_cast<const char*>(data), size});
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
  tunedex::WriteMainSettings(ini, settings, players, true);
  ini.WriteString("Main", "Fuzzed", "value with blanks");
  const tIniFile reread = tIniFile::Parse(ini.Text());
  if (reread.ReadString("Main", "Fuzzed", "") != "value with blanks") std::abort();
  return 0;
}
