// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/userinteraction.h"

namespace tunedex::test {

// A user whose answers are queued by the test and who records everything shown or asked.
class ScriptedUser : public UserInteraction {
 public:
  struct Message {
    MessageKind kind;
    std::string text;
    std::vector<Button> buttons;
  };

  // Answers, taken in order. A message box with no queued answer gets its first button; a
  // file or text question with none is cancelled.
  void QueueButton(Button button) { m_buttons.push_back(button); }
  void QueueFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
  void QueueText(std::optional<std::string> text) { m_texts.push_back(std::move(text)); }
  void StopAfterProgress(std::int64_t count) { m_stopAt = count; }

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskText(std::string_view caption, std::string_view prompt,
                                     std::string_view initial) override;
  bool Progress(std::int64_t count, std::string_view text) override;

  const std::vector<Message>& Messages() const { return m_messages; }
  const std::vector<FileDialogRequest>& FileRequests() const { return m_fileRequests; }
  const std::vector<std::string>& ProgressTexts() const { return m_progress; }

 private:
  std::deque<Button> m_buttons;
  std::deque<std::optional<std::string>> m_files;
  std::deque<std::optional<std::string>> m_texts;
  std::int64_t m_stopAt = -1;
  std::vector<Message> m_messages;
  std::vector<FileDialogRequest> m_fileRequests;
  std::vector<std::string> m_progress;
};

}  // namespace tunedex::test
