// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tunedex {

enum class TextField { Title, Artist, Language, FileName, IdCode, Notes };

// The fixed 657-byte record of one song, held and stored byte for byte:
//
//   offset size field           content
//        0   81 Title           length byte + at most 80 bytes
//       81    3 reserved        kept as read, zero in new records
//       84   41 Artist          length byte + at most 40 bytes
//      125    4 Language        length byte + at most 3 bytes; empty = no language set
//      129  256 FileName        length byte + at most 255 bytes; the song's identity in a list
//      385    1 FileType        song type code from the file-name extension
//      386    1 InternalFormat  song type code detected from the content, 0 when unknown
//      387    1 HasLyrics       1 when the file carries lyrics, else 0
//      388    1 reserved        kept as read
//      389   12 IdCode          length byte + at most 11 bytes
//      401  256 Notes           length byte + at most 255 bytes
//
// A length byte larger than its field's maximum is read as the maximum.
class tSongRecord {
 public:
  static constexpr std::size_t kSize = 657;
  using Bytes = std::array<std::uint8_t, kSize>;

  tSongRecord() : m_bytes{} {}
  // Exactly one record's bytes.
  explicit tSongRecord(std::span<const std::uint8_t, kSize> bytes);

  // Takes up to kSize bytes; a shorter input leaves the rest of the record zero.
  static tSongRecord FromBytes(std::span<const std::uint8_t> bytes);

  const Bytes& RawBytes() const { return m_bytes; }

  static std::size_t MaxLength(TextField field);
  // Where a text field's length byte is in the record.
  static std::size_t Offset(TextField field);

  // The stored bytes of a text field.
  std::string_view RawText(TextField field) const;
  // Stores bytes as given (texts read from song files are 8-bit), cut to the field's maximum
  // (a UTF-8 text never inside a character).
  void SetRawText(TextField field, std::string_view bytes);

  // A text field decoded to UTF-8 for display and comparison.
  std::string Text(TextField field) const;
  // Stores a UTF-8 text in the record's text encoding, cut to the field's maximum. The file
  // name is a path and is kept exactly as the file system spells it.
  void SetText(TextField field, std::string_view utf8);

  std::string Title() const { return Text(TextField::Title); }
  std::string Artist() const { return Text(TextField::Artist); }
  std::string Language() const { return Text(TextField::Language); }
  std::string IdCode() const { return Text(TextField::IdCode); }
  std::string Notes() const { return Text(TextField::Notes); }
  // The path bytes, as stored.
  std::string_view FileName() const { return RawText(TextField::FileName); }

  void SetTitle(std::string_view utf8) { SetText(TextField::Title, utf8); }
  void SetArtist(std::string_view utf8) { SetText(TextField::Artist, utf8); }
  void SetLanguage(std::string_view utf8) { SetText(TextField::Language, utf8); }
  void SetIdCode(std::string_view utf8) { SetText(TextField::IdCode, utf8); }
  void SetNotes(std::string_view utf8) { SetText(TextField::Notes, utf8); }
  void SetFileName(std::string_view path) { SetRawText(TextField::FileName, path); }

  std::uint8_t FileType() const { return m_bytes[kFileTypeOffset]; }
  std::uint8_t InternalFormat() const { return m_bytes[kInternalFormatOffset]; }
  bool HasLyrics() const { return m_bytes[kHasLyricsOffset] != 0; }
  void SetFileType(std::uint8_t type) { m_bytes[kFileTypeOffset] = type; }
  void SetInternalFormat(std::uint8_t type) { m_bytes[kInternalFormatOffset] = type; }
  void SetHasLyrics(bool hasLyrics) { m_bytes[kHasLyricsOffset] = hasLyrics ? 1 : 0; }

  // Title, Artist, Language, FileName and Notes all empty; IdCode and type bytes do not count.
  bool IsEmpty() const;
  static bool IsEmptyRecord(std::span<const std::uint8_t, kSize> bytes);

  friend bool operator==(const tSongRecord&, const tSongRecord&) = default;

 private:
  static constexpr std::size_t kFileTypeOffset = 385;
  static constexpr std::size_t kInternalFormatOffset = 386;
  static constexpr std::size_t kHasLyricsOffset = 387;

  Bytes m_bytes;
};

static_assert(sizeof(tSongRecord) == tSongRecord::kSize);

}  // namespace tunedex
