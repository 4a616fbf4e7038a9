// The two plain-text import formats stored into real tables: word pairs with a chosen separator
// and "##" headword blocks, with the edge cases of both formats.

#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_routines.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/import_line_reader.h"
#include "exchange/logic/list_import.h"
#include "exchange/logic/pair_import.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

QString visible(QString text) {
    text.replace(QLatin1String("\r"), QLatin1String("\\r"));
    text.replace(QLatin1String("\n"), QLatin1String("\\n"));
    text.replace(QLatin1String("\t"), QLatin1String("\\t"));
    return text;
}

// Every row as "first|second", in key order, control characters made visible.
QStringList tableRows(StoreFixture& fx, const QString& table, const QString& first, const QString& second) {
    QStringList rows;
    for (const QString& row : fx.rows(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1, %2").arg(first, second, table)))
        rows << visible(row.section(QLatin1Char('\t'), 0, 0)) + QLatin1Char('|') + visible(row.section(QLatin1Char('\t'), 1));
    return rows;
}

void makeTable(StoreFixture& fx, int type, const QString& name) {
    fx.exec(createDictionaryTableLines(type, name).join(QLatin1Char('\n')));
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestImportFormats : public QObject {
    Q_OBJECT

private slots:
    void pairLines_data();
    void pairLines();
    void pairImportNeverChangesExistingRows();
    void pairImportStopsWhenTheStoreFails();
    void headwordLines_data();
    void headwordLines();
    void listBlocks_data();
    void listBlocks();
    void listImportRefusesAWrongTable();
    void editorFileText_data();
    void editorFileText();
    void cutLongLines_data();
    void cutLongLines();
    void breakLongLines_data();
    void breakLongLines();
    void previewOfALargeFile();
    void lineReaderMatchesTheWholeText_data();
    void lineReaderMatchesTheWholeText();
    void lineReaderStopsAndFails();
};

void TestImportFormats::pairLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("separatorChoice");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("refused");

    const QStringList none;
    QTest::newRow("third field ignored") << QStringList{"alma;apple;extra"} << 0 << QStringList{"alma|apple"} << 0;
    QTest::newRow("spaces kept") << QStringList{" alma ; apple "} << 0 << QStringList{" alma | apple "} << 0;
    QTest::newRow("no separator: all first field") << QStringList{"alma apple"} << 0 << QStringList{"alma apple|"} << 0;
    QTest::newRow("two separators: empty second") << QStringList{"alma;;apple"} << 0 << QStringList{"alma|"} << 0;
    QTest::newRow("quotes are characters") << QStringList{"\"alma\";'apple'"} << 0 << QStringList{"\"alma\"|'apple'"} << 0;
    QTest::newRow("empty line offered, refused by the key")
        << QStringList{"alma;apple", ""} << 0 << QStringList{"alma|apple"} << 1;
    QTest::newRow("separator first: empty key refused") << QStringList{";apple"} << 0 << none << 1;
    QTest::newRow("comma") << QStringList{"alma,apple", "a;b"} << 1 << QStringList{"a;b|", "alma|apple"} << 0;
    QTest::newRow("tab splits only at tab") << QStringList{"a;b", "c\td;e"} << 2 << QStringList{"a;b|", "c|d;e"} << 0;
    QTest::newRow("vertical bar") << QStringList{"alma|apple", "a,b"} << 3 << QStringList{"a,b|", "alma|apple"} << 0;
    QTest::newRow("duplicate pair refused") << QStringList{"alma;apple", "alma;apple"} << 0 << QStringList{"alma|apple"} << 1;
    QTest::newRow("one word, two pairs") << QStringList{"alma;apple", "alma;apple tree"} << 0
                                         << QStringList{"alma|apple", "alma|apple tree"} << 0;
    QTest::newRow("case makes another key") << QStringList{"Alma;x", "alma;x"} << 0 << QStringList{"alma|x", "Alma|x"} << 0;
    QTest::newRow("accents") << QStringList{"árvíztűrő;flood-proof", "ŐŰ;x"} << 0 << QStringList{"árvíztűrő|flood-proof", "ŐŰ|x"}
                             << 0;
    QTest::newRow("too long cut to the column")
        << QStringList{QString(60, QLatin1Char('a')) + ";b"} << 0 << QStringList{QString(50, QLatin1Char('a')) + "|b"} << 0;
    QTest::newRow("unknown choice is semicolon") << QStringList{"a;b"} << 7 << QStringList{"a|b"} << 0;
}

void TestImportFormats::pairLines() {
    QFETCH(QStringList, lines);
    QFETCH(int, separatorChoice);
    QFETCH(QStringList, rows);
    QFETCH(int, refused);

    StoreFixture fx;
    makeTable(fx, Bilingual, QStringLiteral("angol"));
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("angol"));
    table.open();
    PairImporter importer(table, pairSeparator(separatorChoice));
    for (const QString& line : lines) QVERIFY(importer.offer(line) != RowResult::Failed);
    QVERIFY(importer.finish());

    QCOMPARE(tableRows(fx, QStringLiteral("angol"), QStringLiteral("nyelv1"), QStringLiteral("nyelv2")), rows);
    QCOMPARE(importer.counts().offered, qint64(lines.size()));
    QCOMPARE(importer.counts().stored, qint64(rows.size()));
    QCOMPARE(importer.counts().refused, qint64(refused));
    // The cursor shows the new rows once the import is over.
    QCOMPARE(table.recordCount(), rows.size());
    QVERIFY(!table.controlsDisabled());
}

void TestImportFormats::pairImportNeverChangesExistingRows() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple"), QStringLiteral("körte;pear")});
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("angol"));
    table.open();
    const QStringList before =
        tableRows(fx, QStringLiteral("angol"), QStringLiteral("rowid"), QStringLiteral("nyelv1 || ';' || nyelv2"));
    {
        PairImporter importer(table, QLatin1Char(';'));
        // The same file twice: the second time every row is refused and nothing moves.
        for (int round = 0; round < 2; ++round)
            for (const QString& line : {QStringLiteral("alma;apple"), QStringLiteral("szilva;plum")}) importer.offer(line);
        QVERIFY(importer.finish());
        QCOMPARE(importer.counts().stored, qint64(1));
        QCOMPARE(importer.counts().refused, qint64(3));
    }
    const QStringList after =
        tableRows(fx, QStringLiteral("angol"), QStringLiteral("rowid"), QStringLiteral("nyelv1 || ';' || nyelv2"));
    QCOMPARE(after.mid(0, 2), before);
    QCOMPARE(after.size(), 3);
}

