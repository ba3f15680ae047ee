// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings file: parsing never crashes, and writing a key keeps it readable.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tunedex::tIniFile;
  tIniFile ini = tIniFile::Parse({reinterpret_cast<const char*>(data), size});
  for (const std::string& section : ini.Sections()) {
    (void)ini.ReadInteger(section, "Top", 0);
    (void)ini.ReadBool(section, "Logo", true);
  }
  ini.WriteString("Main", "Fuzzed", "value with blanks");
  const tIniFile reread = tIniFile::Parse(ini.Text());
  if (reread.ReadString("Main", "Fuzzed", "") != "value with blanks") std::abort();
  return 0;
}
