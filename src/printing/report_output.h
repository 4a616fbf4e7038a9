#pragma once

#include "printing/report_painter.h"

#include <QString>

class QPrinter;
class QWidget;

namespace verbalo {

namespace store {
class Table;
}

namespace printing {

// One layout over one open table, shown in the preview or printed. Lives for one command.
class ReportOutput {
public:
    ReportOutput(ReportLayout layout, store::Table& table, QWidget* owner, PictureDecoder decodePicture = {});

    // The layout prints on this printer when it is installed; otherwise on the system's default.
    void usePrinter(const QString& name);
    // The modal preview at 80 %; the user prints from it.
    void preview();
    // Prints at once; with no printer installed, into a PDF file the user chooses. False when
    // nothing was printed (the message has been shown, or the user cancelled the file).
    bool print();
    // Renders into the PDF file; false after the message.
    bool printToPdf(const QString& path);

    const ReportLayout& layout() const { return layout_; }

private:
    int render(QPrinter& printer);
    QString choosePdfFile();

    ReportLayout layout_;
    store::Table& table_;
    QWidget* owner_;
    PictureDecoder decodePicture_;
    QString printerName_;
};

} // namespace printing
} // namespace verbalo
