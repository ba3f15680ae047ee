// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/idlist.h"

#include <cstdio>

#include "catalogue/songviews.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "common/textcase.h"

namespace tunedex {
namespace {

constexpr unsigned kLastNumber = 999;
constexpr unsigned kTildeSeries = 26 * 26 * 26 * 26;

std::string Numbered(const std::string& prefix, unsigned number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%03u", number);
  return prefix + digits;
}

// The letters of a file name's stem in order: ASCII letters upper-cased, and the capitals
// from U+00C1 to U+00DE.
std::u32string StemLetters(std::string_view base) {
  std::string_view name = FileNamePart(base);
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  const std::u16string text = DecodeRecordTextUtf16(name);
  std::u32string letters;
  for (char16_t c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC1 && c <= 0xDE)) letters.push_back(c);
  }
  return letters;
}

std::string Letters(const std::u32string& letters, std::size_t n) {
  if (letters.empty()) return "#";
  std::string out;
  for (std::size_t i = 0; i < std::min(n, letters.size()); ++i) AppendUtf8(out, letters[i]);
  return out;
}

std::string TildePrefix(unsigned m) {
  std::string prefix = "~AAAA";
  for (int digit = 4; digit >= 1; --digit) {
    prefix[static_cast<std::size_t>(digit)] = static_cast<char>('A' + m % 26);
    m /= 26;
  }
  return prefix;
}

}  // namespace

bool tIDList::Contains(std::string_view code) const {
  return m_codes.count(FoldCase(code)) > 0;
}

bool tIDList::Reserve(std::string_view code) {
  return m_codes.insert(FoldCase(code)).second;
}

void tIDList::Clear() {
  m_codes.clear();
  m_nextFree.clear();
}

void tIDList::FillFrom(const tSongList& songs) {
  Clear();
  for (const tSong* song : songs) {
    const std::string code = song->Record().IdCode();
    if (!code.empty()) Reserve(code);
  }
}

std::string CompleteIdCode(tIDList& idList, std::string_view base) {
  // The first free number after a prefix, or 0 when all 999 are taken.
  const auto reserveWith = [&](const std::string& prefix) -> std::string {
    unsigned& next = idList.m_nextFree.try_emplace(FoldCase(prefix), 1).first->second;
    for (; next <= kLastNumber; ++next) {
      const std::string candidate = Numbered(prefix, next);
      if (idList.Reserve(candidate)) return candidate;
    }
    return {};
  };
  const std::u32string letters = StemLetters(base);
  for (std::size_t n = 2; n <= 5; ++n) {
    if (std::string code = reserveWith(Letters(letters, n)); !code.empty()) return code;
  }
  unsigned& series = idList.m_nextFree.try_emplace("~", 0).first->second;
  for (; series < kTildeSeries; ++series) {
    if (std::string code = reserveWith(TildePrefix(series)); !code.empty()) return code;
  }
  return "~~BadVal";
}

std::size_t FillMissingIdCodes(tSongList& master, tIDList& idList) {
  std::size_t filled = 0;
  for (tSong* song : master) {
    const tSongRecord& record = song->Record();
    if (!record.RawText(TextField::IdCode).empty() || record.FileName().empty()) continue;
    const std::string code = CompleteIdCode(idList, record.FileName());
    song->Modify([&](tSongRecord& edited) { edited.SetIdCode(code); });
    ++filled;
  }
  return filled;
}

}  // namespace tunedex
