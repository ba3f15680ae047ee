// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/userinteraction.h"

namespace tunedex::cli {

// The user while a catalogue named on the command line is read: the "Invalid data-file"
// message, which the window shows alone because its caption names the file, is printed with
// the file's name before it ("songs.tdb: Invalid data-file"), since a script may read several.
// Everything else is passed on as it is.
class DataFileUser final : public UserInteraction {
 public:
  DataFileUser(UserInteraction& user, std::string path) : m_user(user), m_path(std::move(path)) {}

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override {
    return m_user.AskOpenFile(request);
  }
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
    return m_user.AskSaveFile(request);
  }
  std::optional<std::string> AskText(std::string_view caption, std::string_view prompt,
                                     std::string_view initial) override {
    return m_user.AskText(caption, prompt, initial);
  }
  bool Progress(std::int64_t count, std::string_view text) override {
    return m_user.Progress(count, text);
  }

 private:
  UserInteraction& m_user;
  std::string m_path;
};

}  // namespace tunedex::cli
