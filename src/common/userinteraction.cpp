// SPDX-License-Identifier: GPL-3.0-or-later
#include "userinteraction.h"

namespace tunedex {

std::string_view ButtonName(Button button) {
  switch (button) {
    case Button::Ok:
      return "OK";
    case Button::Cancel:
      return "Cancel";
    case Button::Yes:
      return "Yes";
    case Button::No:
      return "No";
    case Button::Abort:
      return "Abort";
    case Button::Retry:
      return "Retry";
    case Button::Ignore:
      return "Ignore";
    case Button::All:
      return "All";
    case Button::YesToAll:
      return "Yes to All";
    case Button::NoToAll:
      return "No to All";
    case Button::Help:
      return "Help";
  }
  return {};
}

}  // namespace tunedex
