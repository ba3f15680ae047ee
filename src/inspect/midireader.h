// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

#include "inspect/bytes.h"
#include "song/songrecord.h"

namespace tunedex {

// Standard and karaoke MIDI files, read by scanning for meta-event patterns byte by byte
// rather than by walking the chunk structure. Positions are 1-based; the scans start after
// position start (4 when called by the inspection, so the first byte looked at is the fifth).
// A text is as long as its single length byte says (longer texts are read short).

// Karaoke "@" tags as information lines; true when more than one title tag was found.
bool ReadKarInfo(Bytes bytes, std::size_t start, InfoLines& lines);
// Plain MIDI lines, or the karaoke lines for a karaoke file; true when two track names and a
// lyric event were found.
bool ReadMidiInfo(Bytes bytes, std::size_t start, InfoLines& lines);
// Title, Artist, HasLyrics and InternalFormat from the whole file.
void ReadMidiRecord(Bytes file, tSongRecord& record);

// The file's start, at least up to offset end (less only at the file's end).
using MidiStartUpTo = std::function<Bytes(std::uint64_t end)>;
// The same record, read from the file's head and more of its start only when the scan runs
// past what was read: a karaoke file's title tags and first lyrics usually lie in its first few
// KiB. A file whose head lacks the karaoke marker is read whole, since the marker may lie
// anywhere. The record is always the one the whole file gives.
void ReadMidiRecord(Bytes head, const MidiStartUpTo& startUpTo, tSongRecord& record);

}  // namespace tunedex
