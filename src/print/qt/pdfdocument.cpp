// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/qt/pdfdocument.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <string_view>

#include "common/fileio.h"
#include "print/qt/qtfontmetrics.h"

namespace tunedex {

PaintResult WritePdf(const std::string& path, const std::string& title,
                     const PrintLayoutStep& layout, const PrintProgress& progress) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("Tunedex"));

    QtFontMetrics metrics(&writer);
    const PrintDocument document = layout(PageDeviceOf(writer), metrics);
    QPainter painter;
    if (!painter.begin(&writer)) {
      throw FileError("Cannot write", path, "the PDF could not be started");
    }
    const PaintResult result = PaintDocument(painter, writer, document, progress);
    painter.end();
    if (result == PaintResult::Cancelled) return result;
  }
  WriteFileAtomically(path,
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return PaintResult::Done;
}

}  // namespace tunedex
