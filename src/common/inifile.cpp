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

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

tIniFile tIniFile::Parse(std::string_view text) {
  tIniFile file;
  if (text.find("\r\n") != std::string_view::npos) file.m_newline = "\r\n";
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    Line line;
    line.text = std::string(raw);
    const std::string_view trimmed = Trim(raw);
    if (trimmed.size() >= 2 && trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      if (close != std::string_view::npos) {
        line.kind = Line::Kind::Section;
        line.name = std::string(Trim(trimmed.substr(1, close - 1)));
      }
    } else if (!trimmed.empty() && trimmed.front() != ';') {
      const std::size_t equals = trimmed.find('=');
      if (equals != std::string_view::npos && equals > 0) {
        line.kind = Line::Kind::Key;
        line.name = std::string(Trim(trimmed.substr(0, equals)));
        line.value = Unquote(Trim(trimmed.substr(equals + 1)));
      }
    }
    file.m_lines.push_back(std::move(line));
  }
  return file;
}

tIniFile tIniFile::Load(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) return {};
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string tIniFile::Text() const {
  std::string text;
  for (const Line& line : m_lines) {
    text += line.text;
    text += m_newline;
  }
  return text;
}

void tIniFile::Save(const std::string& path) const {
  // On a fresh account the settings folder (~/.config/tunedex) does not exist yet; it is the
  // user's own, so nobody else may look into it.
  CreateFolders(FolderPart(path), 0700);
  WriteFileAtomically(path, Text());
}

std::optional<std::size_t> tIniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind == Line::Kind::Section && SameName(m_lines[i].name, section)) return i;
  }
  return std::nullopt;
}

std::size_t tIniFile::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < m_lines.size() && m_lines[end].kind != Line::Kind::Section) ++end;
  return end;
}

std::optional<std::size_t> tIniFile::FindKey(std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return std::nullopt;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (m_lines[i].kind == Line::Kind::Key && SameName(m_lines[i].name, key)) return i;
  }
  return std::nullopt;
}

bool tIniFile::HasKey(std::string_view section, std::string_view key) const {
  return FindKey(section, key).has_value();
}

std::string tIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const std::optional<std::size_t> line = FindKey(section, key);
  return line ? m_lines[*line].value : std::string(defaultValue);
}

int tIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const std::optional<std::size_t> line = FindKey(section, key);
  if (!line) return defaultValue;
  std::string_view value = m_lines[*line].value;
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  int result = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
  if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
    return defaultValue;
  }
  return result;
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
  if (const std::optional<std::size_t> existing = FindKey(section, key)) {
    Line& line = m_lines[*existing];
    line.value = std::string(value);
    line.text = line.name + "=" + line.value;
    return;
  }
  Line line;
  line.kind = Line::Kind::Key;
  line.name = std::string(key);
  line.value = std::string(value);
  line.text = line.name + "=" + line.value;

  std::optional<std::size_t> header = FindSection(section);
  if (!header) {
    Line sectionLine;
    sectionLine.kind = Line::Kind::Section;
    sectionLine.name = std::string(section);
    sectionLine.text = "[" + sectionLine.name + "]";
    m_lines.push_back(std::move(sectionLine));
    m_lines.push_back(std::move(line));
    return;
  }
  // After the section's last key, so blank lines and comments before the next section stay there.
  std::size_t at = *header + 1;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (m_lines[i].kind == Line::Kind::Key) at = i + 1;
  }
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void tIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void tIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> tIniFile::Sections() const {
  std::vector<std::string> names;
  for (const Line& line : m_lines) {
    if (line.kind == Line::Kind::Section) names.push_back(line.name);
  }
  return names;
}

}  // namespace tunedex
