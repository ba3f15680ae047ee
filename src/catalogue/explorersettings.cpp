// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorersettings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace tunedex {

namespace {

constexpr std::string_view kSection = "Explorer";
constexpr std::string_view kColumnKeys[] = {"Col1", "Col2", "Col3"};
constexpr int kLargest = 100000;  // larger than any desktop

int ReadBounded(const tIniFile& ini, std::string_view key, int smallest, int largest,
                int defaultValue) {
  const int value = ini.ReadInteger(kSection, key, defaultValue);
  return value >= smallest && value <= largest ? value : defaultValue;
}

}  // namespace

tExplorerSettings ReadExplorerSettings(const tIniFile& ini) {
  tExplorerSettings s;
  s.top = ReadBounded(ini, "Top", -kLargest, kLargest, s.top);
  s.left = ReadBounded(ini, "Left", -kLargest, kLargest, s.left);
  s.width = ReadBounded(ini, "Width", 1, kLargest, s.width);
  s.height = ReadBounded(ini, "Height", 1, kLargest, s.height);
  s.state = ReadBounded(ini, "State", 0, 2, s.state);
  s.verticalDivision = ReadBounded(ini, "Vertical division", 0, kLargest, s.verticalDivision);
  s.horizontalDivision = ReadBounded(ini, "Horizontal division", 0, kLargest, s.horizontalDivision);
  for (std::size_t i = 0; i < s.columns.size(); ++i) {
    s.columns[i] = ReadBounded(ini, kColumnKeys[i], 0, kLargest, s.columns[i]);
  }
  return s;
}

void WriteExplorerSettings(tIniFile& ini, const tExplorerSettings& s) {
  if (s.state == 0) {
    ini.WriteInteger(kSection, "Top", s.top);
    ini.WriteInteger(kSection, "Left", s.left);
    ini.WriteInteger(kSection, "Height", s.height);
    ini.WriteInteger(kSection, "Width", s.width);
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
