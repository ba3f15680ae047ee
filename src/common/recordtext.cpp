// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordtext.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tunedex {
namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, so that any byte sequence decodes and encodes back unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

// The UTF-8 bytes of each Windows-1252 byte: up to three bytes, then the count.
using Utf8Sequence = std::array<char, 4>;

constexpr std::array<Utf8Sequence, 256> MakeCp1252Utf8Table() {
  std::array<Utf8Sequence, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char16_t c = Cp1252ToUnicode(static_cast<unsigned char>(byte));
    Utf8Sequence& sequence = table[byte];
    if (c < 0x80) {
      sequence = {static_cast<char>(c), 0, 0, 1};
    } else if (c < 0x800) {
      sequence = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0, 2};
    } else {
      sequence = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F)), 3};
    }
  }
  return table;
}

constexpr std::array<Utf8Sequence, 256> kCp1252Utf8 = MakeCp1252Utf8Table();

// Returns the Windows-1252 byte of a code point, or -1 when it has none.
int UnicodeToCp1252(UChar32 c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Code points of a UTF-8 text; invalid sequences become U+FFFD.
template <typename Visit>
void ForEachUtf8CodePoint(std::string_view utf8, Visit visit) {
  const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
  const auto length = static_cast<int32_t>(utf8.size());
  int32_t i = 0;
  while (i < length) {
    const int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    visit(c < 0 ? 0xFFFD : c, start, i);
  }
}

}  // namespace

namespace {
bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t Utf8CharacterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsContinuationByte(c); }));
}

void RemoveLastUtf8Character(std::string& utf8) {
  while (!utf8.empty()) {
    const bool continuation = IsContinuationByte(utf8.back());
    utf8.pop_back();
    if (!continuation) break;
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  char buffer[U8_MAX_LENGTH];
  int32_t length = 0;
  UBool error = false;
  U8_APPEND(buffer, length, U8_MAX_LENGTH, static_cast<UChar32>(c), error);
  if (!error) out.append(buffer, static_cast<std::size_t>(length));
}

bool IsCp1252Character(char32_t c) {
  return UnicodeToCp1252(static_cast<UChar32>(c)) >= 0;
}

bool IsAscii(std::string_view bytes) {
  // Eight bytes at a time: most texts are ASCII, and this runs over every field shown.
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, 8);
    if ((word & kHighBits) != 0) return false;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  }
  return true;
}

bool IsStoredAsUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return false;
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto length = static_cast<int32_t>(bytes.size());
  int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

std::string EncodeRecordText(std::string_view utf8, std::size_t maxBytes) {
  // ASCII is the same in both encodings and never reads back as UTF-8.
  if (IsAscii(utf8)) return std::string(utf8.substr(0, maxBytes));
  std::string cp1252;
  cp1252.reserve(utf8.size());
  bool fits = true;
  ForEachUtf8CodePoint(utf8, [&](UChar32 c, int32_t, int32_t) {
    const int byte = UnicodeToCp1252(c);
    if (byte < 0)
      fits = false;
    else
      cp1252.push_back(static_cast<char>(byte));
  });
  if (cp1252.size() > maxBytes) cp1252.resize(maxBytes);
  // A Windows-1252 text whose bytes happen to form UTF-8 would read back as other letters; such a
  // text is stored as UTF-8, which reads back as itself.
  if (fits && !IsStoredAsUtf8(cp1252)) return cp1252;

  std::string out;
  out.reserve(std::min(utf8.size(), maxBytes));
  bool cut = false;
  ForEachUtf8CodePoint(utf8, [&](UChar32 c, int32_t, int32_t) {
    if (cut) return;
    const std::size_t before = out.size();
    AppendUtf8(out, c);
    if (out.size() > maxBytes) {
      out.resize(before);
      cut = true;
    }
  });
  return out;
}

std::string DecodeRecordText(std::string_view bytes) {
  if (IsAscii(bytes) || IsStoredAsUtf8(bytes)) return std::string(bytes);
  std::string out(MaxDecodedSize(bytes.size()), '\0');
  out.resize(static_cast<std::size_t>(DecodeRecordTextTo(bytes, out.data()) - out.data()));
  return out;
}

char* DecodeRecordTextTo(std::string_view bytes, char* out) {
  if (IsAscii(bytes) || IsStoredAsUtf8(bytes)) {
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
  }
  return DecodeCp1252To(bytes, out);
}

char* DecodeCp1252To(std::string_view bytes, char* out) {
  for (const char ch : bytes) {
    // Three bytes are copied whatever the length; the caller's room allows for it.
    const Utf8Sequence& sequence = kCp1252Utf8[static_cast<unsigned char>(ch)];
    std::memcpy(out, sequence.data(), 3);
    out += sequence[3];
  }
  return out;
}

std::u16string DecodeRecordTextUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  if (IsStoredAsUtf8(bytes)) {
    ForEachUtf8CodePoint(bytes, [&](UChar32 c, int32_t, int32_t) {
      if (U_IS_BMP(c)) {
        out.push_back(static_cast<char16_t>(c));
      } else {
        out.push_back(static_cast<char16_t>(U16_LEAD(c)));
        out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
      }
    });
    return out;
  }
  for (char ch : bytes) out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

}  // namespace tunedex
