// The BIFF2 worksheet: the records byte by byte for each kind of cell, switched-off columns,
// the refusals, the row limit, the dataset's position, and the file read back by xlrd.

#include "common/store/table.h"
#include "exchange/logic/data_to_xls.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

struct Record {
    quint16 type = 0;
    QByteArray data;
};

QList<Record> readRecords(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    QList<Record> records;
    for (qsizetype i = 0; i + 4 <= bytes.size();) {
        const auto word = [&](qsizetype at) { return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
        Record r;
        r.type = word(i);
        r.data = bytes.mid(i + 4, word(i + 2));
        records << r;
        i += 4 + r.data.size();
    }
    return records;
}

QByteArray cell(int row, int column, int attribute3, const QByteArray& value = {}, int attribute2 = 0) {
    QByteArray d;
    d.append(char(row & 0xFF)).append(char(row >> 8)).append(char(column)).append('\0');
    d.append('\0').append(char(attribute2)).append(char(attribute3));
    return d + value;
}

QByteArray label(const QByteArray& text) {
    return QByteArray(1, char(text.size())) + text;
}

// A table of one row per value, in one column of the declared type.
void makeColumn(StoreFixture& fx, const QString& type, const QVariantList& values) {
    fx.exec(QStringLiteral("CREATE TABLE t (id AUTOINC, v %1, PRIMARY KEY (id));").arg(type));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    for (const QVariant& v : values) {
        t.insert();
        t.setValue(QStringLiteral("v"), v);
        t.post();
    }
}

} // namespace

class BiffExportTest : public QObject {
    Q_OBJECT
private slots:
    void twoTextRowsWholeFile();
    void cells_data();
    void cells();
    void switchedOffColumnLeavesNoGap();
    void positionIsRestored();
    void refusals();
    void rowLimit();
    void readBackByXlrd();
};

void BiffExportTest::twoTextRowsWholeFile() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple"), QStringLiteral("körte;pear")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/t.xls");
    TDataToXLS writer;
    writer.setDataSet(&t);
    writer.saveToFile(path);

    const QList<Record> r = readRecords(path);
    QCOMPARE(r.size(), 13);
    QCOMPARE(r[0].type, quint16(9));
    QCOMPARE(r[0].data, QByteArray("\x02\x00\x10\x00", 4));
    QCOMPARE(r[1].type, quint16(0x42));
    QCOMPARE(r[1].data, QByteArray("\xE2\x04", 2)); // 1250
    const QByteArray regular("\xC8\x00\x00\x00\x05"
                             "Arial",
                             10),
        bold("\xC8\x00\x01\x00\x05"
             "Arial",
             10);
    QCOMPARE(r[2].data, regular);
    QCOMPARE(r[3].data, bold);
    QCOMPARE(r[4].data, bold);
    QCOMPARE(r[5].type, quint16(0));
    QCOMPARE(r[5].data, QByteArray("\x00\x00\x01\x04\x00\x00\x04\x00", 8));
    QCOMPARE(r[6].type, quint16(4));
    QCOMPARE(r[6].data, cell(0, 0, 0, label("nyelv1"), 128));
    QCOMPARE(r[7].data, cell(0, 1, 0, label("nyelv2"), 128));
    QCOMPARE(r[8].data, cell(1, 0, 1, label("alma")));
    QCOMPARE(r[9].data, cell(1, 1, 1, label("apple")));
    QCOMPARE(r[10].data, cell(2, 0, 1, label("k\xF6rte")));
    QCOMPARE(r[11].data, cell(2, 1, 1, label("pear")));
    QCOMPARE(r[12].type, quint16(10));
    QVERIFY(r[12].data.isEmpty());
}

void BiffExportTest::cells_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("record");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("null text is BLANK") << "CHAR(20)" << QVariant() << 1 << cell(1, 1, 1);
    QTest::newRow("300 characters cut to 255")
        << "CHAR(255)" << QVariant(QString(300, QLatin1Char('x'))) << 4 << cell(1, 1, 1, label(QByteArray(255, 'x')));
    QTest::newRow("integer 42 right-aligned") << "INT" << QVariant(42) << 2 << cell(1, 1, 3, QByteArray("\x2A\x00", 2));
    QTest::newRow("integer 65535") << "INT" << QVariant(65535) << 2 << cell(1, 1, 3, QByteArray("\xFF\xFF", 2));
    double big = 70000, negative = -1, half = 0.5;
    QTest::newRow("integer above 65535 as NUMBER")
        << "INT" << QVariant(70000) << 3 << cell(1, 1, 3, QByteArray(reinterpret_cast<const char*>(&big), 8));
    QTest::newRow("negative integer as NUMBER")
        << "INT" << QVariant(-1) << 3 << cell(1, 1, 3, QByteArray(reinterpret_cast<const char*>(&negative), 8));
    QTest::newRow("float") << "FLOAT" << QVariant(0.5) << 3 << cell(1, 1, 3, QByteArray(reinterpret_cast<const char*>(&half), 8));
    QTest::newRow("boolean true") << "BOOLEAN" << QVariant(true) << 5 << cell(1, 1, 1, QByteArray("\x01\x00", 2));
    QTest::newRow("bytes as hex label") << "BLOB(0,2)" << QVariant(QByteArray("\x01\xAB", 2)) << 4
                                        << cell(1, 1, 1, label("01AB"));
    QTest::newRow("memo whole text") << "BLOB(0,1)" << QVariant(QStringLiteral("a\r\nb")) << 4 << cell(1, 1, 1, label("a\r\nb"));
}

