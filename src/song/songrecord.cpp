// SPDX-License-Identifier: GPL-3.0-or-later
#include "songrecord.h"

#include <algorithm>
#include <cstring>

#include "common/recordtext.h"

namespace tunedex {
namespace {

struct FieldLayout {
  std::size_t offset;
  std::size_t maxLength;
};

constexpr FieldLayout Layout(TextField field) {
  switch (field) {
    case TextField::Title:
      return {0, 80};
    case TextField::Artist:
      return {84, 40};
    case TextField::Language:
      return {125, 3};
    case TextField::FileName:
      return {129, 255};
    case TextField::IdCode:
      return {389, 11};
    case TextField::Notes:
      return {401, 255};
  }
  return {0, 0};
}

}  // namespace

tSongRecord::tSongRecord(std::span<const std::uint8_t, kSize> bytes) {
  std::memcpy(m_bytes.data(), bytes.data(), kSize);
}

tSongRecord tSongRecord::FromBytes(std::span<const std::uint8_t> bytes) {
  tSongRecord record;
  std::copy_n(bytes.begin(), std::min(bytes.size(), kSize), record.m_bytes.begin());
  return record;
}

std::size_t tSongRecord::MaxLength(TextField field) {
  return Layout(field).maxLength;
}

std::size_t tSongRecord::Offset(TextField field) {
  return Layout(field).offset;
}

std::string_view tSongRecord::RawText(TextField field) const {
  const FieldLayout layout = Layout(field);
  const std::size_t length = std::min<std::size_t>(m_bytes[layout.offset], layout.maxLength);
  return {reinterpret_cast<const char*>(m_bytes.data() + layout.offset + 1), length};
}

void tSongRecord::SetRawText(TextField field, std::string_view bytes) {
  const FieldLayout layout = Layout(field);
  std::size_t length = std::min(bytes.size(), layout.maxLength);
  // A UTF-8 text is cut before the character that does not fit whole.
  if (length < bytes.size() && IsStoredAsUtf8(bytes)) {
    while (length > 0 && (static_cast<unsigned char>(bytes[length]) & 0xC0) == 0x80) --length;
  }
  std::uint8_t* start = m_bytes.data() + layout.offset;
  start[0] = static_cast<std::uint8_t>(length);
  std::memcpy(start + 1, bytes.data(), length);
  std::memset(start + 1 + length, 0, layout.maxLength - length);
}

std::string tSongRecord::Text(TextField field) const {
  return DecodeRecordText(RawText(field));
}

void tSongRecord::SetText(TextField field, std::string_view utf8) {
  if (field == TextField::FileName) {
    SetRawText(field, utf8);
  } else {
    SetRawText(field, EncodeRecordText(utf8, MaxLength(field)));
  }
}

bool tSongRecord::IsEmpty() const {
  return IsEmptyRecord(m_bytes);
}

bool tSongRecord::IsEmptyRecord(std::span<const std::uint8_t, kSize> bytes) {
  for (TextField field : {TextField::Title, TextField::Artist, TextField::Language,
                          TextField::FileName, TextField::Notes}) {
    if (bytes[Layout(field).offset] != 0) return false;
  }
  return true;
}

}  // namespace tunedex
