// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "print/pageengine.h"

class QPainter;
class QPagedPaintDevice;

namespace tunedex {

// The page of a paged device (a printer, a PDF writer) in its pixels, for the page engine. The
// engine's margins are measured from the paper's edge: a QPrinter needs setFullPage(true), a
// QPdfWriter page margins of 0.
PageDevice PageDeviceOf(const QPagedPaintDevice& device);

// Paints one page's drawing operations; the painter's coordinates are the device's pixels.
void PaintPage(QPainter& painter, const PrintPage& page);

// Told after each page painted (done of total); returns false to stop.
using PrintProgress = std::function<bool(int done, int total)>;

enum class PaintResult { Done, Cancelled };

// Paints every page of a document on an active painter over device, starting a new page of
// the device between pages; stops when progress says so.
PaintResult PaintDocument(QPainter& painter, QPagedPaintDevice& device,
                          const PrintDocument& document, const PrintProgress& progress = {});

}  // namespace tunedex
