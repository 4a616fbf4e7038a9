#include "exchange/logic/gallery_import.h"

#include "common/table_layouts.h"

#include "common/picture_file.h"
#include "common/text_routines.h"

namespace verbalo {

GalleryLine parseGalleryLine(QStringView line) {
    const QString separators(QLatin1Char('='));
    const QString text = line.toString();
    return GalleryLine{getToken(separators, text, 1), getToken(separators, text, 2)};
}

GalleryImporter::GalleryImporter(store::Table& table, QString baseFolder)
    : session_(table), baseFolder_(std::move(baseFolder)), captionField_(requiredField(table, kFirstLanguageColumn)),
      extensionField_(requiredField(table, QStringLiteral("filekit"))) {
    requiredField(table, QStringLiteral("kep"));
}

bool GalleryImporter::addLine(QStringView line) {
    if (failed()) return false;
    const GalleryLine entry = parseGalleryLine(line);
    const QString path = resolvePicturePath(entry.path, baseFolder_);
    if (path.isEmpty()) {
        ++skipped_;
        return true;
    }
    // The picture is read before the row is begun, so that a file that cannot be read stops
    // the import without leaving a row half filled.
    const PictureFileRead picture = readPictureFile(path);
    if (!picture.ok) {
        failure_ = picture.error;
        session_.finish();
        return false;
    }
    const QString extension = fileExtensionWithDot(entry.path);
    session_.storeRow([&](store::Table& table) {
        table.setValue(captionField_, entry.caption);
        table.setValue(extensionField_, extension);
        table.setBlob(QStringLiteral("kep"), picture.bytes);
    });
    return !failed();
}

bool GalleryImporter::finish() {
    session_.finish();
    return !failed();
}

} // namespace verbalo
