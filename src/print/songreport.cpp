// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/songreport.h"

#include <cstring>

#include "catalogue/song.h"
#include "common/fileio.h"
#include "common/recordtext.h"

namespace tunedex {
namespace {

bool IsBlankOrControl(unsigned char c) {
  return c <= 0x20 || c == 0x7F;
}

// Writes a report field of decoded UTF-8 text at out: its first 50 characters, trimmed, with
// control characters inside as blanks. Returns the end of what was written.
char* WriteReportField(std::string_view utf8, char* out) {
  // The end of the first 50 characters: a character starts at every byte that is not a
  // continuation byte.
  std::size_t end = 0;
  std::size_t characters = 0;
  while (end < utf8.size()) {
    if ((static_cast<unsigned char>(utf8[end]) & 0xC0) != 0x80) {
      if (characters == kReportFieldCharacters) break;
      ++characters;
    }
    ++end;
  }
  std::size_t begin = 0;
  while (begin < end && IsBlankOrControl(static_cast<unsigned char>(utf8[begin]))) ++begin;
  while (end > begin && IsBlankOrControl(static_cast<unsigned char>(utf8[end - 1]))) --end;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = utf8[i];
    *out++ = IsBlankOrControl(static_cast<unsigned char>(c)) ? ' ' : c;
  }
  return out;
}

// Decodes a stored field into scratch and writes its report form at out.
char* WriteStoredField(std::string_view stored, char* scratch, char* out) {
  if (IsAscii(stored)) return WriteReportField(stored, out);
  char* const end = DecodeRecordTextTo(stored, scratch);
  return WriteReportField({scratch, static_cast<std::size_t>(end - scratch)}, out);
}

constexpr std::size_t kMaxLineSize = 3 + MaxDecodedSize(tSongRecord::kSize);

// Writes a song's report line at out (room for kMaxLineSize bytes); returns its end.
char* WriteReportLine(const tSongRecord& record, char* scratch, char* out) {
  *out++ = '\t';
  // The ID code is shown whole; only title and artist are cut.
  const std::string_view id = record.RawText(TextField::IdCode);
  if (IsAscii(id)) {
    for (const char c : id) *out++ = IsBlankOrControl(static_cast<unsigned char>(c)) ? ' ' : c;
  } else {
    char* const end = DecodeRecordTextTo(id, scratch);
    for (const char* c = scratch; c != end; ++c) {
      *out++ = IsBlankOrControl(static_cast<unsigned char>(*c)) ? ' ' : *c;
    }
  }
  *out++ = '\t';
  out = WriteStoredField(record.RawText(TextField::Title), scratch, out);
  *out++ = '\t';
  return WriteStoredField(record.RawText(TextField::Artist), scratch, out);
}

void AppendText(std::string& out, std::string_view text) {
  out.append(text.data(), text.size());
}

}  // namespace

std::string SpacedProductName(std::string_view name) {
  std::string spaced = "-   ";
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (i > 0) spaced += ' ';
    spaced += name[i];
  }
  spaced += "   -";
  return spaced;
}

std::string ReportField(std::string_view utf8) {
  std::string out(utf8.size(), '\0');
  out.resize(static_cast<std::size_t>(WriteReportField(utf8, out.data()) - out.data()));
  return out;
}

std::string ReportLine(const tSongRecord& record) {
  std::string scratch(MaxDecodedSize(tSongRecord::kSize), '\0');
  std::string line(kMaxLineSize, '\0');
  line.resize(
      static_cast<std::size_t>(WriteReportLine(record, scratch.data(), line.data()) - line.data()));
  return line;
}

std::string SongCountText(std::size_t count) {
  return std::to_string(count) + " songs";
}

void AppendReportLines(const tSongList& view, std::string& out, std::string_view lineEnd) {
  char scratch[MaxDecodedSize(tSongRecord::kSize)];
  // Most lines are far shorter than the longest possible one: the buffer grows by doubling
  // and is cut to its length at the end.
  std::size_t used = out.size();
  out.resize(used + view.Count() * 64 + 64);
  for (const tSong* song : view) {
    if (out.size() - used < kMaxLineSize + lineEnd.size()) {
      out.resize(out.size() * 2 + kMaxLineSize + lineEnd.size());
    }
    char* const start = out.data() + used;
    char* end = WriteReportLine(song->Record(), scratch, start);
    std::memcpy(end, lineEnd.data(), lineEnd.size());
    end += lineEnd.size();
    used += static_cast<std::size_t>(end - start);
  }
  out.resize(used);
  AppendText(out, SongCountText(view.Count()));
  AppendText(out, lineEnd);
}

std::string ReportTitle(std::string_view viewStatus, std::string_view sortStatus) {
  std::string title(viewStatus);
  if (!sortStatus.empty()) {
    title += ", ";
    title += sortStatus;
  }
  return title;
}

ReportPreview MakeReportPreview(const ReportHeading& heading, const tSongList& view) {
  ReportPreview preview{SpacedProductName(), std::string(kProductWebAddress),   heading.dateText,
                        heading.title,       std::string(kReportColumnHeading), {},
                        view.Count()};
  AppendReportLines(view, preview.paneText, "\n");
  return preview;
}

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>((static_cast<long long>(twips) * dpi + 720) / 1440);
}

std::string SavedReportText(const ReportHeading& heading, const tSongList& view) {
  constexpr std::string_view kLineEnd = "\r\n";
  std::string text;
  text.reserve(view.Count() * 64 + 256);
  AppendText(text, SpacedProductName());
  AppendText(text, kLineEnd);
  AppendText(text, kProductWebAddress);
  AppendText(text, kLineEnd);
  AppendText(text, heading.title);
  text += '\t';
  AppendText(text, heading.dateText);
  AppendText(text, kLineEnd);
  AppendText(text, kSavedColumnHeading);
  AppendText(text, kLineEnd);
  AppendReportLines(view, text, kLineEnd);
  return text;
}

void SaveReport(const std::string& path, const ReportHeading& heading, const tSongList& view) {
  WriteFileAtomically(path, SavedReportText(heading, view));
}

}  // namespace tunedex
