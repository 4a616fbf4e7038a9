#pragma once

#include "exchange/logic/import_session.h"

#include <QString>
#include <QStringView>

namespace verbalo {

// The image gallery text format: one picture a line, "caption=path"; a third field and later
// ones are ignored. Neither part is trimmed, and neither can hold "=".
struct GalleryLine {
    QString caption;
    QString path;
};
GalleryLine parseGalleryLine(QStringView line);

// Stores the pictures of a gallery file in a gallery table, one new row per line whose path
// names an existing file: nyelv1 the caption, kep the file's bytes unchanged, filekit the
// extension of the path as written. A line naming no file (empty lines, lines without "=",
// comments) is skipped; a row the table refuses (a caption that exists) is counted as refused
// and the import goes on. A picture file that exists but cannot be read stops the import, as
// a failing store does; the rows before it stay stored.
class GalleryImporter {
public:
    // Relative paths are looked for in baseFolder (the folder of the gallery file) first, then
    // in the current folder. Throws store::StoreError when the table has no gallery columns.
    GalleryImporter(store::Table& table, QString baseFolder);

    // False once the import has stopped.
    bool addLine(QStringView line);
    // Commits; false when the import stopped (failure() says why).
    bool finish();
    bool failed() const { return !failure_.isEmpty() || session_.failed(); }
    QString failure() const { return failure_.isEmpty() ? session_.failure() : failure_; }
    const ImportCounts& counts() const { return session_.counts(); }
    // Lines that named no existing picture file.
    qint64 skipped() const { return skipped_; }

private:
    ImportSession session_;
    QString baseFolder_;
    int captionField_ = -1;
    int extensionField_ = -1;
    qint64 skipped_ = 0;
    QString failure_;
};

} // namespace verbalo
