#include "widgets/default_icons.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace verbalo {

namespace {

QImage blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage paintDictionaryIcon(int size) {
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    // pages
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(250, 248, 235));
    p.drawRoundedRect(QRectF(10, 6, 32, 38), 2, 2);
    // cover
    QLinearGradient cover(6, 4, 38, 42);
    cover.setColorAt(0, QColor(40, 110, 200));
    cover.setColorAt(1, QColor(20, 60, 140));
    p.setBrush(cover);
    p.setPen(QPen(QColor(15, 40, 100), 1.2));
    p.drawRoundedRect(QRectF(6, 4, 32, 38), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRect(QRectF(9, 4, 3, 38));
    p.setPen(QColor(255, 230, 120));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(12, 8, 26, 16), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRectF(12, 22, 26, 16), Qt::AlignCenter, QStringLiteral("Á"));
    return image;
}

QImage paintLanguageIcon(int size) {
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 1.5, 14, 10), 3, 3);
    QPainterPath tail;
    tail.moveTo(4, 11);
    tail.lineTo(3.5, 15);
    tail.lineTo(8, 11);
    tail.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 40), 1));
    p.setBrush(QColor(90, 180, 90));
    p.drawPath(bubble.united(tail));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(4.5 + 3.5 * i, 6.5), 1.1, 1.1);
    return image;
}

QImage paintDownloadIcon(int size) {
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    QRadialGradient globe(QPointF(18, 16), 24);
    globe.setColorAt(0, QColor(140, 200, 255));
    globe.setColorAt(1, QColor(20, 90, 170));
    p.setPen(QPen(QColor(10, 50, 110), 1.2));
    p.setBrush(globe);
    p.drawEllipse(QRectF(4, 4, 34, 34));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(13, 4, 16, 34));
    p.drawLine(QPointF(4, 21), QPointF(38, 21));
    p.drawLine(QPointF(7, 12), QPointF(35, 12));
    p.drawLine(QPointF(7, 30), QPointF(35, 30));
    // arrow
    QPainterPath arrow;
    arrow.moveTo(31, 22);
    arrow.lineTo(39, 22);
    arrow.lineTo(39, 33);
    arrow.lineTo(45, 33);
    arrow.lineTo(35, 45);
    arrow.lineTo(25, 33);
    arrow.lineTo(31, 33);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(120, 60, 0), 1.2));
    p.setBrush(QColor(255, 170, 30));
    p.drawPath(arrow);
    return image;
}

QImage paintProgramsIcon(int size) {
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    const QColor bars[3] = {QColor(200, 60, 60), QColor(230, 160, 30), QColor(50, 150, 70)};
    for (int i = 0; i < 3; ++i) {
        const QRectF r(4 + 7 * i, 4 + 7 * i, 28, 24);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(245, 245, 245));
        p.drawRoundedRect(r, 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(bars[i]);
        p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 5));
    }
    return image;
}

QByteArray iconFileBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) return QByteArray();
    return bytes;
}

} // namespace verbalo
