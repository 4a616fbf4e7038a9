#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Stored pictures decoded from memory for the gallery and recipe windows (no temporary file).
namespace verbalo {

// A gallery picture: always read as JPEG, whatever extension the import noted. A null image
// when the bytes are empty or no JPEG.
QImage decodeGalleryPicture(const QByteArray& bytes);

struct DecodedPicture {
    QImage image;
    // Why nothing can be shown although there are bytes ("" when shown or when empty).
    QString problem;
};

// A recipe picture: by its extension (".jpg", ".JPEG", ".png", ".bmp", ".ico"), falling back to
// what the bytes look like; EMF and WMF cannot be drawn here and give a problem text.
DecodedPicture decodeRecipePicture(const QByteArray& bytes, const QString& extension);

} // namespace verbalo