void TestImportFormats::pairImportStopsWhenTheStoreFails() {
    // Another program holds the table file locked for longer than the store waits: that is no
    // refusal of one row, and skipping every following row would report the import as done.
    StoreFixture fx;
    fx.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("angol"));
    table.open();

    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(fx.db().tableFile(QStringLiteral("angol")).toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    PairImporter importer(table, QLatin1Char(';'));
    QCOMPARE(importer.offer(QStringLiteral("körte;pear")), RowResult::Failed);
    QVERIFY(importer.failed());
    QVERIFY(!importer.failure().isEmpty());
    // Once failed, no further row waits for the lock again.
    QCOMPARE(importer.offer(QStringLiteral("szilva;plum")), RowResult::Failed);
    QCOMPARE(importer.counts().offered, qint64(1));

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY(!importer.finish());
    QCOMPARE(tableRows(fx, QStringLiteral("angol"), QStringLiteral("nyelv1"), QStringLiteral("nyelv2")),
             QStringList{"alma|apple"});
}

void TestImportFormats::headwordLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isHeadword");
    QTest::addColumn<QString>("headword");

    QTest::newRow("plain") << "##alma" << true << "alma";
    QTest::newRow("blanks around") << "##  alma " << true << "alma";
    QTest::newRow("third hash kept") << "###x" << true << "#x";
    QTest::newRow("indented marker") << "  \t##alma" << true << "alma";
    QTest::newRow("marker alone") << "##" << true << "";
    QTest::newRow("marker and blanks") << "##   " << true << "";
    QTest::newRow("inner blanks kept") << "##piros  alma" << true << "piros  alma";
    QTest::newRow("one hash") << "#alma" << false << "";
    QTest::newRow("hashes inside") << "x##alma" << false << "";
    QTest::newRow("no-break space is no blank") << QString(QChar(0xA0)) + "##alma" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestImportFormats::headwordLines() {
    QFETCH(QString, line);
    QFETCH(bool, isHeadword);
    QFETCH(QString, headword);
    QCOMPARE(isHeadwordLine(line), isHeadword);
    if (isHeadword) QCOMPARE(headwordOf(line), headword);
}

