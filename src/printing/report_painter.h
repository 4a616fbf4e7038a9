#pragma once

#include "printing/logic/report_pager.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <functional>
#include <memory>

class QFontMetricsF;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace verbalo::printing {

// Turns a picture's stored bytes and file extension into an image; a null image draws nothing.
using PictureDecoder = std::function<QImage(const QByteArray& bytes, const QString& extension)>;

// The face a layout's font is drawn in. Tahoma, Arial, Times New Roman and Courier New are
// Windows faces: where they are not installed, DejaVu Sans, DejaVu Serif and DejaVu Sans Mono
// stand in for them.
QString installedFamilyFor(const QString& family);
QFont fontFor(const PrintFont& wanted);

// Measures and paints the pager's pages on one paint device, in that device's resolution.
class ReportPainter {
public:
    explicit ReportPainter(QPaintDevice& device, PictureDecoder decodePicture = {});
    ~ReportPainter();

    TextMeasure measure();
    void paint(QPainter& painter, const Page& page);

private:
    const QFont& font(const PrintFont& wanted);
    const QFontMetricsF& metrics(const PrintFont& wanted);
    double heightOf(const PrintFont& wanted, const QString& text, double widthMm);
    double px(double mm) const { return mm * pixelsPerMm_; }

    QPaintDevice& device_;
    PictureDecoder decodePicture_;
    double pixelsPerMm_;
    QHash<QString, QFont> fonts_;
    QHash<QString, std::shared_ptr<QFontMetricsF>> metrics_;
};

// The page as a white A4 image at a whole number of dots per inch, as the preview shows it.
QImage pageImage(const Page& page, int dotsPerInch, const PictureDecoder& decodePicture = {});

// A4 portrait with no margins of the device's own: the layouts place everything from the
// paper's edge, margins included.
void prepareA4(QPagedPaintDevice& device);

// Told after each page painted, with the number of pages so far; false stops the rendering.
using PageProgress = std::function<bool(int pagesPainted)>;

// Every page of the layout on the device, which the painter has not begun yet; the number of
// pages, -1 when the device cannot be painted on (a printer that went away), 0 when progress
// stopped it. A new page is started before every page but the first.
int renderReport(QPagedPaintDevice& device, const ReportLayout& layout, RowSource& rows, const QDateTime& printedAt,
                 const PictureDecoder& decodePicture = {}, const PageProgress& progress = {});

} // namespace verbalo::printing
