// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "catalogue/customfilter.h"

class QWidget;

namespace tunedex {

inline constexpr int kFilterHelpTopic = 9100;

// The "Filter Song-list" dialog on the window's filter: true for OK. The dialog's settings
// become the filter on OK and on Cancel; Apply stores them and runs apply.
bool RunFilterDialog(QWidget* parent, tCustomFilterRec& filter, const std::function<void()>& apply,
                     const std::function<void(int)>& help);

}  // namespace tunedex
