// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/midireader.h"

#include <algorithm>
#include <cstdint>

#include "common/textcase.h"
#include "inspect/formattests.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kTextEvent = 1;
constexpr std::uint8_t kCopyright = 2;
constexpr std::uint8_t kTrackName = 3;
constexpr std::uint8_t kLyric = 5;

// The byte at a 1-based position; 0 outside the bytes.
std::uint8_t At(Bytes bytes, std::size_t position) {
  return (position >= 1 && position <= bytes.size()) ? bytes[position - 1] : 0;
}

std::string TextAt(Bytes bytes, std::size_t position, std::size_t length) {
  return position >= 1 ? AsText(Slice(bytes, position - 1, length)) : std::string();
}

// 0xFF, type, length L > 2 at pos; the text is the L bytes after.
struct MetaEvent {
  std::uint8_t type;
  std::size_t length;
};

bool MetaEventAt(Bytes bytes, std::size_t pos, MetaEvent& event) {
  if (At(bytes, pos) != kMeta || At(bytes, pos + 2) <= 2) return false;
  event = {At(bytes, pos + 1), At(bytes, pos + 2)};
  return true;
}

// The event's text without trailing zero bytes and line feeds (one character always stays);
// moves pos to just after the text.
std::string TakeMetaText(Bytes bytes, std::size_t& pos, const MetaEvent& event) {
  std::string text = TextAt(bytes, pos + 3, event.length);
  while (text.size() > 1 && (text.back() == '\0' || text.back() == '\n')) text.pop_back();
  pos += 3 + event.length;
  return text;
}

// "@" at pos as the start of a text event's text (0xFF 0x01 L before it, L > 2).
bool KaraokeTagAt(Bytes bytes, std::size_t pos, std::size_t& length) {
  if (pos < 4 || At(bytes, pos) != '@' || At(bytes, pos - 3) != kMeta ||
      At(bytes, pos - 2) != kTextEvent || At(bytes, pos - 1) <= 2) {
    return false;
  }
  length = At(bytes, pos - 1);
  return true;
}

// The tag's value (after "@" and its letter); moves pos to the value's last byte.
std::string TakeTagValue(Bytes bytes, std::size_t& pos, std::size_t length) {
  std::string value = TextAt(bytes, pos + 2, length - 2);
  pos += length - 1;
  return value;
}

}  // namespace

bool ReadKarInfo(Bytes bytes, std::size_t pos, InfoLines& lines) {
  int titleTags = 0;
  do {
    ++pos;
    std::size_t length = 0;
    if (!KaraokeTagAt(bytes, pos, length)) continue;
    switch (At(bytes, pos + 1)) {
      case 'I':
        lines.push_back("Information: " + TakeTagValue(bytes, pos, length));
        break;
      case 'K':
        lines.push_back("Filetype: " + TakeTagValue(bytes, pos, length));
        break;
      case 'L':
        lines.push_back("Language: " + TakeTagValue(bytes, pos, length));
        break;
      case 'V':
        lines.push_back("Version: " + TakeTagValue(bytes, pos, length));
        break;
      case 'T': {
        static const char* const kLabels[] = {"Song Title: ", "Artist: ", "Copyright: "};
        lines.push_back(kLabels[titleTags % 3] + ProperCase(TakeTagValue(bytes, pos, length)));
        ++titleTags;
        break;
      }
      default:
        break;  // other letters: the scan goes on from the next byte
    }
  } while (bytes.size() > pos);
  return titleTags > 1;
}

bool ReadMidiInfo(Bytes bytes, std::size_t pos, InfoLines& lines) {
  if (HasKaraokeMarker(bytes)) return ReadKarInfo(bytes, pos, lines);
  const std::size_t firstLine = lines.size();
  lines.push_back("MIDI MUSIC FILE");
  int texts = 0;
  int trackNames = 0;
  bool lyrics = false;
  if (bytes.size() > pos + 3) {
    do {
      ++pos;
      MetaEvent event{};
      if (!MetaEventAt(bytes, pos, event)) continue;
      switch (event.type) {
        case kTextEvent: {
          static const char* const kLabels[] = {
              "Author: ", "Instructions: ", "Comments: ", "Other: ", "Other: ", "Other: "};
          const std::string text = ProperCase(TakeMetaText(bytes, pos, event));
          if (texts < 6) lines.push_back(kLabels[texts] + text);
          ++texts;
          break;
        }
        case kCopyright:
          lines.push_back("CopyRight: " + ProperCase(TakeMetaText(bytes, pos, event)));
          break;
        case kTrackName: {
          const std::string text = ProperCase(TakeMetaText(bytes, pos, event));
          if (trackNames == 0) lines.push_back("Song Title: " + text);
          if (trackNames == 1) lines.push_back("Artist: " + text);
          ++trackNames;
          break;
        }
        case kLyric: {
          const std::string text = ProperCase(TakeMetaText(bytes, pos, event));
          if (!lyrics) lines.push_back("Lyrics: " + text);
          lyrics = true;
          break;
        }
        default:
          break;  // other events: their text is scanned too
      }
    } while (bytes.size() >= pos + 3);
  }
  if (lyrics) lines[firstLine] += " with Lyrics";
  return trackNames >= 2 && lyrics;
}