void BiffExportTest::cells() {
    QFETCH(QString, type);
    QFETCH(QVariant, value);
    QFETCH(int, record);
    QFETCH(QByteArray, data);
    StoreFixture fx;
    makeColumn(fx, type, {value});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/t.xls");
    TDataToXLS writer;
    writer.setDataSet(&t);
    writer.saveToFile(path);
    const QList<Record> r = readRecords(path);
    // BOF, CODEPAGE, 3 FONT, DIMENSIONS, 2 header labels, then the row: id, v; EOF.
    QCOMPARE(r.size(), 11);
    QCOMPARE(int(r[9].type), record);
    QCOMPARE(r[9].data, data);
}

void BiffExportTest::switchedOffColumnLeavesNoGap() {
    StoreFixture fx;
    fx.exec(QStringLiteral("CREATE TABLE t (a CHAR(5), b CHAR(5), c CHAR(5), PRIMARY KEY (a));"));
    fx.exec(QStringLiteral("INSERT INTO t VALUES ('1', '2', '3');"));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/t.xls");
    const SpreadsheetResult written = exportSpreadsheet(t, exportFieldsOf(t), {true, false, true}, path);
    QCOMPARE(written.rows, 1);
    const QList<Record> r = readRecords(path);
    QCOMPARE(r.size(), 11);
    QCOMPARE(r[6].data, cell(0, 0, 0, label("a"), 128));
    QCOMPARE(r[7].data, cell(0, 1, 0, label("c"), 128));
    QCOMPARE(r[8].data, cell(1, 0, 1, label("1")));
    QCOMPARE(r[9].data, cell(1, 1, 1, label("3")));
}

void BiffExportTest::positionIsRestored() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("a;1"), QStringLiteral("b;2"), QStringLiteral("c;3")});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    t.setRecNo(2);
    int notices = 0;
    connect(&t, &store::Table::currentChanged, this, [&notices] { ++notices; });
    int afterRow = 0;
    exportSpreadsheet(t, exportFieldsOf(t), {}, fx.folder() + QStringLiteral("/t.xls"), [&afterRow] { ++afterRow; });
    QCOMPARE(t.recNo(), 2);
    QCOMPARE(afterRow, 3);
    QVERIFY(notices <= 1); // bound controls did not follow the loop row by row
}

void BiffExportTest::refusals() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {});
    const QString path = fx.folder() + QStringLiteral("/t.xls");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const auto refusal = [&](store::Table* table) {
        TDataToXLS writer;
        writer.setDataSet(table);
        try {
            writer.saveToFile(path);
        } catch (const ExportError& e) {
            return e.message();
        }
        return QString();
    };
    QCOMPARE(refusal(nullptr), QStringLiteral("Cannot perform this operation without a dataset"));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    QCOMPARE(refusal(&t), QStringLiteral("Cannot perform this operation on a closed dataset"));
    t.open();
    QCOMPARE(refusal(&t), QStringLiteral("Cannot perform this operation on an empty dataset"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
}

void BiffExportTest::rowLimit() {
    StoreFixture fx;
    fx.exec(QStringLiteral("CREATE TABLE t (id INT, PRIMARY KEY (id));"));
    fx.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65537) "
                           "INSERT INTO t SELECT i FROM n;"));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/t.xls");
    const SpreadsheetResult written = exportSpreadsheet(t, exportFieldsOf(t), {}, path);
    QVERIFY(written.rowLimitReached);
    QCOMPARE(written.rows, 65535);
    const QList<Record> r = readRecords(path);
    QCOMPARE(r.last().type, quint16(10)); // a complete worksheet up to the limit
    QCOMPARE(r[r.size() - 2].data.left(2), QByteArray("\xFF\xFF", 2));
}

void BiffExportTest::readBackByXlrd() {
    StoreFixture fx;
    fx.exec(QStringLiteral("CREATE TABLE t (nev CHAR(40), db INT, ar FLOAT, van BOOLEAN, PRIMARY KEY (nev));"));
    fx.exec(QStringLiteral("INSERT INTO t VALUES ('őszibarack', 42, 2.5, 1), ('zöld', NULL, NULL, 0);"));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/t.xls");
    exportSpreadsheet(t, exportFieldsOf(t), {}, path);

    // The Debian package python3-xlrd (scripts/install-deps) reads BIFF2 on its own terms.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, xlrd\n"
                                 "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                 "for r in range(s.nrows): print('|'.join(repr(c.value) for c in s.row(r)))\n"),
                  path});
    QVERIFY(python.waitForFinished(30000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QStringList lines = QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, QStringList({QStringLiteral("'nev'|'db'|'ar'|'van'"), QStringLiteral("'őszibarack'|42.0|2.5|1"),
                                 QStringLiteral("'zöld'|''|''|0")}));
}

QTEST_GUILESS_MAIN(BiffExportTest)
#include "test_biff_export.moc"
