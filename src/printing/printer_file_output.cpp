#include "printing/printer_file_output.h"

#include "common/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

namespace verbalo::printing {

namespace {

constexpr qint64 kChunk = 1 << 20;

QString failedFile(const QString& path, const QString& reason) {
    return QStringLiteral("A PDF állomány nem készíthető el: %1\r\n%2").arg(QDir::toNativeSeparators(path), reason);
}

// A PDF file ends with its end-of-file marker; one cut short by a full disk does not.
bool endsLikePdf(QFile& file) {
    if (file.size() < 16) return false;
    if (!file.seek(0) || file.read(5) != "%PDF-") return false;
    if (!file.seek(file.size() - 16)) return false;
    return file.read(16).contains("%%EOF");
}

} // namespace

PrinterOutcome paintOnPrinter(QPrinter& printer, const QString& tempFolder, const std::function<bool(QPrinter&)>& paint) {
    const QString target = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || target.isEmpty()) return {paint(printer), QString()};

    QDir().mkpath(tempFolder);
    QTemporaryDir temp(QDir(tempFolder).filePath(QStringLiteral("nyomtatas-XXXXXX")));
    if (!temp.isValid())
        return {false, failedFile(target, QStringLiteral("Az ideiglenes mappa nem hozható létre: %1").arg(tempFolder))};
    const QString painted = temp.filePath(QStringLiteral("nyomtatas.pdf"));
    printer.setOutputFileName(painted);
    const bool ok = paint(printer);
    // The printer keeps the name the user chose, for a dialog opened on it again.
    printer.setOutputFileName(target);
    if (!ok) return {false, QString()};

    QFile source(painted);
    if (!source.open(QIODevice::ReadOnly) || !endsLikePdf(source))
        return {false, failedFile(target, QStringLiteral("a nyomtatás nem készült el teljesen (%1).").arg(painted))};
    source.seek(0);
    SafeFileWriter writer(target);
    bool written = writer.open();
    while (written && !source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty()) {
            return {false, failedFile(target, QStringLiteral("az ideiglenes állomány nem olvasható: %1").arg(source.errorString()))};
        }
        written = writer.write(chunk);
    }
    if (written) written = writer.commit();
    if (!written) return {false, writer.errorString()};
    return {true, QString()};
}

} // namespace verbalo::printing
