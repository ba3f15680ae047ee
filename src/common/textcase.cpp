// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcase.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>

#include "common/recordtext.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

char AsciiUpper(char ch) {
  return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
}
char AsciiLower(char ch) {
  return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch;
}

template <typename Convert>
std::u16string ConvertUtf16(const std::u16string& input, Convert convert) {
  std::u16string out(input.size() + 8, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = convert(out.data(), static_cast<int32_t>(out.size()), input.data(),
                                   static_cast<int32_t>(input.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out.resize(static_cast<std::size_t>(needed));
      continue;
    }
    if (U_FAILURE(status)) return input;
    out.resize(static_cast<std::size_t>(needed));
    return out;
  }
  return input;
}

std::string ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    UChar32 c = 0;
    U16_NEXT(text.data(), i, text.size(), c);
    AppendUtf8(out, static_cast<char32_t>(c));
  }
  return out;
}

// False for locales whose upper-casing maps ASCII letters to other letters (the dotted capital
// I of Turkish and Azeri).
bool AsciiCasingHolds() {
  static std::uint32_t generation = 0;
  static bool holds = true;
  if (generation != UserLocaleGeneration()) {
    const std::string& locale = UserCasingLocale();
    const std::string language = locale.substr(0, locale.find_first_of("_-"));
    holds = language != "tr" && language != "az";
    generation = UserLocaleGeneration();
  }
  return holds;
}

std::size_t CodePointCount(const char16_t* text, std::size_t units) {
  return static_cast<std::size_t>(u_countChar32(text, static_cast<int32_t>(units)));
}

}  // namespace

std::u16string UpperCaseUtf16(std::string_view text) {
  const std::string& locale = UserCasingLocale();
  return ConvertUtf16(
      DecodeRecordTextUtf16(text),
      [&](UChar* dest, int32_t capacity, const UChar* src, int32_t length, UErrorCode* status) {
        return u_strToUpper(dest, capacity, src, length, locale.c_str(), status);
      });
}

namespace {

// The upper case (UTF-8) of each Windows-1252 byte in the user's locale. Within that code page,
// casing a text character by character gives what casing it whole gives.
const std::array<std::string, 256>& Cp1252UpperCase() {
  static std::array<std::string, 256> table;
  static std::uint32_t generation = 0;
  if (generation != UserLocaleGeneration()) {
    for (int byte = 0; byte < 256; ++byte) {
      const char single = static_cast<char>(byte);
      table[static_cast<std::size_t>(byte)] = ToUtf8(UpperCaseUtf16(std::string_view(&single, 1)));
    }
    generation = UserLocaleGeneration();
  }
  return table;
}

// A UTF-8 text of ASCII and Latin-1 letters (most file names) is cased through the same table;
// false, with nothing appended, for a text with other characters.
bool AppendLatin1UpperCase(std::string& out, std::string_view text) {
  const std::size_t before = out.size();
  const std::array<std::string, 256>& table = Cp1252UpperCase();
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0 || (c >= 0x80 && c < 0xA0) || c > 0xFF) {
      out.resize(before);
      return false;
    }
    out += table[static_cast<std::size_t>(c)];
  }
  return true;
}

}  // namespace

void AppendUpperCase(std::string& out, std::string_view text) {
  if (IsAscii(text) && AsciiCasingHolds()) {
    for (char ch : text) out.push_back(AsciiUpper(ch));
  } else if (!IsStoredAsUtf8(text)) {
    const std::array<std::string, 256>& table = Cp1252UpperCase();
    for (char ch : text) out += table[static_cast<unsigned char>(ch)];
  } else if (!AppendLatin1UpperCase(out, text)) {
    out += ToUtf8(UpperCaseUtf16(text));
  }
}

std::string LowerCase(std::string_view text) {
  const std::string& locale = UserCasingLocale();
  return ToUtf8(ConvertUtf16(
      DecodeRecordTextUtf16(text),
      [&](UChar* dest, int32_t capacity, const UChar* src, int32_t length, UErrorCode* status) {
        return u_strToLower(dest, capacity, src, length, locale.c_str(), status);
      }));
}

std::string FoldCase(std::string_view path) {
  if (IsAscii(path)) {
    std::string folded(path);
    // A plain loop the compiler turns into vector code: every path looked up passes here.
    for (char& ch : folded) ch = static_cast<char>(ch + ((ch >= 'A' && ch <= 'Z') ? 32 : 0));
    return folded;
  }
  return ToUtf8(ConvertUtf16(
      DecodeRecordTextUtf16(path),
      [](UChar* dest, int32_t capacity, const UChar* src, int32_t length, UErrorCode* status) {
        return u_strFoldCase(dest, capacity, src, length, U_FOLD_CASE_DEFAULT, status);
      }));
}

