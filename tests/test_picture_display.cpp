// The picture fitting rule, decoding stored pictures from memory, and the picture panel that
// places its picture control by the rule.

#include "dictionaries/logic/picture_fit.h"
#include "dictionaries/picture_decoding.h"
#include "dictionaries/picture_panel.h"

#include <QBuffer>
#include <QLabel>
#include <QTest>

using namespace verbalo;

namespace {

QByteArray pictureBytes(int width, int height, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestPictureDisplay : public QObject {
    Q_OBJECT

private slots:
    void fitting_data();
    void fitting();
    void recipeDecoding_data();
    void recipeDecoding();
    void galleryDecodesJpegOnly();
    void panelPlacesItsPicture();
};

void TestPictureDisplay::fitting_data() {
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("stretched");
    QTest::newRow("smaller both ways: natural size, centred")
        << QSize(408, 308) << QSize(100, 50) << QRect(4, 4, 400, 300) << false;
    QTest::newRow("large, same shape") << QSize(408, 308) << QSize(1600, 1200) << QRect(0, 0, 400, 300) << true;
    QTest::newRow("wide: width ratio smaller") << QSize(408, 308) << QSize(800, 100) << QRect(0, 125, 400, 50) << true;
    QTest::newRow("tall: height ratio smaller") << QSize(408, 308) << QSize(100, 600) << QRect(175, 0, 50, 300) << true;
    QTest::newRow("exactly the area is not smaller") << QSize(408, 308) << QSize(400, 300) << QRect(0, 0, 400, 300) << true;
    QTest::newRow("smaller one way only") << QSize(408, 308) << QSize(200, 600) << QRect(150, 0, 100, 300) << true;
    QTest::newRow("half rounds to even: 2.5 gives 2") << QSize(100, 10) << QSize(5, 4) << QRect(45, 0, 2, 2) << true;
    QTest::newRow("half rounds to even: 1.5 gives 2") << QSize(11, 11) << QSize(2, 4) << QRect(0, 0, 2, 3) << true;
    QTest::newRow("picture of no size") << QSize(408, 308) << QSize(0, 0) << QRect(0, 0, 0, 0) << false;
    QTest::newRow("panel smaller than its margins") << QSize(6, 6) << QSize(100, 100) << QRect(-1, -1, 0, 0) << true;
}

void TestPictureDisplay::fitting() {
    QFETCH(QSize, panel);
    QFETCH(QSize, picture);
    QFETCH(QRect, place);
    QFETCH(bool, stretched);
    const PictureFit fit = fitPicture(panel.width(), panel.height(), picture.width(), picture.height());
    QCOMPARE(QRect(fit.left, fit.top, fit.width, fit.height), place);
    QCOMPARE(fit.stretched, stretched);
}

void TestPictureDisplay::recipeDecoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QSize>("size"); // empty: nothing shown
    QTest::addColumn<QString>("problem");
    const QByteArray jpeg = pictureBytes(30, 20, "JPG");
    QTest::newRow("jpeg") << jpeg << ".jpg" << QSize(30, 20) << "";
    QTest::newRow("jpeg, upper-case extension") << jpeg << ".JPEG" << QSize(30, 20) << "";
    QTest::newRow("png") << pictureBytes(7, 9, "PNG") << ".png" << QSize(7, 9) << "";
    QTest::newRow("bmp") << pictureBytes(5, 5, "BMP") << ".bmp" << QSize(5, 5) << "";
    QTest::newRow("png saved as .jpg: by its bytes") << pictureBytes(7, 9, "PNG") << ".jpg" << QSize(7, 9) << "";
    QTest::newRow("no extension: by its bytes") << jpeg << "" << QSize(30, 20) << "";
    QTest::newRow("metafile") << QByteArray("\x01\0\0\0 EMF", 9) << ".emf" << QSize() << "nem jeleníthető meg";
    QTest::newRow("not a picture") << QByteArray("szöveg") << ".jpg" << QSize() << "nem olvasható";
    QTest::newRow("truncated jpeg") << jpeg.left(40) << ".jpg" << QSize() << "nem olvasható";
    QTest::newRow("empty") << QByteArray() << ".jpg" << QSize() << "";
}

void TestPictureDisplay::recipeDecoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, extension);
    QFETCH(QSize, size);
    QFETCH(QString, problem);
    const DecodedPicture decoded = decodeRecipePicture(bytes, extension);
    QCOMPARE(decoded.image.isNull() ? QSize() : decoded.image.size(), size);
    if (problem.isEmpty())
        QVERIFY2(decoded.problem.isEmpty(), qPrintable(decoded.problem));
    else
        QVERIFY2(decoded.problem.contains(problem), qPrintable(decoded.problem));
}

void TestPictureDisplay::galleryDecodesJpegOnly() {
    QCOMPARE(decodeGalleryPicture(pictureBytes(30, 20, "JPG")).size(), QSize(30, 20));
    QVERIFY(decodeGalleryPicture(pictureBytes(30, 20, "PNG")).isNull());
    QVERIFY(decodeGalleryPicture(QByteArray()).isNull());
    QVERIFY(decodeGalleryPicture(pictureBytes(30, 20, "JPG").left(30)).isNull());
}

void TestPictureDisplay::panelPlacesItsPicture() {
    PicturePanel panel(QStringLiteral("Panel2"));
    panel.resize(408, 308);
    panel.show();
    panel.showImage(decodeGalleryPicture(pictureBytes(1600, 1200, "JPG")));
    QLabel* image = panel.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(0, 0, 400, 300));
    QVERIFY(image->hasScaledContents());

    // Resizing the panel fits the picture again.
    panel.resize(208, 308);
    QCOMPARE(image->geometry(), QRect(0, 75, 200, 150));

    panel.showImage(decodeGalleryPicture(pictureBytes(50, 40, "JPG")));
    QCOMPARE(image->geometry(), QRect(4, 4, 200, 300));
    QVERIFY(!image->hasScaledContents());

    panel.clearImage(QStringLiteral("nincs kép"));
    QVERIFY(panel.image().isNull());
    QCOMPARE(image->text(), QStringLiteral("nincs kép"));
}

QTEST_MAIN(TestPictureDisplay)
#include "test_picture_display.moc"
