// The HTML page: every line of it with a fixed clock, the column widths, escaping, the code
// page it is written in, the column list's errors and the default file name.

#include "common/catalogue.h"
#include "common/store/table.h"
#include "exchange/logic/data_export.h"
#include "exchange/logic/html_page_export.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

QDateTime fixedClock() {
    return QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9));
}

QString headerCell(int width, const QString& caption) {
    return QStringLiteral(
               "    <td width=\"%1%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong>%2</strong></font></td>")
        .arg(width)
        .arg(caption);
}

QString dataCell(int width, const QString& value) {
    return QStringLiteral("    <td width=\"%1%\"><font face=\"Verdana\" size=\"1\">%2</font></td>").arg(width).arg(value);
}

QStringList pageLines(StoreFixture& fx, const QStringList& columns, const QString& title) {
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    return htmlPageLines(t, parseHtmlColumns(columns), title, &fixedClock);
}

} // namespace

class HtmlExportTest : public QObject {
    Q_OBJECT
private slots:
    void wholePage();
    void widthsFromShares_data();
    void widthsFromShares();
    void valuesAndCaptionsAreEscaped();
    void emptyTableGivesTheHeaderRowOnly();
    void codePage();
    void columnListErrors();
    void defaultFileName();
};

void HtmlExportTest::wholePage() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple"), QStringLiteral("körte;pear")});
    TSzotarak info;
    info.nyelv1 = QStringLiteral("angol");
    info.nyelv2 = QStringLiteral("magyar");
    const QStringList lines = pageLines(fx, bilingualHtmlColumns(info), QStringLiteral("Angol-magyar szótár"));
    const QStringList expected = {
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"),
        QStringLiteral("<title>Angol-magyar szótár</title>"),
        QStringLiteral("<meta name=\"GENERATOR\" content=\"Kelvora Bt. Grid2Html\">"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<p><strong><font face=\"Verdana\" size=\"2\">Angol-magyar szótár</font></strong></p>"),
        QStringLiteral("<p><strong><font face=\"Verdana\" size=\"1\"></font></strong></p>"),
        QStringLiteral("<div align=\"center\"><center>"),
        QString(),
        QStringLiteral("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"90%\">"),
        QStringLiteral("  <tr>"),
        headerCell(50, QStringLiteral("angol")),
        headerCell(50, QStringLiteral("magyar")),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        dataCell(50, QStringLiteral("alma")),
        dataCell(50, QStringLiteral("apple")),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        dataCell(50, QStringLiteral("körte")),
        dataCell(50, QStringLiteral("pear")),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("</center></div>"),
        QString(),
        QStringLiteral("<p><font face=\"Verdana\" size=\"1\">2024.03.05 07:08:09</font></p>"),
        QString(),
        QStringLiteral("<p><font face=\"Courier New\" size=\"1\">Verbalo9 1.0.0.1</font></p>"),
        QString(),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    QCOMPARE(lines, expected);
}

void HtmlExportTest::widthsFromShares_data() {
    QTest::addColumn<double>("share1");
    QTest::addColumn<double>("share2");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("0.333 and 0.667") << 0.333 << 0.667 << QStringList{"nyelv1;a;33;", "nyelv2;b;66;"};
    QTest::newRow("0.62 and 0.38") << 0.62 << 0.38 << QStringList{"nyelv1;a;62;", "nyelv2;b;38;"};
    // 0.29 * 100 is 28.999… as a double; the share the user set is 29.
    QTest::newRow("0.29 and 0.71") << 0.29 << 0.71 << QStringList{"nyelv1;a;29;", "nyelv2;b;71;"};
}

void HtmlExportTest::widthsFromShares() {
    QFETCH(double, share1);
    QFETCH(double, share2);
    QFETCH(QStringList, columns);
    TSzotarak info;
    info.nyelv1 = QStringLiteral("a");
    info.nyelv2 = QStringLiteral("b");
    info.nyelv1szeles = share1;
    info.nyelv2szeles = share2;
    QCOMPARE(bilingualHtmlColumns(info), columns);
}

