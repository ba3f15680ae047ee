// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/windowkeys.h"

namespace tunedex {

WindowKeys ReadWindowKeys(const tIniFile& ini, std::string_view section,
                          const WindowKeys& defaults) {
  WindowKeys keys;
  keys.top = ini.ReadIntegerWithin(section, "Top", -kLargestWindowValue, kLargestWindowValue,
                                   defaults.top);
  keys.left = ini.ReadIntegerWithin(section, "Left", -kLargestWindowValue, kLargestWindowValue,
                                    defaults.left);
  keys.width = ini.ReadIntegerWithin(section, "Width", 1, kLargestWindowValue, defaults.width);
  keys.height = ini.ReadIntegerWithin(section, "Height", 1, kLargestWindowValue, defaults.height);
  return keys;
}

void WriteWindowKeys(tIniFile& ini, std::string_view section, const WindowKeys& keys) {
  ini.WriteInteger(section, "Top", keys.top);
  ini.WriteInteger(section, "Left", keys.left);
  ini.WriteInteger(section, "Width", keys.width);
  ini.WriteInteger(section, "Height", keys.height);
}

}  // namespace tunedex
