// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "catalogue/songviews.h"
#include "cli/arguments.h"
#include "common/userinteraction.h"

namespace tunedex::cli {

// tunedex-cli report DB [--view V] [--custom-code CODE] [--sort S] [--find TEXT] [--title TEXT]
//                       (-o FILE.txt | --pdf FILE.pdf [--layout list|by-artist|by-title])
// The text report of the shown songs as the print preview saves it, or a printout as PDF.
int RunReport(const Arguments& arguments, UserInteraction& user, std::FILE* out);

// The title the print preview gets for a view: the catalogue window's status texts for the
// view and for the sort key it names ("Showing: All Songs, Sort: Title"); shownSort is the last
// ascending sort code, 0 for none.
std::string DefaultReportTitle(ViewMode mode, std::string_view customLanguageCode, int shownSort);

}  // namespace tunedex::cli
