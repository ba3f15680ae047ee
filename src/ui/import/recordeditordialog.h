// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "catalogue/recordeditor.h"

class QWidget;

namespace tunedex {

// The song record editor: true when it closed with OK and something changed; record and
// lastFolder then hold what the dialog built.
bool RunSongRecordDialog(QWidget* parent, RecordEditorContext context, tSongRecord& record,
                         int mode, std::string& lastFolder, const std::function<void(int)>& help);

}  // namespace tunedex
