// SPDX-License-Identifier: GPL-3.0-or-later
#include "inifile.h"

#include <sys/stat.h>
#include <cerrno>
#include <charconv>

#include "common/fileio.h"

namespace tunedex {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string Lowered(std::string_view name) {
  std::string lowered(name);
  for (char& ch : lowered) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  }
  return lowered;
}

// The part of value between one pair of enclosing quotes, else all of it.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// The key index's key: the section's id, then the key's name in lower case.
std::string KeyIndexKey(std::uint32_t sectionId, std::string_view key) {
  std::string indexKey(reinterpret_cast<const char*>(&sectionId), sizeof sectionId);
  indexKey += Lowered(key);
  return indexKey;
}

std::uint32_t Size32(std::size_t size) {
  return static_cast<std::uint32_t>(size);
}

}  // namespace

std::string TruncatedSettingsWarning(std::string_view path) {
  return "The settings file " + std::string(path) + " is larger than " +
         std::to_string(tIniFile::kMaxSize >> 20) +
         " MB: only its beginning was read, and the rest is ignored.";
}

std::string_view tIniFile::TextOf(const Line& line) const {
  if (line.written) return m_written[line.start];
  return std::string_view(m_source).substr(line.start, line.size);
}

std::uint32_t tIniFile::Append(Line line) {
  const std::uint32_t index = Size32(m_lines.size());
  m_lines.push_back(line);
  if (m_last == kNone) {
    m_first = index;
  } else {
    m_lines[m_last].next = index;
  }
  m_last = index;
  return index;
}

void tIniFile::InsertAfter(std::uint32_t previous, std::uint32_t index) {
  m_lines[index].next = m_lines[previous].next;
  m_lines[previous].next = index;
  if (m_last == previous) m_last = index;
}

// The line at m_source[start, start + size) (without its line break), whose line break ends at
// end. current is the section whose keys are indexed, none before the first header and in a
// repeated section.
void tIniFile::ParseLine(std::uint32_t start, std::uint32_t size, std::uint32_t end,
                         Section*& current) {
  const std::string_view text = std::string_view(m_source).substr(start, size);
  const std::string_view trimmed = Trim(text);
  const auto offset = [&text](std::string_view part) {
    return part.empty() ? 0 : Size32(part.data() - text.data());
  };
  Line line;
  line.start = start;
  line.size = size;
  if (trimmed.size() >= 2 && trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      const std::string_view name = Trim(trimmed.substr(1, close - 1));
      line.kind = Line::Kind::Section;
      line.nameStart = offset(name);
      line.nameSize = Size32(name.size());
      const std::uint32_t index = Append(line);
      const auto [it, added] =
          m_sections.try_emplace(Lowered(name), Section{Size32(m_sections.size()), index});
      current = added ? &it->second : nullptr;
      return;
    }
  } else if (!trimmed.empty() && trimmed.front() != ';') {
    const std::size_t equals = trimmed.find('=');
    if (equals != std::string_view::npos && equals > 0) {
      const std::string_view name = Trim(trimmed.substr(0, equals));
      const std::string_view value = Unquoted(Trim(trimmed.substr(equals + 1)));
      line.kind = Line::Kind::Key;
      line.nameStart = offset(name);
      line.nameSize = Size32(name.size());
      line.valueStart = offset(value);
      line.valueSize = Size32(value.size());
      const std::uint32_t index = Append(line);
      if (current) {
        m_keys.try_emplace(KeyIndexKey(current->id, name), index);
        current->lastKey = index;
      }
      return;
    }
  }
  // Neither: a run of such lines is one Line, up to the end of the last one.
  if (m_last != kNone && m_lines[m_last].kind == Line::Kind::Other) {
    m_lines[m_last].size = end - m_lines[m_last].start;
  } else {
    line.size = end - start;
    Append(line);
  }
}

tIniFile tIniFile::Parse(std::string_view text) {
  tIniFile file;
  if (text.size() > kMaxSize) {
    // Up to the last line break within the bound: no line is read in part unless the first one
    // alone is longer than that.
    const std::size_t lastBreak = text.substr(0, kMaxSize).rfind('\n');
    text = text.substr(0, lastBreak == std::string_view::npos ? kMaxSize : lastBreak + 1);
    file.m_truncated = true;
  }
  if (text.find("\r\n") != std::string_view::npos) file.m_newline = "\r\n";
  file.m_source = std::string(text);
  Section* current = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lineBreak = std::min(text.find('\n', start), text.size());
    std::size_t size = lineBreak - start;
    // A run of other lines ends before its last line break; a line without one ends the text.
    const std::size_t end = lineBreak;
    if (size > 0 && text[start + size - 1] == '\r') --size;
    file.ParseLine(Size32(start), Size32(size), Size32(end), current);
    start = lineBreak + 1;
  }
  return file;
}

