// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorersettings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/windowkeys.h"

namespace tunedex {

namespace {

constexpr std::string_view kSection = "Explorer";
constexpr std::string_view kColumnKeys[] = {"Col1", "Col2", "Col3"};

}  // namespace

tExplorerSettings ReadExplorerSettings(const tIniFile& ini) {
  tExplorerSettings s;
  const WindowKeys place = ReadWindowKeys(ini, kSection, {s.top, s.left, s.width, s.height});
  s.top = place.top;
  s.left = place.left;
  s.width = place.width;
  s.height = place.height;
  s.state = ini.ReadIntegerWithin(kSection, "State", 0, 2, s.state);
  s.verticalDivision = ini.ReadIntegerWithin(kSection, "Vertical division", 0, kLargestWindowValue,
                                             s.verticalDivision);
  s.horizontalDivision = ini.ReadIntegerWithin(kSection, "Horizontal division", 0,
                                               kLargestWindowValue, s.horizontalDivision);
  for (std::size_t i = 0; i < s.columns.size(); ++i) {
    s.columns[i] =
        ini.ReadIntegerWithin(kSection, kColumnKeys[i], 0, kLargestWindowValue, s.columns[i]);
  }
  return s;
}

void WriteExplorerSettings(tIniFile& ini, const tExplorerSettings& s) {
  if (s.state == 0) {
    WriteWindowKeys(ini, kSection, {s.top, s.left, s.width, s.height});
  }
  ini.WriteInteger(kSection, "State", s.state);
  ini.WriteInteger(kSection, "Vertical division", s.verticalDivision);
  ini.WriteInteger(kSection, "Horizontal division", s.horizontalDivision);
  for (std::size_t i = 0; i < s.columns.size(); ++i) {
    ini.WriteInteger(kSection, kColumnKeys[i], s.columns[i]);
  }
}

int ListWidthWithin(int width, int windowWidth) {
  return std::max(kSmallestPane, std::min(width, windowWidth - 76));
}

std::array<int, 3> ScaleColumns(const std::array<int, 3>& columns, int oldWidth, int newWidth,
                                int scrollBarWidth) {
  if (oldWidth <= 0) return columns;
  const int least = std::max(0, (newWidth - scrollBarWidth - 2) / 3);
  std::array<int, 3> scaled{};
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const double width = static_cast<double>(columns[i]) * newWidth / oldWidth;
    scaled[i] = std::max(least, static_cast<int>(std::lround(width)));
  }
  return scaled;
}

}  // namespace tunedex
