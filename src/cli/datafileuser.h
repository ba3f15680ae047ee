// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/userinteraction.h"

namespace tunedex::cli {

// The user while a catalogue named on the command line is read: the "Invalid data-file"
// message, which the window shows alone because its caption names the file, is printed with
// the file's name before it ("songs.tdb: Invalid data-file"), since a script may read several.
// Everything else is passed on as it is.
class DataFileUser final : public ForwardingUser {
 public:
  DataFileUser(UserInteraction& user, std::string path)
      : ForwardingUser(user), m_path(std::move(path)) {}

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override;

 private:
  std::string m_path;
};

}  // namespace tunedex::cli
