#include "widgets/icons.h"

#include <QBuffer>
#include <QImageReader>

namespace verbalo {

QPixmap pixmapFromIconBytes(const QByteArray& bytes, int size) {
    if (bytes.isEmpty()) return QPixmap();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage best;
    // Multi-image icon files: take the image closest to the wanted size.
    do {
        const QImage img = reader.read();
        if (img.isNull()) break;
        if (best.isNull() || std::abs(img.width() - size) < std::abs(best.width() - size)) best = img;
    } while (reader.jumpToNextImage());
    return best.isNull() ? QPixmap() : QPixmap::fromImage(best);
}

QIcon iconFromBytes(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QIcon();
    QIcon icon;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    do {
        const QImage img = reader.read();
        if (img.isNull()) break;
        icon.addPixmap(QPixmap::fromImage(img));
    } while (reader.jumpToNextImage());
    return icon;
}

QIcon iconFromProgramFolder(const QString& programFolder, const QString& relativePath) {
    const QString path = programFolder + QLatin1Char('/') + relativePath;
    QIcon icon(path);
    return icon.availableSizes().isEmpty() ? QIcon() : icon;
}

} // namespace verbalo
