#include "printing/report_output.h"

#include "common/folders.h"
#include "common/messages.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "printing/logic/paged_report.h"
#include "printing/pdf_rendering.h"
#include "printing/printer_file_output.h"
#include "printing/report_preview_window.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"

#include <QDateTime>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace verbalo::printing {

ReportOutput::ReportOutput(FrameServices& frame, ReportLayout layout, store::Table& table, QWidget* owner,
                           PictureDecoder decodePicture)
    : frame_(frame), layout_(std::move(layout)), table_(table), owner_(owner), decodePicture_(std::move(decodePicture)) {}

void ReportOutput::usePrinter(const QString& name) {
    if (QPrinterInfo::availablePrinterNames().contains(name)) printerName_ = name;
}

int ReportOutput::render(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setDocName(layout_.title);
    try {
        store::ReadSpan reading(table_);
        TableRows rows(table_);
        const int pages = renderReport(printer, layout_, rows, QDateTime::currentDateTime(), decodePicture_);
        if (pages < 0) showError(QStringLiteral("A nyomtatás nem indítható: %1").arg(printer.printerName()), owner_);
        return pages;
    } catch (const store::StoreError& e) {
        showStoreError(e, table_.tableName(), owner_);
    }
    return 0;
}

void ReportOutput::preview() {
    // Text is measured on the printer, as printing measures it, so that the preview's pages
    // break where the printed ones will.
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName_.isEmpty()) printer.setPrinterName(printerName_);
    printer.setFullPage(true);
    prepareA4(printer);
    ReportPainter measuring(printer, decodePicture_);
    TableRows rows(table_);
    PagedReport report(layout_, rows, measuring.measure(), QDateTime::currentDateTime());
    // The table is read under its lock only while a piece of the layout is made, so that the
    // other program can write while the preview is open.
    const auto reading = [this](const std::function<void()>& work) {
        try {
            store::ReadSpan span(table_);
            work();
            return true;
        } catch (const store::StoreError& e) {
            showStoreError(e, table_.tableName(), owner_);
        }
        return false;
    };
    QWidget* window = nullptr;
    ReportPreviewWindow preview(frame_, layout_.title, report, reading, decodePicture_,
                                [this, &window] { return printWithDialog(window); }, owner_);
    window = &preview;
    preview.exec();
}

bool ReportOutput::printWithDialog(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName_.isEmpty()) printer.setPrinterName(printerName_);
    printer.setDocName(layout_.title);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // The report prints whole: there is no selection, and the page count may not be known yet.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    return printOn(printer);
}

bool ReportOutput::printOn(QPrinter& printer) {
    const PrinterOutcome outcome =
        paintOnPrinter(printer, frame_.folders().tempFolder(), [this](QPrinter& p) { return render(p) > 0; });
    if (!outcome.error.isEmpty()) showError(QStringLiteral("A nyomtatás nem sikerült:\r\n") + outcome.error, owner_);
    return outcome.printed;
}

bool ReportOutput::print() {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        const QString path = choosePdfFile();
        return !path.isEmpty() && printToPdf(path);
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName_.isEmpty()) printer.setPrinterName(printerName_);
    if (!printer.isValid()) {
        showError(QStringLiteral("A nyomtató nem érhető el: %1").arg(printer.printerName()), owner_);
        return false;
    }
    return printOn(printer);
}

bool ReportOutput::printToPdf(const QString& path) {
    try {
        store::ReadSpan reading(table_);
        TableRows rows(table_);
        const PdfResult result = renderPdf(path, layout_, rows, QDateTime::currentDateTime(), decodePicture_);
        if (result.ok) return true;
        showError(QStringLiteral("A nyomtatás nem sikerült:\r\n") + result.error, owner_);
    } catch (const store::StoreError& e) {
        showStoreError(e, table_.tableName(), owner_);
    }
    return false;
}

QString ReportOutput::choosePdfFile() {
    QFileDialog dialog(owner_, QStringLiteral("Nyomtatás PDF állományba"));
    dialog.setObjectName(QStringLiteral("PdfFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(myDocumentsFolder());
    dialog.selectFile(layout_.title + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

} // namespace verbalo::printing
