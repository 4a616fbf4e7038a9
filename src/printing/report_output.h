#pragma once

#include "printing/report_painter.h"

#include <QString>

class QPrinter;
class QWidget;

namespace verbalo {

class FrameServices;

namespace store {
class Table;
}

namespace printing {

// One layout over one open table, shown in the preview or printed. Lives for one command.
class ReportOutput {
public:
    ReportOutput(FrameServices& frame, ReportLayout layout, store::Table& table, QWidget* owner,
                 PictureDecoder decodePicture = {});

    // The layout prints on this printer when it is installed; otherwise on the system's default.
    void usePrinter(const QString& name);
    // The modal preview at 80 %, showing page 1 before the rest is laid out; the user prints
    // from it through the print dialog.
    void preview();
    // The print dialog on the layout's printer, then the whole report on what was chosen there;
    // a PDF file chosen in the dialog is written complete or not at all. False when nothing was
    // printed (the message has been shown, or the user cancelled).
    bool printWithDialog(QWidget* parent);
    // Prints at once; with no printer installed, into a PDF file the user chooses. False when
    // nothing was printed (the message has been shown, or the user cancelled the file).
    bool print();
    // Renders into the PDF file; false after the message.
    bool printToPdf(const QString& path);

    const ReportLayout& layout() const { return layout_; }

private:
    int render(QPrinter& printer);
    bool printOn(QPrinter& printer);
    QString choosePdfFile();

    FrameServices& frame_;
    ReportLayout layout_;
    store::Table& table_;
    QWidget* owner_;
    PictureDecoder decodePicture_;
    QString printerName_;
};

} // namespace printing
} // namespace verbalo
