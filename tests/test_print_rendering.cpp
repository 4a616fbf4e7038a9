// The print layouts rendered into real PDF files and read back with poppler's tools: the page
// count, the texts on the pages, the recipe pictures, and a file that cannot be written.

#include "common/catalogue.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "dictionaries/picture_decoding.h"
#include "printing/logic/dictionary_layouts.h"
#include "printing/logic/list_layouts.h"
#include "printing/maker_contact.h"
#include "printing/pdf_rendering.h"
#include "support/store_fixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace verbalo;
using namespace verbalo::printing;
using verbalo::test::StoreFixture;

namespace {

const MakerContact kMaker{QStringLiteral("http://kelvora.test/"), QStringLiteral("kelvora@kelvora.test"),
                          QStringLiteral("+36 1 555 0142")};

QString runTool(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        qFatal("%s from poppler-utils is needed (scripts/install-deps)", qPrintable(tool));
    QProcess p;
    p.start(tool, arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& path) {
    for (const QString& line : runTool(QStringLiteral("pdfinfo"), {path}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

QString pdfText(const QString& path, int page) {
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                 QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")});
}

int pdfImages(const QString& path) {
    const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path}).split(QLatin1Char('\n'));
    int images = 0;
    for (const QString& line : lines.mid(2)) images += !line.trimmed().isEmpty();
    return images;
}

TSzotarak pairInfo() {
    TSzotarak info;
    info.szotarak_nev = QStringLiteral("Angol-magyar");
    info.nyelv1 = QStringLiteral("angol");
    info.nyelv2 = QStringLiteral("magyar");
    info.sorrend = kFirstLanguageColumn;
    return info;
}

void makeListTables(StoreFixture& fx) {
    fx.exec(QStringLiteral("CREATE TABLE programok (programok_nev CHAR(60), rovid CHAR(120), kategoria CHAR(30), "
                           "ingyenesstr CHAR(10), link CHAR(200), letoltlink CHAR(200), leiras BLOB(0,1))"));
    fx.exec(QStringLiteral("INSERT INTO programok VALUES ('Raktáros','készlet','üzlet','igen','http://r/','http://r/r.zip',"
                           "'hosszú leírás')"));
    fx.exec(QStringLiteral("CREATE TABLE letoltes (szotarnev CHAR(60), filenev CHAR(200), szavakszama INT, meret INT, "
                           "szerzo CHAR(60))"));
    fx.exec(QStringLiteral("INSERT INTO letoltes VALUES ('Német','nemet.zip',2500,40000,'Kovács Éva')"));
    fx.exec(createDictionaryTableLines(HeadwordList, QStringLiteral("lista")).join(QLatin1Char('\n')));
    fx.exec(QStringLiteral("INSERT INTO lista (nyelv1, megjegyzes) VALUES ('Közmondás', 'Lassan járj, tovább érsz.')"));
}

QByteArray pngOf(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class PrintRenderingTest : public QObject {
    Q_OBJECT
private slots:
    void eachLayoutRendersItsTexts_data();
    void eachLayoutRendersItsTexts();
    void manyRowsFillManyPages();
    void recipePicturesAreDrawn();
    void unwritableOrStoppedFileLeavesTheOldOne();
    void makerContactFollowsTheServer();
};

void PrintRenderingTest::eachLayoutRendersItsTexts_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("bilingual list")
        << 0 << "t"
        << QStringList{"Angol-magyar",        "angol", "magyar", "alma", "apple", "Oldal: 1", "Szavak nyomtatása", "nyomtatva:",
                       "http://kelvora.test/"};
    QTest::newRow("dictionary format") << 1 << "t" << QStringList{"Angol-magyar", "alm", "körte", "pear", "Szótár nyomtatás"};
    QTest::newRow("headword list") << 2 << "lista" << QStringList{"Közmondás", "Lassan járj, tovább érsz.", "VerbaloV9"};
    QTest::newRow("programs") << 3 << "programok"
                              << QStringList{"Programok listája", "Kelvora Bt.",    "kelvora@kelvora.test", "+36 1 555 0142",
                                             "Raktáros",          "http://r/r.zip", "qrProgramok",          "oldal: 1"};
    QTest::newRow("downloads") << 4 << "letoltes"
                               << QStringList{
                                      "Letölthető szótárak listája", "Német", "nemet.zip", "2500", "Kovács Éva", "qrInternet"};
    QTest::newRow("empty table") << 1 << "ures" << QStringList{"Angol-magyar", "Oldal: 1"};
}

void PrintRenderingTest::eachLayoutRendersItsTexts() {
    QFETCH(int, layout);
    QFETCH(QString, table);
    QFETCH(QStringList, texts);
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple"), QStringLiteral("alma;apfel"), QStringLiteral("körte;pear")});
    fx.makePairs(QStringLiteral("ures"), {});
    makeListTables(fx);
    store::Table t(fx.db());
    t.setTableName(table);
    t.open();
    const ReportLayout layouts[] = {bilingualListLayout(pairInfo(), kMaker), dictionaryFormatLayout(pairInfo(), 3, kMaker),
                                    headwordListLayout(pairInfo(), kMaker), programListLayout(true, kMaker),
                                    downloadListLayout(kMaker)};
    const QString path = fx.folder() + QStringLiteral("/out.pdf");
    TableRows rows(t);
    const PdfResult result = renderPdf(path, layouts[layout], rows, QDateTime::currentDateTime());
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.pages, 1);
    QCOMPARE(pdfPages(path), 1);
    const QString text = pdfText(path, 1);
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in:\n") + text));
}

void PrintRenderingTest::manyRowsFillManyPages() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {});
    // One statement, so that the rows cost one commit.
    fx.exec(QStringLiteral("INSERT INTO t (nyelv1, nyelv2) WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c "
                           "WHERE i < 2999) SELECT printf('szó%04d', i), printf('word%04d', i) FROM c"));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    t.setIndexFieldNames(kFirstLanguageColumn);
    const QString path = fx.folder() + QStringLiteral("/many.pdf");
    TableRows rows(t);
    const PdfResult result = renderPdf(path, dictionaryFormatLayout(pairInfo(), 4, kMaker), rows, QDateTime::currentDateTime());
    QVERIFY(result.ok);
    QVERIFY(result.pages > 5);
    QCOMPARE(pdfPages(path), result.pages);
    const QString last = pdfText(path, result.pages);
    QVERIFY(last.contains(QStringLiteral("Oldal: %1").arg(result.pages)));
    QVERIFY(last.contains(QStringLiteral("word2999")));
    // The guide letters of the second page are those of its first headword, not of the first page's.
    QVERIFY(!pdfText(path, 2).contains(QStringLiteral("szó0000")));
}

