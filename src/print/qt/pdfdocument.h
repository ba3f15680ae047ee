// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "print/pageengine.h"
#include "print/qt/pagepainter.h"

namespace tunedex {

// Lays a document out for a device and its text measures.
using PrintLayoutStep = std::function<PrintDocument(const PageDevice&, FontMetrics&)>;

// Writes a document to a PDF file of A4 pages at 600 dots per inch, titled title: the layout
// is made for that device, the pages are painted into memory and the file is replaced
// atomically once all are there, so a cancelled or failed write leaves an existing file as it
// was. Throws FileError when the file cannot be written.
PaintResult WritePdf(const std::string& path, const std::string& title,
                     const PrintLayoutStep& layout, const PrintProgress& progress = {});

}  // namespace tunedex
