// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/scanwizardsettings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace tunedex {
namespace {

constexpr std::string_view kSection = "SongScan";
constexpr int kLargest = 100000;  // larger than any desktop

}  // namespace

tScanWizardSettings ReadScanWizardSettings(const tIniFile& ini) {
  tScanWizardSettings s;
  s.top = ini.ReadIntegerWithin(kSection, "Top", -kLargest, kLargest, s.top);
  s.left = ini.ReadIntegerWithin(kSection, "Left", -kLargest, kLargest, s.left);
  s.width = ini.ReadIntegerWithin(kSection, "Width", 1, kLargest, s.width);
  s.height = ini.ReadIntegerWithin(kSection, "Height", 1, kLargest, s.height);
  s.verticalDivision =
      ini.ReadIntegerWithin(kSection, "Vertical division", 0, kLargest, s.verticalDivision);
  s.horizontalDivision =
      ini.ReadIntegerWithin(kSection, "Horizontal division", 0, kLargest, s.horizontalDivision);
  s.state = ini.ReadIntegerWithin(kSection, "State", 0, 2, s.state);
  return s;
}

void WriteScanWizardSettings(tIniFile& ini, const tScanWizardSettings& s) {
  if (s.state == 0) {
    ini.WriteInteger(kSection, "Top", s.top);
    ini.WriteInteger(kSection, "Left", s.left);
    ini.WriteInteger(kSection, "Width", s.width);
    ini.WriteInteger(kSection, "Height", s.height);
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
