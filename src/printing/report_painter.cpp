#include "printing/report_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace verbalo::printing {

QString installedFamilyFor(const QString& family) {
    static QHash<QString, QString> chosen;
    auto it = chosen.constFind(family);
    if (it != chosen.constEnd()) return *it;
    QString face = family;
    if (!QFontDatabase::hasFamily(family)) {
        if (family == QLatin1String("Times New Roman"))
            face = QStringLiteral("DejaVu Serif");
        else if (family == QLatin1String("Courier New"))
            face = QStringLiteral("DejaVu Sans Mono");
        else
            face = QStringLiteral("DejaVu Sans");
    }
    return *chosen.insert(family, face);
}

QFont fontFor(const PrintFont& wanted) {
    QFont f(installedFamilyFor(wanted.family));
    f.setPointSizeF(wanted.points);
    f.setBold(wanted.bold);
    f.setItalic(wanted.italic);
    f.setUnderline(wanted.underline);
    return f;
}

namespace {

QString keyOf(const PrintFont& s) {
    return s.family + QLatin1Char('/') + QString::number(s.points) + QLatin1Char(s.bold ? 'b' : '-') +
           QLatin1Char(s.italic ? 'i' : '-') + QLatin1Char(s.underline ? 'u' : '-');
}

Qt::Alignment alignmentOf(HAlign a) {
    switch (a) {
    case HAlign::Center: return Qt::AlignHCenter;
    case HAlign::Right: return Qt::AlignRight;
    case HAlign::Left: break;
    }
    return Qt::AlignLeft;
}

QColor colorOf(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

} // namespace

ReportPainter::ReportPainter(QPaintDevice& device, PictureDecoder decodePicture)
    : device_(device), decodePicture_(std::move(decodePicture)), pixelsPerMm_(device.logicalDpiX() / 25.4) {}

ReportPainter::~ReportPainter() = default;

const QFont& ReportPainter::font(const PrintFont& wanted) {
    const QString key = keyOf(wanted);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.insert(key, fontFor(wanted));
    return *it;
}

const QFontMetricsF& ReportPainter::metrics(const PrintFont& wanted) {
    const QString key = keyOf(wanted);
    auto it = metrics_.find(key);
    if (it == metrics_.end()) it = metrics_.insert(key, std::make_shared<QFontMetricsF>(font(wanted), &device_));
    return **it;
}

double ReportPainter::heightOf(const PrintFont& wanted, const QString& text, double widthMm) {
    const QFontMetricsF& m = metrics(wanted);
    const double width = px(widthMm);
    // Most values are one short line; breaking them into lines would cost the most of a page.
    if (!text.contains(QLatin1Char('\n')) && m.horizontalAdvance(text) <= width) return m.height() / pixelsPerMm_;
    const QRectF r = m.boundingRect(QRectF(0, 0, width, 1e7), Qt::TextWordWrap | Qt::AlignLeft, text);
    return r.height() / pixelsPerMm_;
}

TextMeasure ReportPainter::measure() {
    return [this](const PrintFont& wanted, const QString& text, double widthMm) { return heightOf(wanted, text, widthMm); };
}

void ReportPainter::paint(QPainter& painter, const Page& page) {
    for (const PlacedItem& item : page.items) {
        switch (item.kind) {
        case PlacedItem::Kind::Line: {
            painter.setPen(QPen(colorOf(item.color), px(item.lineWidth)));
            painter.drawLine(QPointF(px(item.x), px(item.y)), QPointF(px(item.x + item.width), px(item.y)));
            break;
        }
        case PlacedItem::Kind::Text: {
            painter.setFont(font(item.font));
            painter.setPen(colorOf(item.color));
            const QRectF rect(px(item.x), px(item.y), px(item.width), px(item.height));
            // A one-line text that fits is drawn at its baseline: laying it out in the rectangle
            // costs several times as much, on every line of a long dictionary.
            if (!item.text.contains(QLatin1Char('\n'))) {
                const QFontMetricsF& m = metrics(item.font);
                const double advance = m.horizontalAdvance(item.text);
                if (advance <= rect.width() || !item.wraps) {
                    double x = rect.left();
                    if (item.align == HAlign::Right) x = rect.right() - advance;
                    if (item.align == HAlign::Center) x = rect.left() + (rect.width() - advance) / 2;
                    painter.drawText(QPointF(x, rect.top() + m.ascent()), item.text);
                    break;
                }
            }
            const int flags = alignmentOf(item.align) | Qt::AlignTop | (item.wraps ? Qt::TextWordWrap : Qt::TextSingleLine);
            painter.drawText(rect, flags, item.text);
            break;
        }
        case PlacedItem::Kind::Picture: {
            const QImage image = decodePicture_ ? decodePicture_(item.picture, item.text) : QImage();
            if (image.isNull()) break;
            // Scaled to fit the square, keeping its proportions, in its middle.
            const QSizeF box(px(item.width), px(item.height));
            const QSizeF size = QSizeF(image.size()).scaled(box, Qt::KeepAspectRatio);
            const QRectF target(px(item.x) + (box.width() - size.width()) / 2, px(item.y) + (box.height() - size.height()) / 2,
                                size.width(), size.height());
            painter.drawImage(target, image);
            break;
        }
        }
    }
}

QImage pageImage(const Page& page, int dotsPerInch, const PictureDecoder& decodePicture) {
    const double pixelsPerMm = dotsPerInch / 25.4;
    QImage image(qRound(kA4Width * pixelsPerMm), qRound(kA4Height * pixelsPerMm), QImage::Format_RGB32);
    // The engine reads the resolution back as whole dots per inch.
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    ReportPainter painter(image, decodePicture);
    painter.paint(p, page);
    p.end();
    return image;
}

void prepareA4(QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

int renderReport(QPagedPaintDevice& device, const ReportLayout& layout, RowSource& rows, const QDateTime& printedAt,
                 const PictureDecoder& decodePicture, const PageProgress& progress) {
    prepareA4(device);
    ReportPainter painter(device, decodePicture);
    ReportPager pager(layout, rows, painter.measure(), printedAt);
    QPainter p;
    if (!p.begin(&device)) return -1;
    int pages = 0;
    while (!pager.atEnd()) {
        if (pages > 0) device.newPage();
        painter.paint(p, pager.nextPage());
        ++pages;
        if (progress && !progress(pages)) {
            pages = 0;
            break;
        }
    }
    // A printer whose job was aborted has ended the painter already.
    if (p.isActive()) p.end();
    return pages;
}

} // namespace verbalo::printing