TextMatcher::TextMatcher(std::string_view needle)
    : m_needle(UpperCaseUtf16(needle)), m_asciiCasingHolds(AsciiCasingHolds()) {
  if (std::all_of(m_needle.begin(), m_needle.end(), [](char16_t c) { return c < 0x80; })) {
    m_asciiNeedle.assign(m_needle.begin(), m_needle.end());
  }
}

std::size_t TextMatcher::Find(std::string_view haystack) const {
  if (m_needle.empty()) return 0;
  if (m_asciiCasingHolds && IsAscii(haystack)) {
    // The upper-cased haystack is plain ASCII: a needle with other letters cannot occur in it.
    if (m_asciiNeedle.empty() && !m_needle.empty()) return 0;
    const auto it =
        std::search(haystack.begin(), haystack.end(), m_asciiNeedle.begin(), m_asciiNeedle.end(),
                    [](char h, char n) { return AsciiUpper(h) == n; });
    return it == haystack.end() ? 0 : static_cast<std::size_t>(it - haystack.begin()) + 1;
  }
  const std::u16string upper = UpperCaseUtf16(haystack);
  const std::size_t at = upper.find(m_needle);
  return at == std::u16string::npos ? 0 : CodePointCount(upper.data(), at) + 1;
}

bool TextMatcher::IsPrefixOf(std::string_view haystack) const {
  if (m_needle.empty()) return false;
  if (m_asciiCasingHolds && IsAscii(haystack)) {
    if (m_asciiNeedle.empty() || haystack.size() < m_asciiNeedle.size()) return false;
    return std::equal(m_asciiNeedle.begin(), m_asciiNeedle.end(), haystack.begin(),
                      [](char n, char h) { return AsciiUpper(h) == n; });
  }
  return UpperCaseUtf16(haystack).starts_with(m_needle);
}

std::size_t ContainsText(std::string_view needle, std::string_view haystack) {
  return TextMatcher(needle).Find(haystack);
}

namespace {

// Windows-1252 letters of the Latin-1 range, the apostrophe, digits and ASCII letters.
bool IsWordCharacter(UChar32 c, bool utf8Text) {
  if (c == '\'' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
    return true;
  }
  if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) return true;
  return utf8Text && c > 0xFF && u_isalpha(c);
}

// Simple (one-to-one) case mapping; a Windows-1252 text keeps a letter whose other case the
// code page lacks (micro sign, sharp s).
UChar32 MapCase(UChar32 c, bool upper, bool utf8Text) {
  const UChar32 mapped = upper ? u_toupper(c) : u_tolower(c);
  if (utf8Text || IsCp1252Character(static_cast<char32_t>(mapped))) return mapped;
  return c;
}

}  // namespace

namespace {

// The same capitalisation for a text of ASCII bytes only, which is most of them: each letter's
// case follows from the byte before it alone, without decoding and ICU.
std::string AsciiProperCase(std::string_view text) {
  std::string result(text);
  bool previousIsWord = false;
  for (char& ch : result) {
    ch = previousIsWord ? AsciiLower(ch) : AsciiUpper(ch);
    previousIsWord = ch == '\'' || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') ||
                     (ch >= 'a' && ch <= 'z');
  }
  return result;
}

}  // namespace

std::string ProperCase(std::string_view text) {
  if (text.empty()) return {};
  if (IsAscii(text)) return AsciiProperCase(text);
  return ProperCaseByIcu(text);
}

std::string ProperCaseByIcu(std::string_view text) {
  if (text.empty()) return {};
  const bool utf8Text = IsStoredAsUtf8(text);
  const std::u16string decoded = DecodeRecordTextUtf16(text);
  std::u16string result;
  result.reserve(decoded.size());
  bool previousIsWord = false;
  bool first = true;
  for (std::size_t i = 0; i < decoded.size();) {
    UChar32 c = 0;
    U16_NEXT(decoded.data(), i, decoded.size(), c);
    c = MapCase(c, /*upper=*/false, utf8Text);
    if (first || !previousIsWord) c = MapCase(c, /*upper=*/true, utf8Text);
    previousIsWord = IsWordCharacter(c, utf8Text);
    first = false;
    if (U_IS_BMP(c)) {
      result.push_back(static_cast<char16_t>(c));
    } else {
      result.push_back(static_cast<char16_t>(U16_LEAD(c)));
      result.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  }
  const std::string utf8 = ToUtf8(result);
  // Texts from song files stay in their 8-bit form; a UTF-8 text stays UTF-8.
  return utf8Text ? utf8 : EncodeRecordText(utf8, utf8.size());
}

}  // namespace tunedex
