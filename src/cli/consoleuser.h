// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <optional>

#include "common/userinteraction.h"

namespace tunedex::cli {

// The command-line program's user: messages go to standard error, and each question is
// answered with the preferred button when the question offers it, else with its first button.
// File dialogs and text questions are answered "cancel".
class ConsoleUser : public UserInteraction {
 public:
  explicit ConsoleUser(std::FILE* out = stderr, std::optional<Button> preferred = std::nullopt)
      : m_out(out), m_preferred(preferred) {}

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskText(std::string_view caption, std::string_view prompt,
                                     std::string_view initial) override;
  bool Progress(std::int64_t count, std::string_view text) override;

  int MessagesShown() const { return m_messages; }
  int ErrorsShown() const { return m_errors; }

 private:
  std::FILE* m_out;
  std::optional<Button> m_preferred;
  int m_messages = 0;
  int m_errors = 0;
};

// "yes", "no", "ok", "cancel" and the other button names, any case.
std::optional<Button> ButtonFromName(std::string_view name);

}  // namespace tunedex::cli
