// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/scanwizardsettings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/windowkeys.h"

namespace tunedex {
namespace {

constexpr std::string_view kSection = "SongScan";

}  // namespace

tScanWizardSettings ReadScanWizardSettings(const tIniFile& ini) {
  tScanWizardSettings s;
  const WindowKeys place = ReadWindowKeys(ini, kSection, {s.top, s.left, s.width, s.height});
  s.top = place.top;
  s.left = place.left;
  s.width = place.width;
  s.height = place.height;
  s.verticalDivision = ini.ReadIntegerWithin(kSection, "Vertical division", 0, kLargestWindowValue,
                                             s.verticalDivision);
  s.horizontalDivision = ini.ReadIntegerWithin(kSection, "Horizontal division", 0,
                                               kLargestWindowValue, s.horizontalDivision);
  s.state = ini.ReadIntegerWithin(kSection, "State", 0, 2, s.state);
  return s;
}

void WriteScanWizardSettings(tIniFile& ini, const tScanWizardSettings& s) {
  if (s.state == 0) {
    WriteWindowKeys(ini, kSection, {s.top, s.left, s.width, s.height});
    ini.WriteInteger(kSection, "Vertical division", s.verticalDivision);
    ini.WriteInteger(kSection, "Horizontal division", s.horizontalDivision);
  }
  ini.WriteInteger(kSection, "State", s.state);
}

std::array<int, 3> ScaleScanColumns(const std::array<int, 3>& columns, int oldWidth, int newWidth) {
  if (oldWidth <= 0) return columns;
  std::array<int, 3> scaled{};
  for (std::size_t i = 0; i < 2; ++i) {
    scaled[i] =
        static_cast<int>(std::lround(static_cast<double>(columns[i]) * newWidth / oldWidth));
  }
  scaled[2] = std::max(0, newWidth + 2 - scaled[0] - scaled[1]);
  return scaled;
}

}  // namespace tunedex
