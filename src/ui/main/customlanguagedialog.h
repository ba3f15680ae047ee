// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include "catalogue/customlanguage.h"

class QWidget;

namespace tunedex {

inline constexpr int kCustomLanguageHelpTopic = 9000;

// "Select Custom Language": the choice on OK, nothing on Cancel.
std::optional<CustomLanguageChoice> RunCustomLanguageDialog(QWidget* parent,
                                                            const tCustomLanguage& current,
                                                            const std::function<void(int)>& help);

}  // namespace tunedex
