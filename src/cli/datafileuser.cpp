// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafileuser.h"

#include "catalogue/database.h"

namespace tunedex::cli {

Button DataFileUser::ShowMessage(MessageKind kind, std::string_view text,
                                 std::initializer_list<Button> buttons) {
  if (text == kInvalidDataFileMessage) {
    return ForwardingUser::ShowMessage(kind, m_path + ": " + std::string(text), buttons);
  }
  return ForwardingUser::ShowMessage(kind, text, buttons);
}

}  // namespace tunedex::cli
