// The gallery and recipe import windows offscreen, end to end: a text file naming generated
// pictures imported into a real table, the sample shown before a file is chosen, the missing
// file, and the recipe import stopping at a bad number with the recipes before it kept.
#include "common/store/query.h"
#include "common/store/table.h"
#include "exchange/gallery_import_window.h"
#include "exchange/recipe_import_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QtTest>

using namespace verbalo;
using test::child;

namespace {

QByteArray pictureBytes(int width, int height, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(60, 160, 90));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A frame with a gallery "Képek" and a recipe book "Receptek", each table open as its window
// has it, and a folder for the import files with a "kepek" folder of pictures beside them.
struct Fixture {
    test::TestFrame frame;
    QTemporaryDir files;
    store::Table gallery{frame.database()};
    store::Table recipes{frame.database()};

    Fixture() {
        frame.addDictionary(3, QStringLiteral("Képek"), QStringLiteral("kepek"));
        frame.addDictionary(5, QStringLiteral("Receptek"), QStringLiteral("receptek"));
        gallery.setTableName(QStringLiteral("kepek"));
        gallery.setIndexFieldNames(QStringLiteral("nyelv1"));
        gallery.open();
        recipes.setTableName(QStringLiteral("receptek"));
        recipes.open();
        QDir(files.path()).mkpath(QStringLiteral("kepek"));
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = files.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QStringList rows(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        QStringList out;
        for (store::ResultSet rs = q.open(); !rs.eof(); rs.next()) {
            QStringList cells;
            for (int i = 0; i < rs.fieldCount(); ++i) cells << rs.value(i).toString().replace(QLatin1String("\r\n"), "/");
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    QStringList firstMessageLines() {
        QStringList out;
        for (const QString& t : frame.messages.texts()) out << t.section(QStringLiteral("\r\n"), 0, 0);
        return out;
    }
};

void runOn(ImportWindow& window, const QString& path) {
    window.setFileName(path);
    window.loadNamedFile();
    window.runImport();
}

} // namespace

class PictureImportWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void galleryImport();
    void recipeImport_data();
    void recipeImport();
    void missingFileIsSaid();
};

void PictureImportWindowsTest::galleryImport() {
    Fixture fx;
    const QByteArray kutya = pictureBytes(64, 48, "PNG");
    const QByteArray macska = pictureBytes(80, 60, "JPG");
    fx.write(QStringLiteral("kepek/kutya.png"), kutya);
    const QString macskaPath = fx.write(QStringLiteral("kepek/macska.JPG"), macska);
    const QString uresPath = fx.write(QStringLiteral("kepek/ures.jpg"), QByteArray());
    const QString list = fx.write(QStringLiteral("kepek.txt"), QStringLiteral("Kutya=kepek/kutya.png\n"
                                                                              "Macska=%1=harmadik mező\n"
                                                                              "Kutya=%1\n"
                                                                              "Üres=%2\n"
                                                                              "Hiányzó=kepek/nincs.jpg\n"
                                                                              "\n"
                                                                              "megjegyzés\n")
                                                                   .arg(macskaPath, uresPath)
                                                                   .toUtf8());
    Tfrm_KeptarBetolt w(fx.frame, fx.gallery);
    QCOMPARE(w.windowTitle(), QStringLiteral("Képtár betöltés"));
    auto* preview = child<QPlainTextEdit>(&w, "Memo1");
    QVERIFY(preview->toPlainText().startsWith(QStringLiteral("Az első kép=C:\\Képek\\első.jpg\n")));

    runOn(w, list);
    QVERIFY(preview->toPlainText().startsWith(QStringLiteral("Kutya=kepek/kutya.png")));
    // Relative paths beside the list file; the second Kutya refused; the empty file stored empty.
    QCOMPARE(fx.rows(QStringLiteral("SELECT nyelv1, filekit, length(kep) FROM kepek ORDER BY nyelv1")),
             (QStringList{QStringLiteral("Kutya|.png|%1").arg(kutya.size()), QStringLiteral("Macska|.JPG|%1").arg(macska.size()),
                          QStringLiteral("Üres|.jpg|0")}));
    QCOMPARE(fx.firstMessageLines(), QStringList{QStringLiteral("Állomány betöltése kész.")});
    QCOMPARE(child<QProgressBar>(&w, "ProgressBar1")->value(), 0);
    // The rows show in the table the window was opened on.
    QCOMPARE(fx.gallery.recordCount(), 3);
}

void PictureImportWindowsTest::recipeImport_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("recipe with its picture beside the file")
        << "@ujrecept\n@kategoria=frissensültek\n@finomsag=Kacsapecsenye\n@nehezseg=1\n@ido=120\n@kep=kepek/kacsa.jpg\n"
           "@hozzavalok\n1 db kacsa\n20 dkg zsír\n@elkeszites\nSütjük \nJó étvágyat\n@receptvege\n"
        << QStringList{"frissensültek|Kacsapecsenye|1|120|1 db kacsa/20 dkg zsír/|Sütjük /Jó étvágyat/|.jpg|yes"}
        << "Állomány betöltése kész.";
    QTest::newRow("a bad number stops, the recipe before it stays")
        << "@ujrecept\n@finomsag=Leves\n@receptvege\n@ujrecept\n@finomsag=Rétes\n@nehezseg=közepes\n@ido=5\n"
        << QStringList{"|Leves||||||", "|Rétes||||||"} << "Hiba az adatok tárolásakor, a betöltés megszakadt:";
}

void PictureImportWindowsTest::recipeImport() {
    QFETCH(QString, file);
    QFETCH(QStringList, stored);
    QFETCH(QString, message);
    Fixture fx;
    fx.write(QStringLiteral("kepek/kacsa.jpg"), pictureBytes(30, 20, "JPG"));
    Tfrm_ReceptBetolt w(fx.frame, fx.recipes);
    QCOMPARE(w.windowTitle(), QStringLiteral("Recept betöltés"));
    QCOMPARE(child<QPlainTextEdit>(&w, "Memo1")->toPlainText().count(QLatin1Char('\n')), 15);
    runOn(w, fx.write(QStringLiteral("receptek.txt"), file.toUtf8()));
    QCOMPARE(fx.rows(QStringLiteral("SELECT nyelv1, nyelv2, nehezseg, perc, hozzavalo, elkeszites, filekit, "
                                    "CASE WHEN length(kep) > 0 THEN 'yes' END FROM receptek ORDER BY recept")),
             stored);
    QCOMPARE(fx.firstMessageLines(), QStringList{message});
    QCOMPARE(fx.recipes.recordCount(), stored.size());
}

void PictureImportWindowsTest::missingFileIsSaid() {
    Fixture fx;
    Tfrm_ReceptBetolt recipes(fx.frame, fx.recipes);
    Tfrm_KeptarBetolt gallery(fx.frame, fx.gallery);
    for (ImportWindow* w : {static_cast<ImportWindow*>(&recipes), static_cast<ImportWindow*>(&gallery)})
        runOn(*w, fx.files.filePath(QStringLiteral("nincs.txt")));
    QCOMPARE(fx.frame.messages.texts(),
             (QStringList{QStringLiteral("Nem létező állomány"), QStringLiteral("Nem létező állomány")}));
}

QTEST_MAIN(PictureImportWindowsTest)
#include "test_gui_picture_import_windows.moc"
