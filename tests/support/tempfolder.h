// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tunedex::test {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string PathOf(std::string_view name) const { return m_path + "/" + std::string(name); }
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::string m_path;
};

std::string ReadFileText(const std::string& path);

}  // namespace tunedex::test
