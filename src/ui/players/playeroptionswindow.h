// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include "players/playeroptionsdialog.h"

class QWidget;

namespace tunedex {

// The "Player Options" dialog. On OK the options are stored and the main menu's "&Player in
// Front" tick they imply is returned; on Cancel nothing changes.
std::optional<bool> RunPlayerOptionsDialog(QWidget* parent, tPlayerOptionsDialog::Services services,
                                           tLivePlayerOptions& options,
                                           const std::function<void(int)>& help);

}  // namespace tunedex
