// The headword list written as a "##" text file, and read back by the list import: the layout,
// the encodings, and the round trip that adds one empty body line per cycle.

#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "exchange/logic/list_import.h"
#include "exchange/logic/list_text_writer.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

struct Entry {
    QString headword;
    QVariant body; // null for a NULL text
};

void makeList(StoreFixture& fx, const QString& name, const QList<Entry>& entries) {
    fx.exec(createDictionaryTableLines(HeadwordList, name).join(QLatin1Char('\n')));
    store::Table t(fx.db());
    t.setTableName(name);
    t.open();
    for (const Entry& e : entries) {
        t.insert();
        t.setValue(QStringLiteral("nyelv1"), e.headword);
        t.setValue(QStringLiteral("megjegyzes"), e.body);
        t.post();
    }
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Headword -> body of every row.
QMap<QString, QString> bodies(StoreFixture& fx, const QString& table) {
    store::Table t(fx.db());
    t.setTableName(table);
    t.open();
    QMap<QString, QString> out;
    for (t.first(); !t.eof(); t.next()) out.insert(t.text(QStringLiteral("nyelv1")), t.text(QStringLiteral("megjegyzes")));
    return out;
}

// Exports one list and imports the file into a new one.
void exportAndImport(StoreFixture& fx, const QString& from, const QString& to, const QString& path) {
    store::Table source(fx.db());
    source.setTableName(from);
    source.open();
    const TextWriteResult written = writeListText(source, path);
    QVERIFY2(written.ok, qPrintable(written.error));

    fx.exec(createDictionaryTableLines(HeadwordList, to).join(QLatin1Char('\n')));
    store::Table target(fx.db());
    target.setTableName(to);
    target.open();
    const TextReadResult file = readTextFile(path);
    QVERIFY(file.ok);
    ListImporter importer(target);
    for (const QString& line : file.lines) importer.addLine(line);
    QVERIFY(importer.finish());
}

} // namespace

class TestListExport : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void windows1250WithCrLf();
    void utf8WhenTheCodePageLacksACharacter();
    void cursorStaysWhereItWas();
    void roundTripAddsOneEmptyLinePerCycle_data();
    void roundTripAddsOneEmptyLinePerCycle();
};

void TestListExport::layout_data() {
    QTest::addColumn<QStringList>("headwords");
    QTest::addColumn<QVariantList>("texts");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("two entries") << QStringList{"alma", "körte"} << QVariantList{"first line\r\nsecond line", ""}
                                 << QStringList{"##alma", "first line", "second line", "##körte", ""};
    QTest::newRow("null text is one empty line") << QStringList{"alma"} << QVariantList{QVariant()} << QStringList{"##alma", ""};
    QTest::newRow("final break gives an extra empty line")
        << QStringList{"alma"} << QVariantList{"x\r\n"} << QStringList{"##alma", "x", ""};
    QTest::newRow("bare line feeds become lines")
        << QStringList{"alma"} << QVariantList{"a\nb\rc"} << QStringList{"##alma", "a", "b", "c"};
    QTest::newRow("headword order") << QStringList{"zab", "Alma", "alma", "ég"} << QVariantList{"1", "2", "3", "4"}
                                    << QStringList{"##alma", "3", "##Alma", "2", "##ég", "4", "##zab", "1"};
    QTest::newRow("empty list") << QStringList{} << QVariantList{} << QStringList{};
}

void TestListExport::layout() {
    QFETCH(QStringList, headwords);
    QFETCH(QVariantList, texts);
    QFETCH(QStringList, lines);
    StoreFixture fx;
    QList<Entry> entries;
    for (int i = 0; i < headwords.size(); ++i) entries.append(Entry{headwords[i], texts[i]});
    makeList(fx, QStringLiteral("lexikon"), entries);
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("lexikon"));
    t.open();
    QCOMPARE(listTextLines(t), lines);
}

void TestListExport::windows1250WithCrLf() {
    StoreFixture fx;
    makeList(fx, QStringLiteral("lexikon"), {{"alma", "first line\r\nsecond line"}, {"körte", ""}});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("lexikon"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/out.txt");
    QVERIFY(QFile(path).open(QIODevice::WriteOnly)); // an existing file is overwritten
    const TextWriteResult written = writeListText(t, path);
    QVERIFY(written.ok);
    QCOMPARE(written.encoding, TextEncoding::Windows1250);
    QCOMPARE(readBytes(path), QByteArray("##alma\r\nfirst line\r\nsecond line\r\n##k\xf6rte\r\n\r\n"));
}

void TestListExport::utf8WhenTheCodePageLacksACharacter() {
    StoreFixture fx;
    makeList(fx, QStringLiteral("lexikon"), {{"körte", "pear"}, {"日本", "Japan"}});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("lexikon"));
    t.open();
    const QString path = fx.folder() + QStringLiteral("/out.txt");
    const TextWriteResult written = writeListText(t, path);
    QVERIFY(written.ok);
    QCOMPARE(written.encoding, TextEncoding::Utf8);
    QCOMPARE(readBytes(path), QByteArray("\xEF\xBB\xBF##körte\r\npear\r\n##日本\r\nJapan\r\n"));
}

void TestListExport::cursorStaysWhereItWas() {
    StoreFixture fx;
    makeList(fx, QStringLiteral("lexikon"), {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("lexikon"));
    t.open();
    t.setRecNo(2);
    int moves = 0;
    connect(&t, &store::Table::currentChanged, this, [&moves] { ++moves; });
    QCOMPARE(listTextLines(t).size(), 6);
    QCOMPARE(t.recNo(), 2);
    QCOMPARE(moves, 0);
}

void TestListExport::roundTripAddsOneEmptyLinePerCycle_data() {
    QTest::addColumn<QString>("body");
    QTest::newRow("as the import stores it") << "first\r\nsecond\r\n";
    QTest::newRow("empty") << "";
    QTest::newRow("no final break") << "text";
    QTest::newRow("blank lines inside") << "a\r\n\r\n\r\nb\r\n";
    QTest::newRow("body line that looks like a headword line after trimming") << " x ##no\r\n";
}

void TestListExport::roundTripAddsOneEmptyLinePerCycle() {
    QFETCH(QString, body);
    StoreFixture fx;
    makeList(fx, QStringLiteral("l0"), {{"alma", body}, {"körte", "pear\r\n"}});
    exportAndImport(fx, QStringLiteral("l0"), QStringLiteral("l1"), fx.folder() + QStringLiteral("/1.txt"));
    exportAndImport(fx, QStringLiteral("l1"), QStringLiteral("l2"), fx.folder() + QStringLiteral("/2.txt"));

    const QMap<QString, QString> first = bodies(fx, QStringLiteral("l1"));
    const QMap<QString, QString> second = bodies(fx, QStringLiteral("l2"));
    QCOMPARE(first.keys(), (QStringList{"alma", "körte"}));
    QCOMPARE(second.keys(), first.keys());
    QCOMPARE(first.value(QStringLiteral("alma")), body + QStringLiteral("\r\n"));
    QCOMPARE(second.value(QStringLiteral("alma")), body + QStringLiteral("\r\n\r\n"));
    QCOMPARE(second.value(QStringLiteral("körte")), QStringLiteral("pear\r\n\r\n\r\n"));
}

QTEST_GUILESS_MAIN(TestListExport)
#include "test_list_export.moc"
