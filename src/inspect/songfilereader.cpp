// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songfilereader.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include "common/fileio.h"
#include "inspect/formattests.h"
#include "inspect/id3reader.h"
#include "inspect/kfnreader.h"
#include "inspect/midireader.h"
#include "inspect/songfileparts.h"
#include "inspect/st3reader.h"
#include "inspect/wmareader.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

constexpr std::size_t kRecordHeadSize = 1024;
constexpr std::size_t kMidiScanStart = 4;

// The companion lyrics file of an MP3 or WMA song: the same path with the extension ".cdg"
// (files copied from Windows often spell it ".CDG").
bool HasCdgCompanion(std::string_view path, const std::function<bool(const std::string&)>& exists) {
  const std::string_view ext = FileExtension(path);
  // One buffer for the names asked of every song a thread reads.
  thread_local std::string companion;
  companion.assign(path.substr(0, path.size() - ext.size())).append(".cdg");
  if (exists(companion)) return true;
  companion.replace(companion.size() - 3, 3, "CDG");
  return exists(companion);
}

// The ASF header from the file's start, walked as far as its size says (within the window). A
// damaged one that walks further is read again from the head, then from the whole window. A walk
// that stays within fewer bytes reads the same from more, so the first that completes gives what
// the whole window would. The file's size (for the size and duration) is asked only withSize: a
// record needs neither, and a scan then spares the system call.
TWMAfile::ReadResult ReadWmaHeader(SongFileParts& file, TWMAfile& wma, bool withSize) {
  const std::uint64_t extent = TWMAfile::HeaderExtent(file.Start());
  if (extent == 0) return TWMAfile::ReadResult::NotAsf;
  const auto size = [&]() -> std::uint64_t { return withSize ? file.Size() : 0; };
  Bytes header = file.StartUpTo(extent);
  TWMAfile::ReadResult read = wma.ReadFromFile(header, size());
  for (const std::uint64_t further : {SongFileParts::kHead, SongFileParts::kWindow}) {
    if (read != TWMAfile::ReadResult::ReadFailure) break;
    const Bytes more = file.StartUpTo(further);
    if (more.size() <= header.size()) continue;  // the file ends within what was read
    header = more;
    read = wma.ReadFromFile(header, size());
  }
  return read;
}

// The format tests and readers of an inspection over the head (a window of the file from its
// first byte that is not zero, without the zero bytes at its end). False when a reader ran past
// the end of the file.
bool InspectHead(SongFileParts& file, Bytes head, std::string_view fileName, InfoLines& lines,
                 bool& recognised) {
  if (IsMidi(head)) {
    recognised = HasKaraokeMarker(head) ? ReadKarInfo(head, kMidiScanStart, lines)
                                        : ReadMidiInfo(head, kMidiScanStart, lines);
  } else if (IsStarData(head)) {
    recognised = head.size() > kMinimumStarDataSize;
    if (recognised) {
      ReadSt3Info(head, lines);
    } else {
      lines.push_back("Invalid ST3 file");
    }
  } else if (IsRmid(head)) {
    recognised = ReadMidiInfo(head, kMidiScanStart, lines);
  } else if (IsId3v23(head)) {
    recognised = ReadId3v2Info(file.StartUpTo(Id3v2TagEnd(file.Start())), lines);
  } else if (IsKfn(head)) {
    recognised = ReadKfnInfo(file.Head(), 1, lines);
  } else if (IsPackedKfn(file.Start(), [&] { return file.End(); })) {
    recognised = ReadKfnInfo(file.End(), 2, lines);
  } else if (IsMpegByExtension(fileName)) {
    lines.push_back("MPEG media file");
    lines.push_back("No information available");
    recognised = true;
  } else {
    TWMAfile wma;
    const TWMAfile::ReadResult read = ReadWmaHeader(file, wma, /*withSize=*/true);
    if (read == TWMAfile::ReadResult::ReadFailure) return false;
    if (wma.Valid) {
      recognised = ReadWmaInfo(wma, lines);
    } else if (HasMpegFrame(head)) {
      recognised = ReadId3v1Info(file.End(), lines);
      if (!recognised) {
        lines.push_back("No tag information");
        lines.push_back("File may be MPEG format");
      }
    } else {
      lines.push_back("File has unknown format");
      recognised = false;
    }
  }
  return true;
}

bool InspectParts(SongFileParts& file, std::string_view fileName, InfoLines& lines,
                  bool& recognised) {
  lines.clear();
  recognised = false;
  // Leading zeros are skipped without reading the holes of a sparse file; the zeros at the
  // end are trimmed within the window only.
  const Bytes head = TrimZeros(file.WindowFrom(file.FirstNonZero()));
  return InspectHead(file, head, fileName, lines, recognised);
}

}  // namespace

bool InspectSongBytes(Bytes file, std::string_view fileName, InfoLines& lines, bool& recognised) {
  SongFileParts parts(file);
  return InspectParts(parts, fileName, lines, recognised);
}

