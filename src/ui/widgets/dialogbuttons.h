// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;
class QWidget;

namespace tunedex {

struct OkCancelButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};

// Adds a row to a dialog's layout: leading (when given) at its left, then "OK" (the default
// button, accepting) and "Cancel" (rejecting, as Escape does) at its right.
OkCancelButtons AddOkCancelRow(QDialog& dialog, QBoxLayout& layout, QWidget* leading = nullptr);

}  // namespace tunedex
