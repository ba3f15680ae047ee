// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

#include "inspect/bytes.h"

namespace tunedex {

// The tests that recognise a song file's format. Those named for the head run on the file's
// first bytes with the zero bytes at both ends removed; the others on the whole file.

bool IsMidi(Bytes head);       // "MThd"
bool IsStarData(Bytes head);   // "STAR DATA V3"
bool IsRmid(Bytes head);       // longer than 15 bytes, "RIFF", "RMIDdata" at 9
bool IsId3v23(Bytes head);     // "ID3" and version byte 3
bool IsKfn(Bytes head);        // "KFN3"
bool IsPackedKfn(Bytes file);  // a ZIP archive whose last two bytes locate a "KFN3" block
// The same from the file's first bytes and a reader of its last ones (at least the last
// 65,537), asked only when the file starts as a ZIP archive.
bool IsPackedKfn(Bytes start, const std::function<Bytes()>& end);
// The extension (with its dot, lower-cased) occurs in ".mpg.mpeg".
bool IsMpegByExtension(std::string_view fileName);
bool HasMpegFrame(Bytes head);       // an MPEG audio frame header somewhere in the head
bool HasKaraokeMarker(Bytes bytes);  // "MIDI KARAOKE FILE" in any letter case

// The extension of a path's file-name part, from its last "." on ("" when there is none).
std::string_view FileExtension(std::string_view path);

}  // namespace tunedex
