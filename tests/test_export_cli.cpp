// verbalo-cli export-delimited, export-html and print on a real data folder: the same files as
// the export windows write, the spreadsheet branch by the file name, the print layouts as PDF,
// and the usage errors.
#include "common/catalogue.h"
#include "common/store/query.h"
#include "common/table_layouts.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

class DataFolder : public StoreFixture {
public:
    DataFolder() {
        createEmptyCatalogue(folder(), nullptr);
        makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple"), QStringLiteral("a<b;x")});
        exec(QStringLiteral(
            "INSERT INTO szotarak (szotarak_nev, tablanev, tipus, nyelv1, nyelv2, nyelv1szeles, nyelv2szeles, sorrend, ablak) "
            "VALUES ('Angol', 'angol', 1, 'magyar', 'angol', 0.4, 0.6, 'nyelv1', 0)"));
    }
    Run cli(const QStringList& args) {
        QProcess p;
        p.start(qEnvironmentVariable("VERBALO_CLI"), QStringList{QStringLiteral("--data"), folder()} + args);
        p.waitForFinished(120000);
        return Run{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    QByteArray bytes(const QString& name) {
        QFile f(folder() + QLatin1Char('/') + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }
};

} // namespace

class ExportCliTest : public QObject {
    Q_OBJECT
private slots:
    void delimited_data();
    void delimited();
    void spreadsheetAndPage();
    void usageErrors();
    void printLayouts_data();
    void printLayouts();
    void printRefusals_data();
    void printRefusals();
};

void ExportCliTest::delimited_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("defaults") << QStringList{} << QByteArray("nyelv1;nyelv2;\r\na<b;x;\r\nalma;apple;\r\n");
    QTest::newRow("tab, apostrophe, no header")
        << QStringList{"--sep", "tab", "--quote", "'", "--no-header"} << QByteArray("\r\n'a<b'\t'x'\t\r\n'alma'\t'apple'\t\r\n");
    QTest::newRow("bar and double quote") << QStringList{"--sep", "|", "--quote", "\""}
                                          << QByteArray("\"nyelv1\"|\"nyelv2\"|\r\n\"a<b\"|\"x\"|\r\n\"alma\"|\"apple\"|\r\n");
}

void ExportCliTest::delimited() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, expected);
    DataFolder d;
    const Run r = d.cli(QStringList{"export-delimited", "--dict", "Angol"} + options + QStringList{d.file("out.txt")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(d.bytes("out.txt"), expected);
}

void ExportCliTest::spreadsheetAndPage() {
    DataFolder d;
    Run r = d.cli({"export-delimited", "--dict", "1", d.file("LISTA.Xls")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY(d.bytes("LISTA.Xls").startsWith(QByteArray("\x09\x00\x04\x00\x02\x00\x10\x00", 8)));
    r = d.cli({"export-html", "--dict", "Angol", d.file("p.htm")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QByteArray page = d.bytes("p.htm");
    QVERIFY(page.contains("<title>Angol</title>"));
    QVERIFY(page.contains("<td width=\"40%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong>magyar</strong>"));
    QVERIFY(page.contains(">a&lt;b</font>"));
}

void ExportCliTest::usageErrors() {
    DataFolder d;
    QCOMPARE(d.cli({"export-delimited", "--dict", "Angol", "--sep", "x", d.file("o.csv")}).status, 2);
    QCOMPARE(d.cli({"export-delimited", "--dict", "Angol", "--quote", "`", d.file("o.csv")}).status, 2);
    QCOMPARE(d.cli({"export-delimited", "--dict", "Nincs", d.file("o.csv")}).status, 1);
    const Run r = d.cli({"export-html", "--dict", "Angol", d.file("nincs/p.htm")});
    QCOMPARE(r.status, 1);
    QVERIFY(!r.err.isEmpty());
}

void ExportCliTest::printLayouts_data() {
    QTest::addColumn<QString>("dict");
    QTest::addColumn<QString>("layout");
    QTest::newRow("word list") << "Angol"
                               << "list";
    QTest::newRow("2 columns") << "Angol"
                               << "columns2";
    QTest::newRow("4 columns") << "1"
                               << "columns4";
    QTest::newRow("headword list") << "Lista"
                                   << "list";
}

void ExportCliTest::printLayouts() {
    QFETCH(QString, dict);
    QFETCH(QString, layout);
    DataFolder d;
    d.exec(createDictionaryTableLines(HeadwordList, QStringLiteral("lista")).join(QLatin1Char('\n')));
    d.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, sorrend, ablak) VALUES ('Lista', 'lista', 2, "
                          "'nyelv1', 0)"));
    const Run r = d.cli({"print", "--dict", dict, "--layout", layout, "--pdf", d.file("p.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.out, d.file("p.pdf") + QStringLiteral(": 1 pages written\n"));
    QVERIFY(d.bytes("p.pdf").startsWith("%PDF-"));
}

void ExportCliTest::printRefusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::newRow("unknown layout") << QStringList{"--dict", "Angol", "--layout", "columns5", "--pdf", "p.pdf"} << 2;
    QTest::newRow("no file") << QStringList{"--dict", "Angol", "--layout", "list"} << 2;
    QTest::newRow("no such dictionary") << QStringList{"--dict", "Nincs", "--layout", "list", "--pdf", "p.pdf"} << 1;
    QTest::newRow("gallery") << QStringList{"--dict", "Kepek", "--layout", "list", "--pdf", "p.pdf"} << 1;
    QTest::newRow("folder missing") << QStringList{"--dict", "Angol", "--layout", "list", "--pdf", "nincs/p.pdf"} << 1;
}

void ExportCliTest::printRefusals() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    DataFolder d;
    d.exec(createDictionaryTableLines(ImageGallery, QStringLiteral("kepek")).join(QLatin1Char('\n')));
    d.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, sorrend, ablak) VALUES ('Kepek', 'kepek', 3, "
                          "'nyelv1', 0)"));
    const int pdf = args.indexOf(QStringLiteral("--pdf"));
    if (pdf >= 0) args[pdf + 1] = d.file(args[pdf + 1]);
    const Run r = d.cli(QStringList{"print"} + args);
    QCOMPARE(r.status, status);
    QVERIFY(!r.err.isEmpty());
    QVERIFY(!QFile::exists(d.file("p.pdf")));
}

QTEST_GUILESS_MAIN(ExportCliTest)
#include "test_export_cli.moc"