void HtmlExportTest::valuesAndCaptionsAreEscaped() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("a<b;\"x\" & <script>")});
    const QStringList lines =
        pageLines(fx, {QStringLiteral("nyelv1;<i>;50;"), QStringLiteral("nyelv2;A&B;50;")}, QStringLiteral("R&D <1>"));
    QCOMPARE(lines[4], QStringLiteral("<title>R&amp;D &lt;1&gt;</title>"));
    QCOMPARE(lines[14], headerCell(50, QStringLiteral("&lt;i&gt;")));
    QCOMPARE(lines[15], headerCell(50, QStringLiteral("A&amp;B")));
    QCOMPARE(lines[18], dataCell(50, QStringLiteral("a&lt;b")));
    QCOMPARE(lines[19], dataCell(50, QStringLiteral("&quot;x&quot; &amp; &lt;script&gt;")));
}

void HtmlExportTest::emptyTableGivesTheHeaderRowOnly() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {});
    const QStringList lines =
        pageLines(fx, {QStringLiteral("nyelv1;a;50;"), QStringLiteral("nyelv2;b;50;")}, QStringLiteral("x"));
    QCOMPARE(lines.size(), 13 + 4 + 9);
    QCOMPARE(lines[17], QStringLiteral("</table>"));
}

void HtmlExportTest::codePage() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("ősz;autumn")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const auto columns = parseHtmlColumns({QStringLiteral("nyelv1;a;50;"), QStringLiteral("nyelv2;b;50;")});
    const QString path = fx.folder() + QStringLiteral("/p.htm");
    HtmlPageResult r = writeHtmlPage(t, columns, QStringLiteral("Šťastný"), path, &fixedClock);
    QVERIFY2(r.ok, qPrintable(r.error));
    QVERIFY(!r.utf8);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    QVERIFY(bytes.contains("<title>\xA9\xBB"
                           "astn\xFD</title>\r\n")); // ISO-8859-2, not Windows-1250
    QVERIFY(bytes.contains(">\xF5sz</font>"));
    QVERIFY(bytes.endsWith("</html>\r\n"));
    QCOMPARE(t.recNo(), 1); // left on the first row

    r = writeHtmlPage(t, columns, QStringLiteral("Zeichen €"), path, &fixedClock);
    QVERIFY(r.ok);
    QVERIFY(r.utf8);
    QVERIFY(f.open(QIODevice::ReadOnly));
    bytes = f.readAll();
    QVERIFY(bytes.contains("charset=utf-8\">\r\n"));
    QVERIFY(bytes.contains(QStringLiteral(">ősz</font>").toUtf8()));
    QVERIFY(!bytes.contains("iso-8859-2"));
}

void HtmlExportTest::columnListErrors() {
    QVERIFY_THROWS_EXCEPTION(ExportError, parseHtmlColumns({QStringLiteral("nyelv1;a;fél;")}));
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("a;b")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/p.htm");
    const HtmlPageResult r = writeHtmlPage(t, parseHtmlColumns({QStringLiteral("nincs;a;50;")}), QStringLiteral("x"), path);
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains(QStringLiteral("nincs")));
    QVERIFY(!QFile::exists(path));
    QStringList many;
    for (int i = 0; i < 60; ++i) many << QStringLiteral("nyelv1;a;1;");
    QCOMPARE(int(parseHtmlColumns(many).size()), kMaxHtmlColumns);
}

void HtmlExportTest::defaultFileName() {
    QCOMPARE(defaultHtmlFileName(QStringLiteral("/home/u/Documents"), QStringLiteral("Angol-magyar szótár")),
             QStringLiteral("/home/u/Documents/angol-magyar-sz_t_r.htm"));
}

QTEST_GUILESS_MAIN(HtmlExportTest)
#include "test_html_export.moc"