tIniFile tIniFile::Load(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) return {};
  // One byte past the bound is enough to know that the rest is ignored.
  const std::vector<std::uint8_t> bytes = ReadFileHead(path, kMaxSize + 1);
  return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string tIniFile::Text() const {
  std::string text;
  text.reserve(m_source.size() + m_source.size() / 8);
  for (std::uint32_t i = m_first; i != kNone; i = m_lines[i].next) {
    const Line& line = m_lines[i];
    std::string_view lines = TextOf(line);
    // A run of other lines holds their line breaks as read; each is written as the file's.
    while (true) {
      const std::size_t lineBreak = lines.find('\n');
      std::string_view one = lines.substr(0, lineBreak);
      if (!one.empty() && one.back() == '\r') one.remove_suffix(1);
      text += one;
      text += m_newline;
      if (lineBreak == std::string_view::npos) break;
      lines.remove_prefix(lineBreak + 1);
    }
  }
  return text;
}

void tIniFile::Save(const std::string& path) const {
  // On a fresh account the settings folder (~/.config/tunedex) does not exist yet; it is the
  // user's own, so nobody else may look into it.
  CreateFolders(FolderPart(path), 0700);
  WriteFileAtomically(path, Text());
}

const tIniFile::Line* tIniFile::FindKey(std::string_view section, std::string_view key) const {
  const auto header = m_sections.find(Lowered(section));
  if (header == m_sections.end()) return nullptr;
  const auto line = m_keys.find(KeyIndexKey(header->second.id, key));
  return line == m_keys.end() ? nullptr : &m_lines[line->second];
}

bool tIniFile::HasKey(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != nullptr;
}

std::string tIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const Line* line = FindKey(section, key);
  return std::string(line ? ValueOf(*line) : defaultValue);
}

int tIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const Line* line = FindKey(section, key);
  if (!line) return defaultValue;
  std::string_view value = ValueOf(*line);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  int result = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
  if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
    return defaultValue;
  }
  return result;
}

int tIniFile::ReadIntegerWithin(std::string_view section, std::string_view key, int smallest,
                                int largest, int defaultValue) const {
  const int value = ReadInteger(section, key, defaultValue);
  return value >= smallest && value <= largest ? value : defaultValue;
}

bool tIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void tIniFile::WriteString(std::string_view section, std::string_view key,
                           std::string_view rawValue) {
  // A line break would end the line early and turn the rest into another key.
  std::string value(rawValue);
  for (char& ch : value) {
    if (ch == '\r' || ch == '\n') ch = ' ';
  }
  auto found = m_sections.find(Lowered(section));
  if (found == m_sections.end()) {
    Line header;
    header.kind = Line::Kind::Section;
    header.written = true;
    header.start = Size32(m_written.size());
    header.nameStart = 1;
    header.nameSize = Size32(section.size());
    m_written.push_back("[" + std::string(section) + "]");
    const std::uint32_t index = Append(header);
    found =
        m_sections.try_emplace(Lowered(section), Section{Size32(m_sections.size()), index}).first;
  }
  const std::string indexKey = KeyIndexKey(found->second.id, key);
  const auto existing = m_keys.find(indexKey);
  // A key read keeps its name as the file spells it.
  const std::string name(existing != m_keys.end() ? NameOf(m_lines[existing->second]) : key);
  Line line;
  line.kind = Line::Kind::Key;
  line.written = true;
  line.nameSize = Size32(name.size());
  line.valueStart = Size32(name.size() + 1);
  line.valueSize = Size32(value.size());
  if (existing != m_keys.end()) {
    Line& old = m_lines[existing->second];
    line.next = old.next;
    if (old.written) {
      line.start = old.start;
      m_written[old.start] = name + "=" + value;
    } else {
      line.start = Size32(m_written.size());
      m_written.push_back(name + "=" + value);
    }
    old = line;
    return;
  }
  // After the section's last key, so blank lines and comments before the next section stay
  // there.
  line.start = Size32(m_written.size());
  m_written.push_back(name + "=" + value);
  const std::uint32_t index = Size32(m_lines.size());
  m_lines.push_back(line);
  InsertAfter(found->second.lastKey, index);
  found->second.lastKey = index;
  m_keys.emplace(indexKey, index);
}

void tIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void tIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> tIniFile::Sections() const {
  std::vector<std::string> names;
  for (std::uint32_t i = m_first; i != kNone; i = m_lines[i].next) {
    if (m_lines[i].kind == Line::Kind::Section) names.emplace_back(NameOf(m_lines[i]));
  }
  return names;
}

}  // namespace tunedex
