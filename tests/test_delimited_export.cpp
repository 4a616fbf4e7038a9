// The delimited text export: the line format for each option, memos, the header, stopping,
// encodings, failures, and which file names ask for the spreadsheet instead.

#include "common/store/table.h"
#include "common/table_layouts.h"
#include "exchange/logic/delimited_export.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines joined with CR LF after each, as Windows-1250 bytes.
QByteArray crlfLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines) out += l.toLatin1() + "\r\n";
    return out;
}

enum class Fixture { Pair, Memo, Empty };

// "alma/apple", or a headword list whose memo holds two lines, or an empty bilingual table.
void makeFixture(StoreFixture& fx, Fixture kind) {
    if (kind == Fixture::Pair)
        fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple")});
    else if (kind == Fixture::Empty)
        fx.makePairs(QStringLiteral("t"), {});
    else {
        fx.exec(createDictionaryTableLines(HeadwordList, QStringLiteral("t")).join(QLatin1Char('\n')));
        store::Table t(fx.db());
        t.setTableName(QStringLiteral("t"));
        t.open();
        t.insert();
        t.setValue(QStringLiteral("nyelv1"), QStringLiteral("szo"));
        t.setValue(QStringLiteral("megjegyzes"), QStringLiteral("első sor\r\nmásodik sor\r\n"));
        t.post();
    }
}

} // namespace

class DelimitedExportTest : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void labelsOrFieldNames();
    void utf8WhenTheCodePageLacksACharacter();
    void stopWritesTheRowsSoFar();
    void failedWriteKeepsTheOldFile();
    void oneStatementWritesTheCursorsBytes_data();
    void oneStatementWritesTheCursorsBytes();
    void spreadsheetNames_data();
    void spreadsheetNames();
};

void DelimitedExportTest::format_data() {
    QTest::addColumn<int>("fixture");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<bool>("noHeader");
    QTest::addColumn<bool>("memoLines");
    QTest::addColumn<QString>("checked"); // one digit per field; empty: all
    QTest::addColumn<QByteArray>("expected");

    const int pair = int(Fixture::Pair), memo = int(Fixture::Memo), empty = int(Fixture::Empty);
    QTest::newRow("defaults") << pair << ";"
                              << "" << false << false << "" << crlfLines({"nyelv1;nyelv2;", "alma;apple;"});
    QTest::newRow("double quote") << pair << ";"
                                  << "\"" << false << false << "" << crlfLines({"\"nyelv1\";\"nyelv2\";", "\"alma\";\"apple\";"});
    QTest::newRow("apostrophe and tab") << pair << "\t"
                                        << "'" << false << false << ""
                                        << crlfLines({"'nyelv1'\t'nyelv2'\t", "'alma'\t'apple'\t"});
    QTest::newRow("no header keeps an empty first line") << pair << ","
                                                         << "" << true << false << "" << crlfLines({"", "alma,apple,"});
    QTest::newRow("no field checked") << pair << ";"
                                      << "" << false << false << "00" << crlfLines({"", ""});
    QTest::newRow("second field only") << pair << "|"
                                       << "" << false << false << "01" << crlfLines({"nyelv2|", "apple|"});
    QTest::newRow("memo as BLOB") << memo << ";"
                                  << "" << false << false << "" << QByteArray("nyelv1;megjegyzes;\r\nszo;BLOB;\r\n");
    QTest::newRow("memo lines joined") << memo << ";"
                                       << "" << false << true << ""
                                       << QByteArray("nyelv1;megjegyzes;\r\nszo;els\xF5 sor|m\xE1sodik sor;\r\n");
    QTest::newRow("memo joined with the bar as separator")
        << memo << "|"
        << "" << false << true << "" << QByteArray("nyelv1|megjegyzes|\r\nszo|els\xF5 sor,m\xE1sodik sor|\r\n");
    QTest::newRow("empty dataset") << empty << ";"
                                   << "" << false << false << "" << crlfLines({"nyelv1;nyelv2;"});
}

void DelimitedExportTest::format() {
    QFETCH(int, fixture);
    QFETCH(QString, separator);
    QFETCH(QString, quote);
    QFETCH(bool, noHeader);
    QFETCH(bool, memoLines);
    QFETCH(QString, checked);
    QFETCH(QByteArray, expected);

    StoreFixture fx;
    makeFixture(fx, Fixture(fixture));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    DelimitedOptions options;
    options.separator = separator.at(0);
    if (!quote.isEmpty()) options.quote = quote.at(0);
    options.noHeader = noHeader;
    options.memoLines = memoLines;
    for (QChar c : checked) options.checked.push_back(c == QLatin1Char('1'));
    const QString path = fx.folder() + QStringLiteral("/out.csv");
    const DelimitedResult r = exportDelimited(t, exportFieldsOf(t), options, path);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(readBytes(path), expected);
    QVERIFY(t.eof()); // left past the last row, where the loop ended
}