void TestImportFormats::listBlocks_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("refused");

    QTest::newRow("two blocks") << QStringList{"##alma", "first line", "second line", "##körte", "pear"}
                                << QStringList{"alma|first line\\r\\nsecond line\\r\\n", "körte|pear\\r\\n"} << 0;
    QTest::newRow("single headword, empty body") << QStringList{"##alma"} << QStringList{"alma|"} << 0;
    QTest::newRow("body lines before the first headword")
        << QStringList{"one", "two", "##alma", "x"} << QStringList{"alma|one\\r\\ntwo\\r\\nx\\r\\n"} << 0;
    QTest::newRow("empty headword carries its lines over")
        << QStringList{"##a", "x", "##", "y", "##b", "z"} << QStringList{"a|x\\r\\n", "b|y\\r\\nz\\r\\n"} << 0;
    QTest::newRow("lines after a last empty headword dropped")
        << QStringList{"##a", "x", "##  ", "y"} << QStringList{"a|x\\r\\n"} << 0;
    QTest::newRow("no headword at all") << QStringList{"just", "text"} << QStringList{} << 0;
    QTest::newRow("body lines unchanged, empty ones too")
        << QStringList{"##a", "  indented  ", "", "\tx", ""} << QStringList{"a|  indented  \\r\\n\\r\\n\\tx\\r\\n\\r\\n"} << 0;
    QTest::newRow("duplicate headword refused")
        << QStringList{"##alma", "first", "##alma", "second"} << QStringList{"alma|first\\r\\n"} << 1;
    QTest::newRow("headword cut to 75") << QStringList{"##" + QString(100, QLatin1Char('h')), "x"}
                                        << QStringList{QString(75, QLatin1Char('h')) + "|x\\r\\n"} << 0;
    QTest::newRow("trimmed headword") << QStringList{"  ##  alma  ", "x"} << QStringList{"alma|x\\r\\n"} << 0;
    QTest::newRow("accents") << QStringList{"##árvíztűrő", "tükörfúrógép"} << QStringList{"árvíztűrő|tükörfúrógép\\r\\n"} << 0;
}

void TestImportFormats::listBlocks() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, rows);
    QFETCH(int, refused);

    StoreFixture fx;
    makeTable(fx, HeadwordList, QStringLiteral("lexikon"));
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("lexikon"));
    table.open();
    ListImporter importer(table);
    for (const QString& line : lines) importer.addLine(line);
    QVERIFY(importer.finish());

    QCOMPARE(tableRows(fx, QStringLiteral("lexikon"), QStringLiteral("nyelv1"), QStringLiteral("megjegyzes")), rows);
    QCOMPARE(importer.counts().stored, qint64(rows.size()));
    QCOMPARE(importer.counts().refused, qint64(refused));
}

void TestImportFormats::listImportRefusesAWrongTable() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("angol"));
    table.open();
    QVERIFY_THROWS_EXCEPTION(store::StoreError, ListImporter{table});
    // The failed start leaves the cursor as it was.
    QVERIFY(!table.controlsDisabled());
}

