// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "inspect/bytes.h"
#include "song/songrecord.h"

namespace tunedex {

// ID3 tags of MP3 files: version 1 in the last 128 bytes, version 2.3 at the start.

// The ID3v1 genre name of a code below 148; empty for others.
std::string_view GenreName(unsigned code);

// The ID3v1 tag: the last kId3v1TagSize bytes of the file.
inline constexpr std::size_t kId3v1TagSize = 128;
bool ReadId3v1Info(Bytes file, InfoLines& lines);       // true when there is a tag
bool ReadId3v1Record(Bytes file, tSongRecord& record);  // true when there is a tag
bool ReadId3v2Info(Bytes file, InfoLines& lines);       // always true
void ReadId3v2Record(Bytes file, tSongRecord& record);

// The tag area after the 10-byte header, as long as the header's size says (its bytes read
// as base-128 digits with their top bits kept) but no further than the file.
Bytes Id3v2TagArea(Bytes file);
// Where the tag area ends by the header's size (the file may end sooner).
std::uint64_t Id3v2TagEnd(Bytes file);
// The text of the first frame whose ID occurs anywhere in the area, by the last size byte;
// UTF-16 text with a byte-order mark is reduced to its low bytes.
std::string FindFrameText(Bytes area, std::string_view frameId);

}  // namespace tunedex