void PrintRenderingTest::recipePicturesAreDrawn() {
    StoreFixture fx;
    fx.exec(createDictionaryTableLines(RecipeBook, QStringLiteral("r")).join(QLatin1Char('\n')));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("r"));
    t.open();
    // A wide picture and a recipe without one.
    t.insert();
    t.setValue(QStringLiteral("nyelv1"), QStringLiteral("Levesek"));
    t.setValue(QStringLiteral("nyelv2"), QStringLiteral("Gulyás"));
    t.setBlob(QStringLiteral("kep"), pngOf(400, 100));
    t.setValue(QStringLiteral("filekit"), QStringLiteral(".png"));
    t.post();
    t.insert();
    t.setValue(QStringLiteral("nyelv1"), QStringLiteral("Levesek"));
    t.setValue(QStringLiteral("nyelv2"), QStringLiteral("Húsleves"));
    t.post();
    const QString path = fx.folder() + QStringLiteral("/r.pdf");
    TableRows rows(t);
    const PdfResult result =
        renderPdf(path, recipeLayout(pairInfo(), kMaker), rows, QDateTime::currentDateTime(),
                  [](const QByteArray& bytes, const QString& extension) { return decodeRecipePicture(bytes, extension).image; });
    QVERIFY(result.ok);
    QCOMPARE(pdfImages(path), 1);
    const QString text = pdfText(path, 1);
    QVERIFY(text.contains(QStringLiteral("Gulyás")) && text.contains(QStringLiteral("Húsleves")));
    QVERIFY(text.contains(QStringLiteral("hozzávalók")) && text.contains(QStringLiteral("elkészítés")));
}

void PrintRenderingTest::unwritableOrStoppedFileLeavesTheOldOne() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    TableRows rows(t);
    const PdfResult missing =
        renderPdf(fx.folder() + QStringLiteral("/nincs/out.pdf"), bilingualListLayout(pairInfo(), kMaker), rows, {});
    QVERIFY(!missing.ok);
    QVERIFY(missing.error.contains(QStringLiteral("out.pdf")));
    // /dev/full takes the writes in place and fails them: the failure is reported, not a success.
    const PdfResult full = renderPdf(QStringLiteral("/dev/full"), bilingualListLayout(pairInfo(), kMaker), rows, {});
    QVERIFY(!full.ok);
    QVERIFY(!full.error.isEmpty());
    // Stopped by the user after the first page of three: the old file stays, and no error.
    QStringList pairs;
    for (int i = 0; i < 150; ++i) pairs << QStringLiteral("w%1;t%1").arg(i);
    fx.makePairs(QStringLiteral("hosszu"), pairs);
    store::Table longer(fx.db());
    longer.setTableName(QStringLiteral("hosszu"));
    longer.open();
    TableRows longerRows(longer);
    const QString old = fx.folder() + QStringLiteral("/regi.pdf");
    {
        QFile f(old);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old pdf") == 7);
    }
    int told = 0;
    const PdfResult stopped = renderPdf(old, bilingualListLayout(pairInfo(), kMaker), longerRows, {}, {}, [&](int pages) {
        told = pages;
        return false;
    });
    QVERIFY(!stopped.ok && stopped.stopped && stopped.error.isEmpty());
    QCOMPARE(told, 1);
    QFile f(old);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old pdf"));
}

void PrintRenderingTest::makerContactFollowsTheServer() {
    const MakerContact contact = makerContactFor(QStringLiteral("http://szotar.example:8080//"));
    QCOMPARE(contact.web, QStringLiteral("http://szotar.example:8080/"));
    QCOMPARE(contact.mail, QStringLiteral("kelvora@szotar.example"));
    QVERIFY(!contact.telephone.isEmpty());
}

QTEST_MAIN(PrintRenderingTest)
#include "test_print_rendering.moc"