void TestImportFormats::editorFileText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("Windows-1250") << QByteArray("k\xf6rte;pear\r\n\xe1rv\xedzt\xfbr\xf5;x")
                                  << QString::fromUtf8("körte;pear\r\nárvíztűrő;x");
    QTest::newRow("UTF-8") << QByteArray("körte;pear\nárvíztűrő;x\n") << QString::fromUtf8("körte;pear\nárvíztűrő;x\n");
    QTest::newRow("UTF-8 mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                      "alma;apple")
                                        << QStringLiteral("alma;apple");
    QTest::newRow("NUL ends the text") << QByteArray("alma;apple\r\nk\0rte;pear", 22) << QStringLiteral("alma;apple\r\nk");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestImportFormats::editorFileText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pairs.txt"));
    QVERIFY(writeBytes(path, bytes));
    const EditorFileText file = readFileForEditor(path);
    QVERIFY(file.ok);
    QCOMPARE(QString::fromUtf8(file.utf8), text);
    QCOMPARE(file.cutLines, 0);

    const EditorFileText missing = readFileForEditor(dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!missing.ok);
    QVERIFY(!missing.error.isEmpty());
    // A folder exists but is no file to read.
    QVERIFY(!readFileForEditor(dir.path()).ok);
}

void TestImportFormats::cutLongLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("longest");
    QTest::addColumn<QString>("cutText");
    QTest::addColumn<int>("cut");

    QTest::newRow("nothing long") << "abc\r\nde" << 3 << "abc\r\nde" << 0;
    QTest::newRow("one line cut") << "abcdef\r\nde" << 3 << "abc\r\nde" << 1;
    QTest::newRow("every line end kind") << "abcd\rabcd\nabcd\r\nab" << 2 << "ab\rab\nab\r\nab" << 3;
    QTest::newRow("characters, not bytes") << "őűáé;x\nő" << 4 << "őűáé\nő" << 1;
    QTest::newRow("last line") << "a\nabcdef" << 4 << "a\nabcd" << 1;
}

void TestImportFormats::cutLongLines() {
    QFETCH(QString, text);
    QFETCH(int, longest);
    QFETCH(QString, cutText);
    QFETCH(int, cut);
    int count = -1;
    QCOMPARE(QString::fromUtf8(verbalo::cutLongLines(text.toUtf8(), longest, &count)), cutText);
    QCOMPARE(count, cut);
}

void TestImportFormats::breakLongLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("longest");
    QTest::addColumn<QString>("broken");

    QTest::newRow("short lines stay") << "abc\r\nde" << 3 << "abc\r\nde";
    QTest::newRow("long line in pieces") << "abcdefgh\r\nxy" << 3 << "abc\ndef\ngh\r\nxy";
    QTest::newRow("exact multiple") << "abcdef" << 3 << "abc\ndef";
}

void TestImportFormats::breakLongLines() {
    QFETCH(QString, text);
    QFETCH(int, longest);
    QFETCH(QString, broken);
    QCOMPARE(verbalo::breakLongLines(text, longest), broken);
}

void TestImportFormats::previewOfALargeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i) bytes += "##szo" + QByteArray::number(i) + "\r\nszoveg\r\n";
    QVERIFY(writeBytes(path, bytes));

    const PreviewText whole = readPreviewText(path, bytes.size());
    QVERIFY(whole.ok);
    QVERIFY(!whole.shortened);
    const QString text = QString::fromLatin1(bytes).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QCOMPARE(whole.text, text);

    const PreviewText start = readPreviewText(path, 100);
    QVERIFY(start.shortened);
    QVERIFY(start.text.size() <= 104);
    // Whole lines only, then the mark that more follows.
    QVERIFY(start.text.endsWith(QLatin1String("\n...")));
    QVERIFY(text.startsWith(start.text.chopped(3)));
}

