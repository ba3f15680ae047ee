// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tunedex {

// A Windows-style settings file ("[Section]" lines and "key=value" lines) with the semantics of
// private-profile files: sections and keys match without regard to case, surrounding blanks
// are ignored, a value enclosed in one pair of quotes is read without them. Writing a key
// changes its line in place and keeps every other line, comment and the order; a new key goes
// to the end of its section, a new section to the end of the file. Lines that are neither are
// kept and otherwise ignored.
//
// Reading costs time in proportion to the text and memory in proportion to its key and section
// lines (a run of other lines is kept as one piece); a key is found through an index by section
// and key. Only the first kMaxSize bytes of a text are read, up to the last line break within
// them; the rest is ignored, and Truncated() tells so.
class tIniFile {
 public:
  // A settings file is a few kilobytes; this is far beyond any made by hand or by the program.
  static constexpr std::size_t kMaxSize = 4 << 20;

  tIniFile() = default;

  static tIniFile Parse(std::string_view text);
  // A file that does not exist gives an empty settings file; one that cannot be read throws.
  static tIniFile Load(const std::string& path);

  std::string Text() const;
  // Writes atomically, creating missing folders (mode 0700) on the way; throws FileError and
  // leaves the old file as it was.
  void Save(const std::string& path) const;

  bool HasKey(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal, optionally signed; anything else (or out of range) gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // The same, where a value outside smallest..largest (damage, not choice) reads as the default.
  int ReadIntegerWithin(std::string_view section, std::string_view key, int smallest, int largest,
                        int defaultValue) const;
  // True when the value is a non-zero integer.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Values are written as given, except that line breaks become blanks.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // 1 or 0

  std::vector<std::string> Sections() const;

  // True when the text was longer than kMaxSize and its end was ignored.
  bool Truncated() const { return m_truncated; }

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  // A line, or a run of lines that are neither section headers nor keys, kept as one. Lines
  // form a list in file order through next, so a written key goes in without moving any.
  struct Line {
    enum class Kind : std::uint8_t { Other, Section, Key };
    Kind kind = Kind::Other;
    bool written = false;  // the text is m_written[start], else m_source's bytes at start
    std::uint32_t start = 0, size = 0;
    // Where the section name or key (blanks trimmed) and the key's value (as read) lie in the
    // line's text.
    std::uint32_t nameStart = 0, nameSize = 0, valueStart = 0, valueSize = 0;
    std::uint32_t next = kNone;
  };

  // The first section of a name; a later one of the same name is kept but never read.
  struct Section {
    std::uint32_t id = 0;       // its number in the key index
    std::uint32_t lastKey = 0;  // the line after which a new key goes
  };

  std::string_view TextOf(const Line& line) const;
  std::string_view NameOf(const Line& line) const {
    return TextOf(line).substr(line.nameStart, line.nameSize);
  }
  std::string_view ValueOf(const Line& line) const {
    return TextOf(line).substr(line.valueStart, line.valueSize);
  }
  void ParseLine(std::uint32_t start, std::uint32_t size, std::uint32_t end, Section*& current);
  std::uint32_t Append(Line line);
  void InsertAfter(std::uint32_t previous, std::uint32_t index);
  const Line* FindKey(std::string_view section, std::string_view key) const;

  std::string m_source;                // the text read
  std::vector<std::string> m_written;  // the texts of lines written since
  std::vector<Line> m_lines;
  std::uint32_t m_first = kNone, m_last = kNone;
  std::unordered_map<std::string, Section> m_sections;  // by name in lower case
  // Each key's first line, by its section's id (four bytes) and its name in lower case.
  std::unordered_map<std::string, std::uint32_t> m_keys;
  std::string m_newline = "\n";
  bool m_truncated = false;
};

// The warning for a settings file that was read only in part.
std::string TruncatedSettingsWarning(std::string_view path);

}  // namespace tunedex
