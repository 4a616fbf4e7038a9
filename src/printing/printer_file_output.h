#pragma once

#include <QString>
#include <functional>

class QPrinter;

namespace verbalo::printing {

struct PrinterOutcome {
    bool printed = false;
    // Hungarian, for a failure of the file the printer was to write; empty when painting
    // failed (the painter has said why) or when all went well.
    QString error;
};

// Paints on the printer. A printer set to print into a PDF file (as the print dialog's "print
// to file" sets it) writes into a temporary file in tempFolder instead, and the chosen file
// gets those bytes through the shared writer only when paint returned true and the temporary
// file is a complete PDF; otherwise the file already there stays as it was.
PrinterOutcome paintOnPrinter(QPrinter& printer, const QString& tempFolder, const std::function<bool(QPrinter&)>& paint);

} // namespace verbalo::printing
