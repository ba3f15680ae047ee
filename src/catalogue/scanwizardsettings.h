// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "common/inifile.h"

namespace tunedex {

// The scan wizard's size when nothing is stored.
inline constexpr int kScanWizardDesignedWidth = 720;
inline constexpr int kScanWizardDesignedHeight = 520;

// The "SongScan" section of the settings file: the window's placement and state and the two
// dividers of the results step.
struct tScanWizardSettings {
  int top = 1;
  int left = 1;
  int width = kScanWizardDesignedWidth;
  int height = kScanWizardDesignedHeight;
  int verticalDivision = 377;    // the list's width on the results step
  int horizontalDivision = 200;  // the information box's height
  int state = 0;                 // 0 normal, 1 minimised, 2 maximised

  friend bool operator==(const tScanWizardSettings&, const tScanWizardSettings&) = default;
};

// Values out of any sensible range (damage, not choice) read as the defaults.
tScanWizardSettings ReadScanWizardSettings(const tIniFile& ini);
// "State" is always written; the other six only for a window in the normal state.
void WriteScanWizardSettings(tIniFile& ini, const tScanWizardSettings& settings);

// The results' column widths after the list's client width changed from oldWidth to newWidth:
// the first two scaled by the ratio and rounded, the third taking the rest.
std::array<int, 3> ScaleScanColumns(const std::array<int, 3>& columns, int oldWidth, int newWidth);

}  // namespace tunedex
