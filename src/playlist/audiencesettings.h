// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "catalogue/mainsettings.h"
#include "common/inifile.h"

namespace tunedex {

inline constexpr std::string_view kAudienceSection = "AudienceView";

// The four placement check marks of the bars.
enum class AudiencePlacementCheck { CurrentAtTop, CurrentAtFoot, NextAtTop, NextAtFoot };

struct AudiencePlacement {
  bool currentAtTop = true;
  bool currentAtFoot = false;
  bool nextAtTop = true;
  bool nextAtFoot = false;
  friend bool operator==(const AudiencePlacement&, const AudiencePlacement&) = default;
};

// The designed look: Arial 32 pixels high (24 points at 96 pixels per inch), silver captions,
// yellow items on navy.
inline constexpr ColourValue kSilver = RgbColour(192, 192, 192);
inline constexpr ColourValue kYellow = RgbColour(255, 255, 0);
inline constexpr ColourValue kNavy = RgbColour(0, 0, 128);

struct AudienceSettings {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
  tFontSetting font{"Arial", 24, 0, 0};  // the colour is not part of the shared font
  ColourValue itemsColour = kYellow;
  ColourValue captionsColour = kSilver;
  ColourValue backgroundColour = kNavy;
  AudiencePlacement placement;
  bool stayOnTop = false;
  friend bool operator==(const AudienceSettings&, const AudienceSettings&) = default;
};

// designed gives the defaults: the designed left and the screen's width and height.
AudienceSettings ReadAudienceSettings(const tIniFile& ini, const AudienceSettings& designed);
// Position and size are written whatever the window's state.
void WriteAudienceSettings(tIniFile& ini, const AudienceSettings& settings);

}  // namespace tunedex
