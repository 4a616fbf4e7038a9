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

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <memory>

namespace verbalo::printing {

ReportOutput::ReportOutput(FrameServices& frame, ReportLayout layout, store::Table& table, QWidget* owner,
                           PictureDecoder decodePicture)
    : frame_(frame), layout_(std::move(layout)), table_(table), owner_(owner), decodePicture_(std::move(decodePicture)) {}

void ReportOutput::usePrinter(const QString& name) {
    if (QPrinterInfo::availablePrinterNames().contains(name)) printerName_ = name;
}

namespace {

// A window over a long print run: the page being printed and a way to stop. It comes up only
// when the run takes a while, and lets window messages through at most every 30 ms.
class PrintProgress {
public:
    explicit PrintProgress(QWidget* owner) : owner_(owner) { started_.start(); }

    bool pagePainted(int pages) {
        if (shownAt_ < 0 && started_.elapsed() < kShowAfterMillis) return true;
        if (!dialog_) {
            dialog_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Mégsem"), 0, 0, owner_);
            dialog_->setObjectName(QStringLiteral("PrintProgress"));
            dialog_->setWindowTitle(QStringLiteral("Nyomtatás"));
            dialog_->setWindowModality(Qt::ApplicationModal);
            dialog_->setMinimumDuration(0);
            dialog_->show();
            shownAt_ = started_.elapsed();
        }
        if (started_.elapsed() - lastLook_ >= kLookMillis) {
            lastLook_ = started_.elapsed();
            dialog_->setLabelText(QStringLiteral("Nyomtatás: %1. oldal").arg(pages));
            QCoreApplication::processEvents();
        }
        return !dialog_->wasCanceled();
    }

private:
    static constexpr qint64 kShowAfterMillis = 300;
    static constexpr qint64 kLookMillis = 30;
    QWidget* owner_;
    QElapsedTimer started_;
    qint64 shownAt_ = -1;
    qint64 lastLook_ = 0;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace

int ReportOutput::render(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setDocName(layout_.title);
    try {
        store::ReadSpan reading(table_);
        TableRows rows(table_);
        PrintProgress progress(owner_);
        const int pages = renderReport(printer, layout_, rows, QDateTime::currentDateTime(), decodePicture_, [&](int painted) {
            if (progress.pagePainted(painted)) return true;
            // Stopped by the user: nothing of it goes to the printer.
            if (printer.outputFormat() == QPrinter::NativeFormat) printer.abort();
            return false;
        });
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
    // With no printer installed the dialog can only print into a file: offer the one the
    // choice of a PDF file offers, in the documents folder, not the working folder.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(QDir(myDocumentsFolder()).filePath(layout_.title + QStringLiteral(".pdf")));
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
        PrintProgress progress(owner_);
        const PdfResult result = renderPdf(path, layout_, rows, QDateTime::currentDateTime(), decodePicture_,
                                           [&](int painted) { return progress.pagePainted(painted); });
        if (result.ok || result.stopped) return result.ok;
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
