// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tunedex {

// A Windows-style settings file ("[Section]" lines and "key=value" lines) with the semantics of
// private-profile files: sections and keys match without regard to case, surrounding blanks
// are ignored, a value enclosed in one pair of quotes is read without them. Writing a key
// changes its line in place and keeps every other line, comment and the order; a new key goes
// to the end of its section, a new section to the end of the file. Lines that are neither are
// kept and otherwise ignored.
class tIniFile {
 public:
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
  // True when the value is a non-zero integer.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Values are written as given, except that line breaks become blanks.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // 1 or 0

  std::vector<std::string> Sections() const;

 private:
  struct Line {
    std::string text;
    // Parsed form: a section header, a key line, or neither.
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string name;   // section name or key, blanks trimmed
    std::string value;  // key value as read
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const;
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<Line> m_lines;
  std::string m_newline = "\n";
};

}  // namespace tunedex
