// Writes the icon files that lie beside the programs (Ico/) and the pictures of the desktop
// entries from the same painting code the programs use for their built-in defaults, so both
// look alike. Run by hand after changing the pictures:
//   tools/icons/make_icons.sh
#include "widgets/default_icons.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

bool writeIcon(const QString& path, const QImage& image) {
    QFile f(path);
    const QByteArray bytes = verbalo::iconFileBytes(image);
    return !bytes.isEmpty() && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The quick finder's picture: the dictionary with a magnifying glass over it.
QImage paintQuickFinderIcon(int size) {
    QImage image = verbalo::paintDictionaryIcon(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    p.setPen(QPen(QColor(60, 40, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(36, 36), QPointF(45, 45));
    p.setPen(QPen(QColor(40, 40, 40), 2.5));
    p.setBrush(QColor(220, 240, 255, 170));
    p.drawEllipse(QPointF(29, 29), 10, 10);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons REPO_ROOT\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = writeIcon(root + QStringLiteral("/Ico/Default16.ico"), verbalo::paintLanguageIcon(16));
    ok &= writeIcon(root + QStringLiteral("/Ico/default48.ico"), verbalo::paintDictionaryIcon(48));
    ok &= writeIcon(root + QStringLiteral("/Ico/database48.ico"), verbalo::paintDownloadIcon(48));
    ok &= writeIcon(root + QStringLiteral("/Ico/szotarikon48.ico"), verbalo::paintProgramsIcon(48));
    ok &= writeIcon(root + QStringLiteral("/Ico/verbalo9.ico"), verbalo::paintDictionaryIcon(48));
    ok &= writeIcon(root + QStringLiteral("/Ico/quickor.ico"), paintQuickFinderIcon(48));
    ok &= verbalo::paintDictionaryIcon(128).save(root + QStringLiteral("/Ico/verbalo9.png"));
    ok &= paintQuickFinderIcon(128).save(root + QStringLiteral("/Ico/quickor.png"));
    return ok ? 0 : 1;
}
