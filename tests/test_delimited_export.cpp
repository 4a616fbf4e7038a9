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
