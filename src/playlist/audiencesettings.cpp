// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/audiencesettings.h"

#include <utility>

namespace tunedex {

namespace {

constexpr std::pair<std::string_view, bool AudiencePlacement::*> kPlacementKeys[] = {
    {"Current item at top", &AudiencePlacement::currentAtTop},
    {"Current item at foot", &AudiencePlacement::currentAtFoot},
    {"Next item at top", &AudiencePlacement::nextAtTop},
    {"Next item at foot", &AudiencePlacement::nextAtFoot},
};

}  // namespace

AudienceSettings ReadAudienceSettings(const tIniFile& ini, const AudienceSettings& designed) {
  const std::string_view s = kAudienceSection;
  AudienceSettings settings = designed;
  settings.top = ini.ReadInteger(s, "Top", 0);
  settings.left = ini.ReadInteger(s, "Left", designed.left);
  settings.width = ini.ReadInteger(s, "Width", designed.width);
  settings.height = ini.ReadInteger(s, "Height", designed.height);
  if (settings.width < 1) settings.width = designed.width;
  if (settings.height < 1) settings.height = designed.height;
  settings.font = ReadFontSetting(ini, s, designed.font, false);
  settings.itemsColour = ReadColour(ini, s, "Items colour", designed.itemsColour);
  settings.captionsColour = ReadColour(ini, s, "Captions colour", designed.captionsColour);
  settings.backgroundColour = ReadColour(ini, s, "Background colour", designed.backgroundColour);
  for (const auto& [key, member] : kPlacementKeys) {
    settings.placement.*member = ini.ReadBool(s, key, designed.placement.*member);
  }
  // A pair both checked is not a placement: the foot gives way.
  if (settings.placement.currentAtTop) settings.placement.currentAtFoot = false;
  if (settings.placement.nextAtTop) settings.placement.nextAtFoot = false;
  settings.stayOnTop = ini.ReadBool(s, "Stay on top", false);
  return settings;
}

void WriteAudienceSettings(tIniFile& ini, const AudienceSettings& settings) {
  const std::string_view s = kAudienceSection;
  ini.WriteInteger(s, "Top", settings.top);
  ini.WriteInteger(s, "Left", settings.left);
  ini.WriteInteger(s, "Width", settings.width);
  ini.WriteInteger(s, "Height", settings.height);
  WriteFontSetting(ini, s, settings.font, false);
  WriteColour(ini, s, "Items colour", settings.itemsColour);
  WriteColour(ini, s, "Captions colour", settings.captionsColour);
  WriteColour(ini, s, "Background colour", settings.backgroundColour);
  for (const auto& [key, member] : kPlacementKeys)
    ini.WriteBool(s, key, settings.placement.*member);
  ini.WriteBool(s, "Stay on top", settings.stayOnTop);
}

}  // namespace tunedex