void TestImportFormats::lineReaderMatchesTheWholeText_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray ascii = QByteArray("alma;apple\r\n").repeated(4);

    QTest::newRow("UTF-8, CR LF, last line without a break") << QByteArray("alma;apple\r\nkörte;pear\r\nárvíztűrő;flood-proof");
    QTest::newRow("empty last line") << QByteArray("alma;apple\r\nkörte;pear\r\n");
    QTest::newRow("CR, LF and blank lines") << QByteArray("a\r\rb\n\nc\r\n\r");
    QTest::newRow("only a line break") << QByteArray("\r\n");
    QTest::newRow("four-byte characters") << QByteArray("😀;smile\r\n𝄞\r\n");
    QTest::newRow("Windows-1250") << QByteArray("k\xf6rte;pear\r\n\xe1rv\xedzt\xfbr\xf5;x\r\n");
    QTest::newRow("ASCII first, UTF-8 later") << ascii + "ő;x\n";
    QTest::newRow("ASCII first, Windows-1250 later") << ascii + "k\xf6rte;pear";
    QTest::newRow("UTF-8 until a broken byte far on") << "ő;x\n" + ascii + "\xf5;z\r\n";
    QTest::newRow("UTF-8 cut short at the end") << ascii + "ő;\xC5";
    QTest::newRow("mark, broken bytes") << bom + "ő\xC3\n\xE2\x82;x\r\n\xA9"
                                                 "b\xF0\x9F";
    QTest::newRow("mark only") << bom;
    QTest::newRow("a second mark is text") << bom + bom + "a\n" + bom + "b";
    QTest::newRow("NUL ends the text") << QByteArray("alma;apple\r\nk\0rte;pear", 22);
    QTest::newRow("NUL after a CR") << QByteArray("alma\r\0\nx", 9);
    QTest::newRow("empty") << QByteArray();
}

// The file read a chunk at a time gives the lines of the whole text, whatever the chunk edges
// cut: a character, a CR LF, the byte order mark, a line.
void TestImportFormats::lineReaderMatchesTheWholeText() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pairs.txt"));
    QVERIFY(writeBytes(path, bytes));
    const ImportText whole = readImportText(path);
    QVERIFY(whole.ok);
    for (const bool keepEmptyLastLine : {true, false}) {
        const QStringList expected = splitLines(whole.text, keepEmptyLastLine);
        for (const qint64 chunk : {1, 2, 3, 4, 5, 7, 11, 64, int(kImportChunkBytes)}) {
            ImportLineReader reader(path, chunk);
            QVERIFY(reader.open());
            QStringList lines;
            QVERIFY(reader.forEachLine(keepEmptyLastLine, [&lines](QStringView line) {
                lines << line.toString();
                return true;
            }));
            QVERIFY2(lines == expected, qPrintable(QStringLiteral("chunk %1, keep %2: %3")
                                                       .arg(chunk)
                                                       .arg(keepEmptyLastLine)
                                                       .arg(visible(lines.join(QLatin1Char('|'))))));
        }
    }
}

void TestImportFormats::lineReaderStopsAndFails() {
    QTemporaryDir dir;
    // Over two default chunks of ASCII before the one Windows-1250 letter: the choice of the
    // encoding looks ahead past the chunk it is in.
    const QString path = dir.filePath(QStringLiteral("pairs.txt"));
    QByteArray bytes = QByteArray("alma;apple\r\n").repeated(int(2.5 * kImportChunkBytes / 12));
    bytes += "k\xf6rte;pear\r\n";
    QVERIFY(writeBytes(path, bytes));
    ImportLineReader reader(path);
    QVERIFY(reader.open());
    qsizetype count = 0;
    QString last;
    QVERIFY(reader.forEachLine(false, [&](QStringView line) {
        ++count;
        last = line.toString();
        return true;
    }));
    QCOMPARE(count, lineCount(readImportText(path).text));
    QCOMPARE(last, QString::fromUtf8("körte;pear"));

    // A false from the caller ends the reading; it is no failure.
    ImportLineReader stopped(path, 16);
    QVERIFY(stopped.open());
    QStringList lines;
    QVERIFY(stopped.forEachLine(false, [&lines](QStringView line) {
        lines << line.toString();
        return lines.size() < 3;
    }));
    QCOMPARE(lines, QStringList(3, QStringLiteral("alma;apple")));

    // A file that cannot be opened gives readImportText's message.
    for (const QString& missing : {dir.filePath(QStringLiteral("none.txt")), dir.path()}) {
        ImportLineReader none(missing);
        QVERIFY(!none.open());
        QCOMPARE(none.error(), readImportText(missing).error);
    }
}

QTEST_GUILESS_MAIN(TestImportFormats)
#include "test_import_formats.moc"
