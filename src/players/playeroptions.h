// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "common/inifile.h"
#include "common/userinteraction.h"

namespace tunedex {

// Which program plays songs of one type, and by which of its windows (each a class and a text
// its caption must contain) the program closes it, hands it songs and finds its lyrics.
struct tSongPlayerOptions {
  std::string PlayerFile;   // empty: the desktop's default application for the type
  bool Restart = true;      // close and start the player afresh for every song
  bool EmptyStart = false;  // hand the song over by a drop after the player has started
  std::string CloseClass;
  std::string CloseName;
  std::string SendToClass;
  std::string SendToName;
  std::string PluginClass;  // the lyrics window
  std::string PluginName;

  // A window pair counts as configured when its class and caption text are not both empty.
  bool HasCloseWindow() const { return !(CloseClass + CloseName).empty(); }
  bool HasSendToWindow() const { return !(SendToClass + SendToName).empty(); }
  bool HasAnyWindow() const { return HasCloseWindow() || HasSendToWindow(); }
  bool HasLyricsWindow() const { return !(PluginClass + PluginName).empty(); }

  friend bool operator==(const tSongPlayerOptions&, const tSongPlayerOptions&) = default;
};

// Bits of PlayerPopups: after a song is started from that kind of window, the player comes in
// front (set) or the starting window comes back (clear).
enum class PlayerPopup : std::int32_t {
  MainWindow = 1,
  DetailsWindow = 2,
  Explorer = 4,
  ScanWizard = 8,
  PlayerOptions = 16,
  PlaylistEditor = 32,
};

// The player-in-front choice of every kind of window, stored as the bits above.
class tPlayerPopups {
 public:
  constexpr tPlayerPopups() = default;
  explicit constexpr tPlayerPopups(std::int32_t stored) : m_bits(stored) {}

  bool InFront(PlayerPopup window) const {
    return (m_bits & static_cast<std::int32_t>(window)) != 0;
  }
  void SetInFront(PlayerPopup window, bool inFront) {
    const auto bit = static_cast<std::int32_t>(window);
    m_bits = inFront ? (m_bits | bit) : (m_bits & ~bit);
  }
  std::int32_t Stored() const { return m_bits; }

  friend bool operator==(const tPlayerPopups&, const tPlayerPopups&) = default;

 private:
  std::int32_t m_bits = 0;  // bits other than the six are kept as they were stored
};

inline constexpr std::size_t kPlayerOptionRecords = 7;
inline constexpr int kDefaultDesktopDelay = 200;  // milliseconds

// All player settings: the records of KAR, ST3, MIDI (MIDI and RMID share it), MP3, WMA, KFN
// and MPEG songs, and PlayerPopups.
struct tPlayerOptionSet {
  std::array<tSongPlayerOptions, kPlayerOptionRecords> Records;
  tPlayerPopups PlayerPopups;

  friend bool operator==(const tPlayerOptionSet&, const tPlayerOptionSet&) = default;
};

// The record a song type uses (0 to 6), or -1 for type 0 and unknown codes.
int PlayerRecordIndex(std::uint8_t songType);
// A copy of the type's record; an empty record (no player, both flags false) for type 0.
tSongPlayerOptions OptionsForSongType(const tPlayerOptionSet& set, std::uint8_t songType);
// Stores a program in the type's record; type 0 stores nothing.
void SetPlayerFileForSongType(tPlayerOptionSet& set, std::uint8_t songType, std::string_view path);

// The settings sections of the records, in the order they are written.
std::string_view PlayerOptionsSection(std::size_t record);
inline constexpr std::string_view kPlayerPopupsKey = "Player popups";
inline constexpr std::string_view kDesktopDelayKey = "Desktop delay";

// The seven player sections; missing keys take their defaults. "Player popups" and "Desktop
// delay" in section "Options" are read and written by the catalogue window in its own order.
void ReadPlayerSections(const tIniFile& settings, tPlayerOptionSet& set);
void WritePlayerSections(tIniFile& settings, const tPlayerOptionSet& set);

// The live player settings of the catalogue window. Bit value 1 of PlayerPopups mirrors the
// main menu's "&Player in Front" tick.
class tLivePlayerOptions {
 public:
  // The set, with bit value 1 taken from the menu tick first.
  tPlayerOptionSet GetPlayerOptions(bool playerInFrontTicked);
  // Replaces the set; returns the menu tick it implies (bit value 1).
  bool SetPlayerOptions(const tPlayerOptionSet& set);

  tPlayerOptionSet& Set() { return m_set; }
  const tPlayerOptionSet& Set() const { return m_set; }
  int DesktopDelay = kDefaultDesktopDelay;

 private:
  tPlayerOptionSet m_set;
};

// A window identity as one line: "class"; "caption" (either part alone when the other is
// empty), and back. A line that lacks the separator gives no usable pair.
std::string WindowDescription(std::string_view windowClass, std::string_view caption);
std::pair<std::string, std::string> SplitWindowDescription(std::string_view line);

// The extension whose registered program plays a type: the first three letters of its name in
// lower case ("kar", "st3", "mid", "rmi", "mp3", "wma", "kfn", "mpe"); empty for type 0.
std::string AssociatedProgramExtension(std::uint8_t songType);

// The type's description in the program chooser's title.
std::string_view PlayerTypeDescription(std::uint8_t songType);

// Lets the user choose a program for a song type, starting in startFolder (the folder of
// Tunedex's own program file). Only an executable file is accepted. Empty when cancelled.
std::string SelectPlayerProgram(std::uint8_t songType, const std::string& startFolder,
                                UserInteraction& user);
// The file dialog of a program chooser: every file is offered, only an executable regular file
// is accepted (a message explains a refusal). Empty when cancelled or refused.
std::string ChooseProgramFile(FileDialogRequest request, UserInteraction& user);

}  // namespace tunedex
