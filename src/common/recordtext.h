// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tunedex {

// Texts stored in records and settings are bytes. A text is written in Windows-1252 when every
// character fits (files stay readable by the Windows program) and as UTF-8 otherwise. Reading
// decides per text: valid UTF-8 holding at least one multi-byte sequence is UTF-8, anything else
// is Windows-1252. These two functions are the only place that knows this.

// Encodes a UTF-8 text for storage, cut to at most maxBytes bytes (never inside a character).
std::string EncodeRecordText(std::string_view utf8, std::size_t maxBytes);

// Decodes stored bytes to UTF-8 for display and comparison.
std::string DecodeRecordText(std::string_view bytes);

// The most bytes decoding a stored text of the given size can give (Windows-1252 characters
// take up to three bytes in UTF-8).
constexpr std::size_t MaxDecodedSize(std::size_t storedSize) {
  return 3 * storedSize;
}
// Decodes stored bytes to UTF-8 at out, which has room for MaxDecodedSize(bytes.size()) bytes;
// returns the end of what was written.
char* DecodeRecordTextTo(std::string_view bytes, char* out);
// The same for bytes known to be Windows-1252 (a text that is not stored as UTF-8, or the part
// of one after its ASCII start).
char* DecodeCp1252To(std::string_view bytes, char* out);

// Decodes stored bytes to UTF-16, the form ICU works on.
std::u16string DecodeRecordTextUtf16(std::string_view bytes);

// True when the bytes would be decoded as UTF-8 (valid, with a multi-byte sequence).
bool IsStoredAsUtf8(std::string_view bytes);

bool IsAscii(std::string_view bytes);

// Appends a code point in UTF-8.
void AppendUtf8(std::string& out, char32_t c);
// The number of characters of a UTF-8 text, and removing its last one.
std::size_t Utf8CharacterCount(std::string_view utf8);
void RemoveLastUtf8Character(std::string& utf8);

// True when Windows-1252 has a byte for the code point.
bool IsCp1252Character(char32_t c);

}  // namespace tunedex
