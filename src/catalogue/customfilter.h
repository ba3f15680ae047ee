// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "song/songrecord.h"

namespace tunedex {

// Bits of tCustomFilterRec::Fields.
enum FilterField : int {
  kFilterTitle = 1,
  kFilterArtist = 2,
  kFilterFileName = 4,  // the full path
  kFilterIdCode = 8,
  kFilterNotes = 16,
  kFilterAnyField = 31,
};

// The custom filter of the catalogue window: by words in chosen fields, or by song format.
struct tCustomFilterRec {
  bool ByFormat = false;
  std::string Text = {};
  int Fields = 0;
  int UseInternalFormat = 0;  // 0: test FileType; 1: test InternalFormat
  int Formats = 0;            // song type bits
  int Lyrics = 0;             // -1 or 0: ignore; 1: only with lyrics; 2: only without

  friend bool operator==(const tCustomFilterRec&, const tCustomFilterRec&) = default;
};

bool FilterMatches(const tSongRecord& record, const tCustomFilterRec& filter);

// The "Filter Song-list" dialog's controls and their rules, apart from the widgets.
class FilterDialogState {
 public:
  struct FieldBox {
    std::string_view caption;
    int bit;
  };
  // The field boxes of the "Text" page, and the type boxes of the "Format" page, in the order
  // the dialog shows them.
  static constexpr std::array<FieldBox, 5> kFieldBoxes{{{"Title", kFilterTitle},
                                                        {"Artist", kFilterArtist},
                                                        {"File-name", kFilterFileName},
                                                        {"ID-code", kFilterIdCode},
                                                        {"Notes", kFilterNotes}}};
  static constexpr std::array<FieldBox, 8> kTypeBoxes{{{"KAR", 1},
                                                       {"ST3", 2},
                                                       {"MIDI", 4},
                                                       {"RMID", 8},
                                                       {"MP3", 16},
                                                       {"MPEG", 128},
                                                       {"KFN", 64},
                                                       {"WMA", 32}}};

  bool formatPage = false;  // the page shown
  std::string text;
  bool anyField = true;
  int fieldBits = 0;  // the ticked field boxes
  int useInternalFormat = 0;
  int typeBits = 0;  // the ticked type boxes
  int lyrics = -1;   // the "Lyrics options" selection, -1 for none

  void Load(const tCustomFilterRec& filter);
  // Reads the dialog into a filter; no field box ticked ticks "in any field".
  tCustomFilterRec Read();

  bool FieldBoxesEnabled() const { return !anyField; }
  // A type box was ticked or cleared: the lyrics options follow the ticked types.
  void SetType(int bit, bool ticked);
  bool LyricsOptionsEnabled() const;
};

}  // namespace tunedex
