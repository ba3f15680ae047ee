// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tunedex::cli {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command line split into positional words and "--name value" options. Every option takes a
// value except the flags named when parsing.
class Arguments {
 public:
  Arguments(const std::vector<std::string>& words, const std::vector<std::string>& flags);

  const std::vector<std::string>& Positional() const { return m_positional; }
  std::optional<std::string> Option(const std::string& name) const;
  bool Flag(const std::string& name) const { return m_options.count(name) > 0; }
  // Fails with a UsageError naming the first option that is not one of these.
  void AllowOnly(const std::vector<std::string>& names) const;

 private:
  std::vector<std::string> m_positional;
  std::map<std::string, std::string> m_options;
};

}  // namespace tunedex::cli
