#include "printing/report_output.h"

#include "common/folders.h"
#include "common/messages.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "printing/pdf_rendering.h"
#include "widgets/store_messages.h"

#include <QDateTime>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

namespace verbalo::printing {

namespace {

constexpr double kPreviewZoom = 0.8;

} // namespace

ReportOutput::ReportOutput(ReportLayout layout, store::Table& table, QWidget* owner, PictureDecoder decodePicture)
    : layout_(std::move(layout)), table_(table), owner_(owner), decodePicture_(std::move(decodePicture)) {}

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
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName_.isEmpty()) printer.setPrinterName(printerName_);
    QPrintPreviewDialog dialog(&printer, owner_);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(layout_.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* p) { render(*p); });
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>()) view->setZoomFactor(kPreviewZoom);
    dialog.exec();
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
    return render(printer) > 0;
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
