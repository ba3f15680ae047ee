// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripteduser.h"

namespace tunedex::test {
namespace {

std::optional<std::string> Take(std::deque<std::optional<std::string>>& queue) {
  if (queue.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

}  // namespace

Button ScriptedUser::ShowMessage(MessageKind kind, std::string_view text,
                                 std::initializer_list<Button> buttons) {
  m_messages.push_back({kind, std::string(text), std::vector<Button>(buttons)});
  if (!m_buttons.empty()) {
    const Button answer = m_buttons.front();
    m_buttons.pop_front();
    return answer;
  }
  return buttons.size() > 0 ? *buttons.begin() : Button::Ok;
}

std::optional<std::string> ScriptedUser::AskOpenFile(const FileDialogRequest& request) {
  m_fileRequests.push_back(request);
  return Take(m_files);
}

std::optional<std::string> ScriptedUser::AskSaveFile(const FileDialogRequest& request) {
  m_fileRequests.push_back(request);
  return Take(m_files);
}

std::optional<std::string> ScriptedUser::AskText(std::string_view, std::string_view,
                                                 std::string_view) {
  return Take(m_texts);
}

bool ScriptedUser::Progress(std::int64_t count, std::string_view text) {
  m_progress.emplace_back(text);
  return m_stopAt < 0 || count < m_stopAt;
}

}  // namespace tunedex::test
