// SPDX-License-Identifier: GPL-3.0-or-later
#include "consoleuser.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace tunedex::cli {
namespace {

std::string_view KindLabel(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
      return "error";
    case MessageKind::Warning:
      return "warning";
    case MessageKind::Information:
      return "information";
    case MessageKind::Confirmation:
      return "question";
  }
  return {};
}

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  }
  return out;
}

}  // namespace

std::optional<Button> ButtonFromName(std::string_view name) {
  for (Button button :
       {Button::Ok, Button::Cancel, Button::Yes, Button::No, Button::Abort, Button::Retry,
        Button::Ignore, Button::All, Button::YesToAll, Button::NoToAll, Button::Help}) {
    if (Lowered(ButtonName(button)) == Lowered(name)) return button;
  }
  return std::nullopt;
}

Button ConsoleUser::ShowMessage(MessageKind kind, std::string_view text,
                                std::initializer_list<Button> buttons) {
  ++m_messages;
  if (kind == MessageKind::Error) ++m_errors;
  std::string shown(text);
  std::replace(shown.begin(), shown.end(), '\r', '\n');
  std::fprintf(m_out, "tunedex-cli: %.*s: %s\n", static_cast<int>(KindLabel(kind).size()),
               KindLabel(kind).data(), shown.c_str());
  Button answer = buttons.size() > 0 ? *buttons.begin() : Button::Ok;
  if (m_preferred && std::find(buttons.begin(), buttons.end(), *m_preferred) != buttons.end()) {
    answer = *m_preferred;
  }
  if (buttons.size() > 1) {
    const std::string_view name = ButtonName(answer);
    std::fprintf(m_out, "tunedex-cli: answered %.*s\n", static_cast<int>(name.size()), name.data());
  }
  return answer;
}

std::optional<std::string> ConsoleUser::AskOpenFile(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<std::string> ConsoleUser::AskSaveFile(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<std::string> ConsoleUser::AskText(std::string_view, std::string_view,
                                                std::string_view) {
  return std::nullopt;
}

bool ConsoleUser::Progress(std::int64_t count, std::string_view text) {
  if (::isatty(::fileno(m_out))) {
    std::fprintf(m_out, "\r%lld %.*s\033[K", static_cast<long long>(count),
                 static_cast<int>(text.size()), text.data());
    std::fflush(m_out);
  }
  return true;
}

}  // namespace tunedex::cli
