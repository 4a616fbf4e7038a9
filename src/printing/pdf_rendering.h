#pragma once

#include "printing/report_painter.h"

namespace verbalo::printing {

struct PdfResult {
    bool ok = false;
    int pages = 0;
    QString error;        // Hungarian, naming the file
    bool stopped = false; // progress stopped it; nothing was written
};

// The layout as a PDF file, A4 portrait, written complete or not at all: a file that cannot be
// written, or a rendering that progress stopped, leaves the one already there as it was.
PdfResult renderPdf(const QString& path, const ReportLayout& layout, RowSource& rows, const QDateTime& printedAt,
                    const PictureDecoder& decodePicture = {}, const PageProgress& progress = {});

} // namespace verbalo::printing