void DelimitedExportTest::labelsOrFieldNames() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const auto fields = exportFieldsOf(t, {{QStringLiteral("nyelv1"), QStringLiteral("magyar")}});
    const QString path = fx.folder() + QStringLiteral("/out.csv");
    QVERIFY(exportDelimited(t, fields, {}, path).ok);
    QVERIFY(readBytes(path).startsWith("magyar;nyelv2;\r\n"));
    DelimitedOptions names;
    names.fieldNames = true;
    QVERIFY(exportDelimited(t, fields, names, path).ok);
    QVERIFY(readBytes(path).startsWith("nyelv1;nyelv2;\r\n"));
}

void DelimitedExportTest::utf8WhenTheCodePageLacksACharacter() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("árvíz;flood"), QStringLiteral("tű;needle ☂")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/out.csv");
    const DelimitedResult r = exportDelimited(t, exportFieldsOf(t), {}, path);
    QVERIFY(r.ok);
    QCOMPARE(r.encoding, TextEncoding::Utf8);
    // Lines before the one that needed UTF-8 are converted too: the file is one encoding.
    QCOMPARE(readBytes(path),
             QByteArray("\xEF\xBB\xBF") + QStringLiteral("nyelv1;nyelv2;\r\nárvíz;flood;\r\ntű;needle ☂;\r\n").toUtf8());
}

void DelimitedExportTest::stopWritesTheRowsSoFar() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("a;1"), QStringLiteral("b;2"), QStringLiteral("c;3")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/out.csv");
    const DelimitedResult r = exportDelimited(t, exportFieldsOf(t), {}, path, [](int done) { return done < 2; });
    QVERIFY(r.ok);
    QVERIFY(r.stopped);
    QCOMPARE(r.rows, 2);
    QCOMPARE(readBytes(path), crlfLines({"nyelv1;nyelv2;", "a;1;", "b;2;"}));
    QCOMPARE(t.recNo(), 3); // on the row where the stop left it
}

void DelimitedExportTest::failedWriteKeepsTheOldFile() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const DelimitedResult missing = exportDelimited(t, exportFieldsOf(t), {}, fx.folder() + QStringLiteral("/nincs/out.csv"));
    QVERIFY(!missing.ok);
    QVERIFY(!missing.error.isEmpty());
    // /dev/full takes the write in place and refuses it: the failure is reported, not a success.
    const DelimitedResult full = exportDelimited(t, exportFieldsOf(t), {}, QStringLiteral("/dev/full"));
    QVERIFY(!full.ok);
}

namespace {

// Every kind of field, with values that are awkward to write: separators and quotes inside
// values, nulls, characters Windows-1250 lacks (some rows only, so a filter decides the
// encoding), bytes that are not UTF-8 (before and after the switch to UTF-8), numbers stored as text and text stored in a number
// column, a blob in a text column, memos with line breaks and bars.
void makeAwkwardTable(StoreFixture& fx) {
    fx.exec(QStringLiteral("CREATE TABLE mix (id AUTOINC, nyelv1 CHAR(30), nyelv2 CHAR(30), szam INT, tort FLOAT, "
                           "datum DATE, igen BOOLEAN, egyeb, jegyzet BLOB(0,1), kep BLOB(0,2), PRIMARY KEY (id))"));
    fx.exec(QStringLiteral("CREATE INDEX elso ON mix (nyelv1)"));
    const QStringList rows = {
        QStringLiteral("'alma', 'apple; \"red\"', 42, 1.5, '2024-03-01', 'I', 'x', "
                       "'első sor' || char(13,10) || 'második|sor' || char(13,10), x'00FF'"),
        QStringLiteral("'Alma', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL"),
        QStringLiteral("'körte', 'pear''s', -7, -0.25, 'nem dátum', 1, x'0A0B', 'egy sor', NULL"),
        QStringLiteral("'árvíztűrő', 'tükörfúrógép', 'szöveg', 'sok', '2024-13-45', 'N', 3.25, "
                       "'a;b' || char(10) || 'c', x''"),
        QStringLiteral("'€ „idéz”', 12, 9223372036854775807, 1e300, NULL, NULL, 7, '', NULL"),
        QStringLiteral("'tab' || char(9) || 'és sor' || char(13,10) || 'vége', x'414243', 0, 0, NULL, NULL, "
                       "CAST(x'C3A9C3' AS TEXT), NULL, NULL"),
        QStringLiteral("'zz ☂ esernyő', 'needle ☂', 1, 2, NULL, NULL, NULL, 'ő ☂', NULL"),
        QStringLiteral("'zz emoji 😀', CAST(x'C3A9C3' AS TEXT), 2, 3, NULL, NULL, char(65279) || 'bom', char(65535), NULL"),
    };
    for (const QString& r : rows)
        fx.exec(QStringLiteral("INSERT INTO mix (nyelv1, nyelv2, szam, tort, datum, igen, egyeb, jegyzet, kep) VALUES (%1)").arg(r));
}

} // namespace

