// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/userinteraction.h"
#include "inspect/bytes.h"
#include "inspect/songfileparts.h"
#include "song/songrecord.h"

namespace tunedex {

inline constexpr std::string_view kCannotFindFile = "CANNOT FIND FILE";
// Why a file whose reader ran past its end counts as damaged.
inline constexpr std::string_view kDamagedSongFile =
    "It may be corrupted or be in an unknown format.";

enum class InspectStatus {
  Recognised,     // the format reader that ran reported success
  NotRecognised,  // unknown format, invalid STAR DATA, no tags found
  Missing,        // the file does not exist
  ReadFailed,     // the file could not be read; the user was told
};

// Fills lines with what a song file is and what its tags say. Only bounded parts of the file are
// read (its start, its end, a window from its first byte that is not zero), so a file of any
// size inspects quickly. True for InspectStatus::Recognised.
bool InspectSongFile(const std::string& path, InfoLines& lines, UserInteraction& user);
InspectStatus InspectSongFileStatus(const std::string& path, InfoLines& lines,
                                    UserInteraction& user);

enum class SongReadStatus {
  Read,        // the record holds what the file says (perhaps only its name)
  Damaged,     // a reader ran past the end of the file; the user was told
  Unreadable,  // the file could not be opened or read (permission, not a regular file, an I/O
               // error); the user was told why
  Missing,     // the file does not exist; the record is all zero
};

// Overwrites record with what a song file says: FileName, FileType, InternalFormat,
// HasLyrics, Title (the file name when the file does not say) and Artist ("?" likewise). A file
// that does not exist leaves the record all zero.
SongReadStatus ReadSongRecord(const std::string& path, tSongRecord& record, UserInteraction& user);
// The same, asking exists whether a companion file is there (a scan knows its folder's names);
// why, when given, hears the system's reason of an Unreadable file; kind says what a folder
// listing made of the file, and folder, when not -1, is a descriptor of the file's folder to
// open it from (see SongFileParts).
SongReadStatus ReadSongRecord(const std::string& path, tSongRecord& record, UserInteraction& user,
                              const std::function<bool(const std::string&)>& exists,
                              std::string* why = nullptr, FileKind kind = FileKind::Unknown,
                              int folder = -1);

// The same over bytes in memory, for tests and fuzzing: fileName gives the name and extension,
// and exists answers whether a companion file (the ".cdg" of an MP3 or WMA song) exists. False
// when the bytes end where a reader needed more.
bool InspectSongBytes(Bytes file, std::string_view fileName, InfoLines& lines, bool& recognised);
bool ReadSongRecordBytes(Bytes file, std::string_view path, tSongRecord& record,
                         const std::function<bool(const std::string&)>& exists);

// The same over the parts of a file that ReadSongRecord reads.
bool ReadSongRecordParts(SongFileParts& file, std::string_view path, tSongRecord& record,
                         const std::function<bool(const std::string&)>& exists);

}  // namespace tunedex
