// SPDX-License-Identifier: GPL-3.0-or-later
#include "arguments.h"

#include <algorithm>

namespace tunedex::cli {

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<std::string>& flags) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word.size() < 3 || word.rfind("--", 0) != 0) {
      if (word == "--") {
        optionsEnded = true;
        continue;
      }
      m_positional.push_back(word);
      continue;
    }
    std::string name = word.substr(2);
    std::string value;
    if (const std::size_t equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    } else if (std::find(flags.begin(), flags.end(), name) == flags.end()) {
      if (i + 1 >= words.size()) throw UsageError("option --" + name + " needs a value");
      value = words[++i];
    }
    m_options[name] = value;
  }
}

std::optional<std::string> Arguments::Option(const std::string& name) const {
  const auto it = m_options.find(name);
  if (it == m_options.end()) return std::nullopt;
  return it->second;
}

void Arguments::AllowOnly(const std::vector<std::string>& names) const {
  for (const auto& [name, value] : m_options) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      throw UsageError("unknown option --" + name);
    }
  }
}

}  // namespace tunedex::cli