void DelimitedExportTest::oneStatementWritesTheCursorsBytes_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<bool>("memoLines");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("stopAt"); // rows written before "Megállít"; -1: none
    QTest::addColumn<bool>("utf8");

    QTest::newRow("defaults, UTF-8") << "" << "" << ";" << "" << false << "" << -1 << true;
    QTest::newRow("Windows-1250 under a filter") << "nyelv1" << "nyelv1 NOT LIKE 'zz%' AND nyelv1 NOT LIKE 'tab%'" << ";" << "\"" << false << "" << -1 << false;
    QTest::newRow("apostrophe, TAB, memo lines") << "nyelv1" << "" << "\t" << "'" << true << "" << -1 << true;
    QTest::newRow("bar separator, memo lines, filtered") << "" << "szam <> 42 AND nyelv1 NOT LIKE 'zz%' AND nyelv1 NOT LIKE 'tab%'" << "|" << "" << true << "" << -1 << false;
    QTest::newRow("some fields unchecked") << "nyelv1" << "" << "," << "\"" << false << "0110100101" << -1 << true;
    QTest::newRow("stopped after three rows") << "nyelv1" << "" << ";" << "" << true << "" << 3 << false;
    QTest::newRow("stopped before the first row") << "" << "" << ";" << "" << false << "" << 0 << false;
}

// The export reads its rows in one statement; the table's cursor is the way every other
// reader goes. Both must give the same file, and leave the table on the same row.
void DelimitedExportTest::oneStatementWritesTheCursorsBytes() {
    QFETCH(QString, order);
    QFETCH(QString, filter);
    QFETCH(QString, separator);
    QFETCH(QString, quote);
    QFETCH(bool, memoLines);
    QFETCH(QString, checked);
    QFETCH(int, stopAt);
    QFETCH(bool, utf8);

    StoreFixture fx;
    makeAwkwardTable(fx);
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("mix"));
    t.open();
    t.setIndexFieldNames(order);
    t.setFilter(filter);
    t.setFiltered(!filter.isEmpty());
    DelimitedOptions options;
    options.separator = separator.at(0);
    if (!quote.isEmpty()) options.quote = quote.at(0);
    options.memoLines = memoLines;
    for (QChar c : checked) options.checked.push_back(c == QLatin1Char('1'));
    const RowGate gate = [stopAt](int done) { return stopAt < 0 || done < stopAt; };
    const auto fields = exportFieldsOf(t, {{QStringLiteral("nyelv2"), QStringLiteral("angol; \"második\" ő")}});

    const QString byCursor = fx.folder() + QStringLiteral("/cursor.csv");
    const DelimitedResult c = exportDelimited(t, fields, options, byCursor, gate, RowReading::Cursor);
    const int cursorRecNo = t.eof() ? -1 : t.recNo();
    const QString byStatement = fx.folder() + QStringLiteral("/statement.csv");
    t.setRecNo(2); // the export starts from the first row wherever the table stands
    const DelimitedResult s = exportDelimited(t, fields, options, byStatement, gate, RowReading::OrderedStatement);
    QVERIFY2(c.ok && s.ok, qPrintable(c.error + s.error));
    QCOMPARE(readBytes(byStatement), readBytes(byCursor));
    QCOMPARE(s.rows, c.rows);
    QCOMPARE(s.stopped, c.stopped);
    QCOMPARE(s.encoding, c.encoding);
    QCOMPARE(s.encoding, utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1250);
    QCOMPARE(t.eof() ? -1 : t.recNo(), cursorRecNo);
    QVERIFY(c.rows > 0 || stopAt == 0);
}

void DelimitedExportTest::spreadsheetNames_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("spreadsheet");
    QTest::newRow("LISTA.Xls") << "/tmp/LISTA.Xls" << true;
    QTest::newRow("lista.xls") << "/tmp/lista.xls" << true;
    QTest::newRow("lista.xlsx") << "/tmp/lista.xlsx" << false;
    QTest::newRow("lista.csv") << "/tmp/lista.csv" << false;
    QTest::newRow("xls folder") << "/tmp/a.xls/lista" << false;
}

void DelimitedExportTest::spreadsheetNames() {
    QFETCH(QString, path);
    QFETCH(bool, spreadsheet);
    QCOMPARE(isSpreadsheetFileName(path), spreadsheet);
}

QTEST_GUILESS_MAIN(DelimitedExportTest)
#include "test_delimited_export.moc"