InspectStatus InspectSongFileStatus(const std::string& path, InfoLines& lines,
                                    UserInteraction& user) {
  lines.clear();
  if (!FileExists(path)) {
    lines.push_back(std::string(kCannotFindFile));
    return InspectStatus::Missing;
  }
  bool recognised = false;
  bool readAll = false;
  try {
    SongFileParts parts(path);
    readAll = InspectParts(parts, path, lines, recognised);
  } catch (const FileError&) {
    readAll = false;
  }
  if (!readAll) {
    user.ShowError("Cannot read file " + std::string(FileNamePart(path)));
    return InspectStatus::ReadFailed;
  }
  return recognised ? InspectStatus::Recognised : InspectStatus::NotRecognised;
}

bool InspectSongFile(const std::string& path, InfoLines& lines, UserInteraction& user) {
  return InspectSongFileStatus(path, lines, user) == InspectStatus::Recognised;
}

bool ReadSongRecordBytes(Bytes file, std::string_view path, tSongRecord& record,
                         const std::function<bool(const std::string&)>& exists) {
  SongFileParts parts(file);
  return ReadSongRecordParts(parts, path, record, exists);
}

bool ReadSongRecordParts(SongFileParts& file, std::string_view path, tSongRecord& record,
                         const std::function<bool(const std::string&)>& exists) {
  record.SetFileName(path);
  record.SetFileType(ExtToSongType(path));
  // A copy of the first KiB without its zeros at either end (most of it in a short or sparse
  // file): reading more of the start may move the bytes that file.Start() shows.
  std::array<std::uint8_t, kRecordHeadSize> buffer;
  const Bytes first = TrimZeros(Slice(file.Start(), 0, kRecordHeadSize));
  std::copy(first.begin(), first.end(), buffer.begin());
  const Bytes head = Bytes(buffer).first(first.size());

  bool readAll = true;
  if (IsMidi(head) || IsRmid(head)) {
    ReadMidiRecord(
        file.Start(), [&file](std::uint64_t end) { return file.StartUpTo(end); }, record);
  } else if (IsStarData(head)) {
    // The fields lie in the header; the file must be longer than it.
    ReadSt3Record(file.StartUpTo(kMinimumStarDataSize + 1), record);
  } else if (IsId3v23(head)) {
    ReadId3v2Record(file.StartUpTo(Id3v2TagEnd(file.Start())), record);
  } else if (IsKfn(head)) {
    ReadKfnRecord(file.StartUpTo(tKFunHeader::kSize), 1, record);
  } else if (IsPackedKfn(file.Start(), [&] { return file.End(); })) {
    ReadKfnRecord(file.End(), 2, record);
  } else if (record.FileType() == kSongTypeMpeg) {
    // Video: nothing is read.
  } else {
    TWMAfile wma;
    const TWMAfile::ReadResult read = ReadWmaHeader(file, wma, /*withSize=*/false);
    if (read == TWMAfile::ReadResult::ReadFailure) {
      readAll = false;
    } else if (wma.Valid) {
      ReadWmaRecord(wma, record);
    } else if (HasMpegFrame(head)) {
      ReadId3v1Record(file.Tail(kId3v1TagSize), record);
    }
  }
  if (readAll && (record.FileType() == kSongTypeMp3 || record.FileType() == kSongTypeWma) &&
      HasCdgCompanion(path, exists)) {
    record.SetHasLyrics(true);
  }
  return readAll;
}

SongReadStatus ReadSongRecord(const std::string& path, tSongRecord& record, UserInteraction& user) {
  return ReadSongRecord(path, record, user, FileExists);
}

SongReadStatus ReadSongRecord(const std::string& path, tSongRecord& record, UserInteraction& user,
                              const std::function<bool(const std::string&)>& exists,
                              std::string* why, FileKind kind, int folder) {
  record = tSongRecord();
  SongReadStatus status = SongReadStatus::Read;
  try {
    SongFileParts parts(path, kind, folder);
    if (!ReadSongRecordParts(parts, path, record, exists)) {
      status = SongReadStatus::Damaged;
      user.ShowError("Cannot read file " + path + "\r" + std::string(kDamagedSongFile));
    }
  } catch (const FileError& error) {
    // A file that does not exist leaves the record empty, without a message.
    if (error.SystemError() == ENOENT || error.SystemError() == ENOTDIR || !FileExists(path)) {
      return SongReadStatus::Missing;
    }
    // One that is there but cannot be read (no permission, not a regular file, a failing
    // disk) is told as such, with the system's reason: its bytes were never seen.
    status = SongReadStatus::Unreadable;
    if (why != nullptr) *why = error.Reason();
    user.ShowError("Cannot read file " + path + ": " + error.Reason());
    record.SetFileName(path);
    record.SetFileType(ExtToSongType(path));
  }
  if (record.RawText(TextField::Title).empty()) {
    record.SetRawText(TextField::Title, FileNamePart(path));
  }
  if (record.RawText(TextField::Artist).empty()) record.SetRawText(TextField::Artist, "?");
  return status;
}

}  // namespace tunedex