namespace {

// The first two title tags' values: the record's title and artist.
struct KaraokeTitles {
  std::string values[2];
  int found = 0;

  void ApplyTo(tSongRecord& record) const {
    if (found > 0) record.SetRawText(TextField::Title, values[0]);
    if (found > 1) record.SetRawText(TextField::Artist, values[1]);
  }
};

// Scans for the title tags and counts lyric events; returns the 1-based position the scan
// ended at once it had two titles and more than 20 lyric events, or 0 when it ran to the end.
// An ended scan has looked at no byte after that position + 1.
std::size_t KaraokeRecordScan(Bytes bytes, KaraokeTitles& found) {
  int& titles = found.found;
  int lyricEvents = 0;
  std::size_t pos = 4;
  if (bytes.size() <= pos + 3) return 0;
  // Within the loop 5 <= pos < bytes.size(), so the bytes from pos - 3 to pos + 1 (1-based) are
  // all there and are read without the checks of At(); this loop runs over every byte scanned.
  const std::uint8_t* const b = bytes.data();  // b[pos - 1] is At(bytes, pos)
  do {
    ++pos;
    // Whatever is found at pos starts with kMeta three (a lyric event) or four (a title tag)
    // bytes before it. Without one there, the scan moves on to the first position that has one,
    // or ends where no position is left that could.
    if (b[pos - 4] != kMeta && b[pos - 3] != kMeta) {
      const std::uint8_t* const last = b + bytes.size() - 3;  // after the last kMeta that counts
      const std::uint8_t* const meta = std::find(b + pos - 2, last, kMeta);
      if (meta == last) return 0;
      pos = static_cast<std::size_t>(meta - b) + 2;  // the loop goes on at meta's lyric position
      continue;
    }
    const std::uint8_t here = b[pos - 1];
    const std::uint8_t before = b[pos - 2];
    if (here == '@' && b[pos] == 'T' && before > 2 && b[pos - 3] == kTextEvent &&
        b[pos - 4] == kMeta) {
      const std::string value = TakeTagValue(bytes, pos, before);
      if (titles < 2) found.values[titles] = ProperCase(value);
      ++titles;
    } else if (here != 0 && (before == kTextEvent || before == kLyric) && b[pos - 3] == kMeta) {
      ++lyricEvents;
    }
    if (titles > 1 && lyricEvents > 20) return pos;
  } while (bytes.size() >= pos + 2);
  return 0;
}

void MidiRecordScan(Bytes bytes, tSongRecord& record) {
  int titles = 0;
  int textEvents = 0;
  std::size_t pos = 4;
  if (bytes.size() > pos + 3) {
    do {
      ++pos;
      MetaEvent event{};
      if (!MetaEventAt(bytes, pos, event)) continue;
      if (event.type == kTextEvent || event.type == kLyric) {
        TakeMetaText(bytes, pos, event);
        ++textEvents;
      } else if (event.type == kTrackName) {
        const std::string text = ProperCase(TakeMetaText(bytes, pos, event));
        if (titles == 0) record.SetRawText(TextField::Title, text);
        if (titles == 1) record.SetRawText(TextField::Artist, text);
        ++titles;
      }
      if (titles > 1 && textEvents > 20) break;
    } while (bytes.size() >= pos + 2);
  }
  record.SetHasLyrics(textEvents > 20);
}

}  // namespace

void ReadMidiRecord(Bytes file, tSongRecord& record) {
  if (HasKaraokeMarker(file)) {
    KaraokeTitles titles;
    KaraokeRecordScan(file, titles);
    titles.ApplyTo(record);
    record.SetHasLyrics(true);
    record.SetInternalFormat(kSongTypeKar);
  } else {
    MidiRecordScan(file, record);
    record.SetInternalFormat(IsRmid(file) ? kSongTypeRmid : kSongTypeMidi);
  }
}

void ReadMidiRecord(Bytes head, const MidiStartUpTo& startUpTo, tSongRecord& record) {
  if (!HasKaraokeMarker(head)) {
    ReadMidiRecord(startUpTo(UINT64_MAX), record);
    return;
  }
  // The scan over a part of the start gives the whole file's answer when it ended before the
  // part's last bytes: it looked at nothing beyond. Otherwise it runs again over a longer part,
  // up to the whole start.
  constexpr std::uint64_t kGrowth = 8;
  Bytes bytes = head;
  KaraokeTitles titles;
  for (;;) {
    titles = KaraokeTitles();
    const std::size_t ended = KaraokeRecordScan(bytes, titles);
    if (ended != 0 && ended + 3 <= bytes.size()) break;
    const Bytes more = startUpTo(std::max<std::uint64_t>(bytes.size(), 512) * kGrowth);
    if (more.size() <= bytes.size()) break;  // the whole start has been scanned
    bytes = more;
  }
  titles.ApplyTo(record);
  record.SetHasLyrics(true);
  record.SetInternalFormat(kSongTypeKar);
}

}  // namespace tunedex
