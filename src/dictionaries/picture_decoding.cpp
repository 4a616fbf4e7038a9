#include "dictionaries/picture_decoding.h"

namespace verbalo {

namespace {

// The reader format of an extension; nullptr when the bytes must be sniffed.
const char* formatOfExtension(const QString& extension) {
    const QString e = extension.toLower();
    if (e == QLatin1String(".jpg") || e == QLatin1String(".jpeg")) return "JPG";
    if (e == QLatin1String(".png")) return "PNG";
    if (e == QLatin1String(".bmp")) return "BMP";
    if (e == QLatin1String(".ico")) return "ICO";
    return nullptr;
}

bool isMetafile(const QString& extension) {
    const QString e = extension.toLower();
    return e == QLatin1String(".emf") || e == QLatin1String(".wmf");
}

} // namespace

QImage decodeGalleryPicture(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QImage();
    return QImage::fromData(bytes, "JPG");
}

DecodedPicture decodeRecipePicture(const QByteArray& bytes, const QString& extension) {
    DecodedPicture result;
    if (bytes.isEmpty()) return result;
    if (isMetafile(extension)) {
        result.problem = QStringLiteral("A recept képe (%1) ebben a programban nem jeleníthető meg.").arg(extension);
        return result;
    }
    if (const char* format = formatOfExtension(extension)) result.image = QImage::fromData(bytes, format);
    // An extension that does not match the bytes (a PNG saved as .jpg) is common enough.
    if (result.image.isNull()) result.image = QImage::fromData(bytes);
    if (result.image.isNull()) result.problem = QStringLiteral("A recept képe nem olvasható.");
    return result;
}

} // namespace verbalo
