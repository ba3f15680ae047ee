// SPDX-License-Identifier: GPL-3.0-or-later
#include "customfilter.h"

#include "common/textcase.h"
#include "song/songtype.h"

namespace tunedex {

namespace {

constexpr int kKarBit = 1;
constexpr int kSt3Bit = 2;
constexpr int kRmidBit = 8;

}  // namespace

bool FilterMatches(const tSongRecord& record, const tCustomFilterRec& filter) {
  if (filter.ByFormat) {
    const std::uint8_t type =
        filter.UseInternalFormat == 1 ? record.InternalFormat() : record.FileType();
    if (type < 1 || type > kLastSongType) return false;
    if ((static_cast<std::uint32_t>(filter.Formats) & SongTypeBit(type)) == 0) return false;
    if (filter.Lyrics == 1) return record.HasLyrics();
    if (filter.Lyrics == 2) return !record.HasLyrics();
    return true;
  }
  if (filter.Text.empty() || (filter.Fields & kFilterAnyField) == 0) return true;
  const TextMatcher matcher(filter.Text);
  const std::pair<int, TextField> fields[] = {{kFilterTitle, TextField::Title},
                                              {kFilterArtist, TextField::Artist},
                                              {kFilterFileName, TextField::FileName},
                                              {kFilterIdCode, TextField::IdCode},
                                              {kFilterNotes, TextField::Notes}};
  for (const auto& [bit, field] : fields) {
    if ((filter.Fields & bit) != 0 && matcher.Matches(record.RawText(field))) return true;
  }
  return false;
}

void FilterDialogState::Load(const tCustomFilterRec& filter) {
  formatPage = filter.ByFormat;
  text = filter.Text;
  anyField = filter.Fields == kFilterAnyField;
  fieldBits = anyField ? 0 : filter.Fields & kFilterAnyField;
  useInternalFormat = filter.UseInternalFormat == 1 ? 1 : 0;
  typeBits = filter.Formats & 0xFF;
  lyrics = filter.Lyrics >= 0 && filter.Lyrics <= 2 ? filter.Lyrics : -1;
}

tCustomFilterRec FilterDialogState::Read() {
  tCustomFilterRec filter;
  filter.ByFormat = formatPage;
  filter.Text = text;
  filter.Fields = anyField ? kFilterAnyField : fieldBits;
  if (filter.Fields == 0) {
    filter.Fields = kFilterAnyField;
    anyField = true;
  }
  filter.UseInternalFormat = useInternalFormat;
  filter.Formats = typeBits;
  filter.Lyrics = lyrics;
  return filter;
}

void FilterDialogState::SetType(int bit, bool ticked) {
  typeBits = ticked ? (typeBits | bit) : (typeBits & ~bit);
  if (typeBits == 0) {
    lyrics = -1;
  } else if ((typeBits & ~(kKarBit | kSt3Bit)) == 0) {
    lyrics = 1;  // karaoke formats always carry lyrics
  } else if (typeBits == kRmidBit) {
    lyrics = 2;
  } else if (lyrics < 0) {
    lyrics = 0;
  }
}

bool FilterDialogState::LyricsOptionsEnabled() const {
  return typeBits != 0 && (typeBits & ~(kKarBit | kSt3Bit)) != 0 && typeBits != kRmidBit;
}

}  // namespace tunedex
