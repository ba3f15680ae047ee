// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "catalogue/songlist.h"
#include "print/pageengine.h"

namespace tunedex {

struct ReportHeading;

// The printouts of a view: the list (the song grid) and the two songbooks handed to the room.
enum class PrintLayout { List, ByArtist, ByTitle };

// The songbook by artist: the artists in the user's collation order as bold headings, each
// artist's titles (in that order too) with their ID codes under it, two columns a page. A
// column that continues an artist begins with the heading again, followed by " (cont.)"; a
// heading never stands alone at the foot of a column. Every page has the report's header and
// footer and the view's title.
PrintDocument LayoutSongbookByArtist(const PageDevice& device, FontMetrics& metrics,
                                     const ReportHeading& heading, const tSongList& view,
                                     const LayoutProgress& progress = {});

// The songbook by title: title, artist and ID code in columns, in the collation order of the
// titles, with a letter heading wherever the first letter changes (a title that does not begin
// with a letter comes under "#").
PrintDocument LayoutSongbookByTitle(const PageDevice& device, FontMetrics& metrics,
                                    const ReportHeading& heading, const tSongList& view,
                                    const LayoutProgress& progress = {});

PrintDocument LayoutPrintout(PrintLayout layout, const PageDevice& device, FontMetrics& metrics,
                             const ReportHeading& heading, const tSongList& view,
                             const LayoutProgress& progress = {});

// The heading a title comes under: its first letter in upper case, or "#".
std::string LetterHeading(const std::string& title);

}  // namespace tunedex
