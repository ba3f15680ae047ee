// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tunedex::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tunedex-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Folders a test made read-only must be writable again to be removed. A link is left alone:
  // changing it would change what it leads to, which may be a file of the system.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, ignored)) {
    if (entry.is_symlink(ignored)) continue;
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
  const std::string path = PathOf(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace tunedex::test
