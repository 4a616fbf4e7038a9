#include "printing/pdf_rendering.h"

#include "common/safe_file_writer.h"

#include <QBuffer>
#include <QPdfWriter>

namespace verbalo::printing {

namespace {

// Fine enough for 6-point footers, coarse enough to keep the coordinates short.
constexpr int kPdfResolution = 600;

} // namespace

PdfResult renderPdf(const QString& path, const ReportLayout& layout, RowSource& rows, const QDateTime& printedAt,
                    const PictureDecoder& decodePicture, const PageProgress& progress) {
    PdfResult result;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("Verbalo9"));
        writer.setTitle(layout.title);
        result.pages = renderReport(writer, layout, rows, printedAt, decodePicture, progress);
    }
    buffer.close();
    if (result.pages == 0) {
        result.stopped = true;
        return result;
    }
    if (result.pages < 0) {
        result.error = QStringLiteral("A PDF állomány nem készíthető el: %1").arg(path);
        return result;
    }
    const FileWriteResult written = writeFileSafely(path, buffer.data());
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

} // namespace verbalo::printing
