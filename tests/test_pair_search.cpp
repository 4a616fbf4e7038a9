// The bilingual window's searches and settings without the window: the prefix list and the
// expression search statements, the expression search on a real table, the lazy word-list
// model, the column widths and the catalogue writes, and saving result lines.
#include "common/catalogue.h"
#include "common/store/table.h"
#include "common/store/sqlite_handle.h"
#include "common/text_file.h"
#include "common/text_routines.h"
#include "dictionaries/pair_list_model.h"
#include "dictionaries/logic/pair_search.h"
#include "dictionaries/logic/pair_view_settings.h"
#include "dictionaries/logic/result_writers.h"
#include "support/store_fixture.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace verbalo;

class PairSearchTest : public QObject {
    Q_OBJECT
private slots:
    void prefixListFindsRows_data();
    void prefixListFindsRows();
    void prefixListCursorReadsOnlyItsRange_data();
    void prefixListCursorReadsOnlyItsRange();
    void expressionSearch_data();
    void expressionSearch();
    void expressionLinesHaveTheMatchInBold();

    void roundingHalvesToEven_data();
    void roundingHalvesToEven();
    void columnWidthsAndShares();
    void closingUpdateStatement();
    void viewSettingsGoToTheCatalogueRow();

    void modelShowsTheOrderColumnFirst();
    void modelFollowsTheCursorsRows();
    void modelSeesRowsAnotherConnectionAdded();
    void modelShowsALongTableInSteps();

    void resultFilesKeepTextAndColours();
};

void PairSearchTest::prefixListFindsRows_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("plain prefix, any case") << "nyelv1"
                                            << "ab" << QStringList{"Abba", "ab", "abc"};
    QTest::newRow("second language") << "nyelv2"
                                     << "ház" << QStringList{"házak", "kert"};
    QTest::newRow("quote inside") << "nyelv1"
                                  << "o'c" << QStringList{"o'clock"};
    QTest::newRow("only quotes") << "nyelv1"
                                 << "''" << QStringList{};
    // The typed text is a pattern: its wildcards keep their meaning.
    QTest::newRow("wildcards stay") << "nyelv1"
                                    << "a_%" << QStringList{"Abba", "a_b", "ab", "abc", "axb"};
}

void PairSearchTest::prefixListFindsRows() {
    QFETCH(QString, order);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"),
                {"ab;x", "abc;y", "Abba;z", "o'clock;óra", "a_b;u", "axb;v", "ház;a house", "házak;házak", "kert;ház kert"});
    QStringList firsts;
    for (const QString& row : f.rows(verbalo::prefixListStatement(QStringLiteral("angol"), order, text)))
        firsts << row.section(QLatin1Char('\t'), 0, 0);
    firsts.sort(Qt::CaseInsensitive);
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    std::sort(firsts.begin(), firsts.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(firsts, found);
    QCOMPARE(f.rows(wholeTableStatement(QStringLiteral("angol"))).size(), 9);
}

void PairSearchTest::prefixListCursorReadsOnlyItsRange_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("byRange");
    QTest::newRow("lower case") << "ab" << QStringList{"ab", "AB", "Abba", "abc", "abž", "ab中"} << true;
    // Lower case sorts first: a typed capital still reaches «ab».
    QTest::newRow("capitals") << "AB" << QStringList{"ab", "AB", "Abba", "abc", "abž", "ab中"} << true;
    QTest::newRow("accented") << "áb" << QStringList{"ábra"} << true;
    QTest::newRow("range up to the wildcard") << "ab_" << QStringList{"Abba", "abc", "abž", "ab中"} << true;
    QTest::newRow("wildcard first") << "_b" << QStringList{"ab", "AB", "Abba", "abc", "ábra", "abž", "ab中"} << false;
}

// The list the search tab shows while the user types: its cursor reads the rows of an index
// range, not the table, and lists them in the order and with the content the LIKE alone gives.
void PairSearchTest::prefixListCursorReadsOnlyItsRange() {
    QFETCH(QString, text);
    QFETCH(QStringList, listed);
    QFETCH(bool, byRange);
    test::StoreFixture f;
    QStringList pairs{"ab;1", "AB;2", "Abba;3", "abc;4", "abž;5", "ab中;6", "ábra;7", "aa;8", "ac;9", "b;10"};
    for (int i = 0; i < 300; ++i) pairs << QStringLiteral("w%1;x").arg(i, 3, 10, QLatin1Char('0'));
    f.makePairs(QStringLiteral("angol"), pairs);
    store::Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    t.setFilter(prefixListCondition(QStringLiteral("nyelv1"), text));
    t.setFiltered(true);
    t.setIndexFieldNames(QStringLiteral("nyelv1"));
    t.open();
    const quint64 before = t.rowsRead();
    QStringList got;
    for (int i = 0; i < t.recordCount(); ++i) got << t.valueAt(i, 0).toString();
    QCOMPARE(got, listed);
    const QStringList likeOnly = f.rows(QStringLiteral("SELECT nyelv1 FROM angol WHERE nyelv1 LIKE %1 ORDER BY nyelv1")
                                            .arg(store::quoteLiteral(text + QLatin1Char('%'))));
    QCOMPARE(got, likeOnly);
    // The order reads the range (a few accented forms more than it lists); showing the rows
    // reads each of them once more, and no other row.
    const quint64 read = t.rowsRead();
    QVERIFY2(byRange == (before <= static_cast<quint64>(2 * listed.size() + 8)), qPrintable(QString::number(before)));
    QVERIFY2(read - before <= static_cast<quint64>(listed.size() + 1), qPrintable(QString::number(read - before)));
}

void PairSearchTest::expressionSearch_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("tooShort");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("empty") << "" << true << QStringList{};
    QTest::newRow("two characters") << "ab" << true << QStringList{};
    QTest::newRow("any letter case") << "abc" << false << QStringList{"abcd", "xABCy", "Abc"};
    QTest::newRow("accented capitals") << "ÁZA" << false << QStringList{"háza"};
    QTest::newRow("quote inside") << "o'c" << false << QStringList{"o'clock"};
    QTest::newRow("only quotes") << "'''" << false << QStringList{};
    QTest::newRow("only percent signs") << "%%%" << false << QStringList{"abcd", "xABCy", "Abc", "o'clock", "háza", "ab"};
    QTest::newRow("underscores") << "___" << false << QStringList{"abcd", "xABCy", "Abc", "o'clock", "háza"};
    QTest::newRow("nothing") << "qqq" << false << QStringList{};
}

void PairSearchTest::expressionSearch() {
    QFETCH(QString, expression);
    QFETCH(bool, tooShort);
    QFETCH(QStringList, values);
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"abcd;egy", "xABCy;kettő", "Abc;három", "o'clock;óra", "háza;ház", "ab;rövid"});
    const ExpressionSearchResult r = searchExpression(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"), expression);
    QCOMPARE(r.tooShort, tooShort);
    QStringList got;
    for (const OccurrenceRow& m : r.matches) got << m.value;
    got.sort();
    values.sort();
    QCOMPARE(got, values);
}

void PairSearchTest::expressionLinesHaveTheMatchInBold() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"xABCy;kettő", "nabc;"});
    const ExpressionSearchResult r =
        searchExpression(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"), QStringLiteral("abc"));
    ResultLines lines;
    appendExpressionMatches(lines, r.matches);
    QCOMPARE(lines.count(), 4);
    QStringList texts = lines.plainLines();
    const int x = texts.indexOf(QStringLiteral("xABCy"));
    QVERIFY(x >= 0);
    QCOMPARE(texts.at(x + 1), QStringLiteral("   kettő"));
    QCOMPARE(lines.line(x).boldStart, 1u);
    QCOMPARE(lines.line(x).boldLength, 3u);
    QCOMPARE(lines.line(x).colour, LineColour::Black);
    QCOMPARE(lines.line(x + 1).boldLength, 0u);
    const int n = texts.indexOf(QStringLiteral("nabc"));
    QCOMPARE(texts.at(n + 1), QStringLiteral("   "));

    // A match through a wildcard has no literal place: nothing is bold.
    ResultLines wild;
    appendExpressionMatches(
        wild, searchExpression(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"), QStringLiteral("a_c")).matches);
    QCOMPARE(wild.count(), 4);
    for (int i = 0; i < wild.count(); ++i) QCOMPARE(wild.line(i).boldLength, 0u);
}

void PairSearchTest::roundingHalvesToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("350.5") << 350.5 << 350;
    QTest::newRow("351.5") << 351.5 << 352;
    QTest::newRow("350.49") << 350.49 << 350;
    QTest::newRow("350.51") << 350.51 << 351;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("nan") << qQNaN() << 0;
}

void PairSearchTest::roundingHalvesToEven() {
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(roundHalfEven(value), rounded);
}

void PairSearchTest::columnWidthsAndShares() {
    const PairColumnWidths even = pairColumnWidths(764 - 64, 0.5, 0.5);
    QCOMPARE(even.nyelv1, 350);
    QCOMPARE(even.nyelv2, 350);
    const PairColumnWidths odd = pairColumnWidths(701, 0.5, 0.5); // 350.5 each
    QCOMPARE(odd.nyelv1, 350);
    QCOMPARE(odd.nyelv2, 350);
    // Ordered by nyelv2 with widths 200 (first column, nyelv2) and 100 (nyelv1).
    QCOMPARE(*nyelv1ShareOf(100, 200), 1.0 / 3.0);
    QVERIFY(!nyelv1ShareOf(0, 0).has_value());
}

void PairSearchTest::closingUpdateStatement() {
    QCOMPARE(verbalo::closingUpdateStatement(QStringLiteral("nyelv1"), 0, 7),
             QStringLiteral("UPDATE szotarak SET sorrend='nyelv1',ablak=0 WHERE szotarak=7;"));
    QCOMPARE(verbalo::closingUpdateStatement(QStringLiteral("ny'x"), 2, 12),
             QStringLiteral("UPDATE szotarak SET sorrend='ny''x',ablak=2 WHERE szotarak=12;"));
}

void PairSearchTest::viewSettingsGoToTheCatalogueRow() {
    test::StoreFixture f;
    QVERIFY(createEmptyCatalogue(f.folder(), nullptr));
    f.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, nyelv1szeles, nyelv2szeles, sorrend, ablak) "
                          "VALUES ('A', 'a', 1, 0.5, 0.5, 'nyelv1', 0), ('B', 'b', 1, 0.5, 0.5, 'nyelv1', 0);"));
    QVERIFY(saveViewSettings(f.db(), 2, 1.0 / 3.0, QStringLiteral("nyelv2"), 1));
    const QStringList rows =
        f.rows(QStringLiteral("SELECT szotarak, nyelv1szeles, nyelv2szeles, sorrend, ablak FROM szotarak ORDER BY szotarak"));
    QCOMPARE(rows.at(0), QStringLiteral("1\t0.5\t0.5\tnyelv1\t0"));
    const QStringList b = rows.at(1).split(QLatin1Char('\t'));
    QVERIFY(qFuzzyCompare(b.at(1).toDouble(), 1.0 / 3.0));
    QVERIFY(qFuzzyCompare(b.at(2).toDouble(), 2.0 / 3.0));
    QCOMPARE(b.mid(3), (QStringList{"nyelv2", "1"}));
    // Without a share the stored one stays; a missing row is no error, just not saved.
    QVERIFY(saveViewSettings(f.db(), 1, std::nullopt, QStringLiteral("nyelv2"), 2));
    QCOMPARE(f.rows(QStringLiteral("SELECT nyelv1szeles, sorrend, ablak FROM szotarak WHERE szotarak=1")).first(),
             QStringLiteral("0.5\tnyelv2\t2"));
    QVERIFY(!saveViewSettings(f.db(), 99, 0.5, QStringLiteral("nyelv1"), 0));
}

void PairSearchTest::modelShowsTheOrderColumnFirst() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"b;kettő", "a;egy", "c;"});
    f.exec(QStringLiteral("create index idx_nyelv2 on angol (nyelv2);"));
    store::Table tbl(f.db());
    tbl.setTableName(QStringLiteral("angol"));
    tbl.setIndexFieldNames(QStringLiteral("nyelv1"));
    tbl.open();
    PairListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&tbl);
    model.setColumns(QStringLiteral("nyelv1"), QStringLiteral("magyar"), QStringLiteral("angol"));
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("magyar"));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("a"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("egy"));
    QCOMPARE(model.index(2, 1).data().toString(), QString());
    const RgbColor sort = sortColumnColor();
    QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(sort.red, sort.green, sort.blue));
    QVERIFY(!model.index(0, 1).data(Qt::BackgroundRole).isValid());

    tbl.setIndexFieldNames(QStringLiteral("nyelv2"));
    model.setColumns(QStringLiteral("nyelv2"), QStringLiteral("angol"), QStringLiteral("magyar"));
    QCOMPARE(model.fieldOfColumn(0), QStringLiteral("nyelv2"));
    QCOMPARE(model.index(0, 0).data().toString(), QString());
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("egy"));
    QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("a"));

    tbl.close();
    model.reload();
    QCOMPARE(model.rowCount(), 0);
}

void PairSearchTest::modelFollowsTheCursorsRows() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"b;kettő", "a;egy"});
    store::Table tbl(f.db());
    tbl.setTableName(QStringLiteral("angol"));
    tbl.open();
    PairListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&tbl);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    tbl.insert();
    tbl.setValue(QStringLiteral("nyelv1"), QStringLiteral("aa"));
    tbl.setValue(QStringLiteral("nyelv2"), QStringLiteral("x"));
    tbl.post();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("aa"));
    tbl.first();
    tbl.remove();
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(resets.count() >= 2);
    // Reading a row reads that row only: a grid of a few rows reads a few rows.
    const quint64 before = tbl.storeReads();
    model.index(1, 0).data();
    model.index(1, 1).data();
    QVERIFY(tbl.storeReads() - before <= 1);
}

void PairSearchTest::modelSeesRowsAnotherConnectionAdded() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"a;egy"});
    store::Table tbl(f.db());
    tbl.setTableName(QStringLiteral("angol"));
    tbl.open();
    PairListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&tbl);
    QCOMPARE(model.rowCount(), 1);
    f.exec(QStringLiteral("INSERT INTO angol VALUES ('b', 'kettő');"));
    // The count shown stays until asked again: rows never move under a painting grid.
    QCOMPARE(model.rowCount(), 1);
    model.syncRowCount();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("b"));
}

void PairSearchTest::modelShowsALongTableInSteps() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"a;1", "b;2", "c;3", "d;4", "e;5", "f;6", "g;7"});
    store::Table tbl(f.db());
    tbl.setTableName(QStringLiteral("angol"));
    tbl.open();
    PairListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setGrowthStep(3);
    model.setTable(&tbl);
    model.setColumns(QStringLiteral("nyelv1"), QStringLiteral("magyar"), QStringLiteral("angol"));
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(!model.allRowsShown());
    // Up to two steps' worth the rows come at once.
    PairListModel shortList;
    shortList.setGrowthStep(4);
    shortList.setTable(&tbl);
    QCOMPARE(shortList.rowCount(), 7);
    QVERIFY(shortList.allRowsShown());

    // A row asked for beyond those shown is there at once; the rest follow from the event loop.
    model.showRowsThrough(4);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.index(4, 0).data().toString(), QStringLiteral("e"));
    QTRY_VERIFY(model.allRowsShown());
    QCOMPARE(model.rowCount(), 7);
    QCOMPARE(model.index(6, 1).data().toString(), QStringLiteral("7"));

    // Rows removed while the steps are under way: they start again from the new count.
    tbl.setIndexFieldNames(QStringLiteral("nyelv1"));
    model.reload();
    QCOMPARE(model.rowCount(), 3);
    tbl.last();
    tbl.remove();
    tbl.last();
    tbl.remove();
    QTRY_VERIFY(model.allRowsShown());
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.index(4, 0).data().toString(), QStringLiteral("e"));

    // A table closed meanwhile shows no rows, and no step brings any back.
    model.reload();
    tbl.close();
    model.reload();
    QCOMPARE(model.rowCount(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.allRowsShown());
}

void PairSearchTest::resultFilesKeepTextAndColours() {
    QTemporaryDir dir;
    ResultLines lines;
    appendDictionarizedWord(lines, DictionarizedWord{QStringLiteral("cat"), true, {QStringLiteral("macska")}});
    appendDictionarizedWord(lines, DictionarizedWord{QStringLiteral("<dog>"), false, {}});
    const QString txt = dir.filePath(QStringLiteral("r.txt"));
    QVERIFY(writeResultFile(lines, txt, false, QStringLiteral("Szótárazás")).ok);
    QFile t(txt);
    QVERIFY(t.open(QIODevice::ReadOnly));
    QCOMPARE(t.readAll(), QByteArray("cat\r\n   macska\r\n<dog>\r\n"));

    const QString htm = dir.filePath(QStringLiteral("r.htm"));
    QVERIFY(writeResultFile(lines, htm, true, QStringLiteral("Szótárazás")).ok);
    const TextReadResult page = readTextFile(htm);
    const QString html = page.lines.join(QLatin1Char('\n'));
    QVERIFY(html.contains(QStringLiteral("charset=windows-1250")));
    QVERIFY(html.contains(QStringLiteral("<div style=\"color: #ff0000\"><b>cat</b></div>")));
    QVERIFY(html.contains(QStringLiteral("<div style=\"color: #000000\">   macska</div>")));
    QVERIFY(html.contains(QStringLiteral("<div style=\"color: #0000ff\"><b>&lt;dog&gt;</b></div>")));

    // A character Windows-1250 lacks makes the page UTF-8, and says so.
    appendDictionarizedWord(lines, DictionarizedWord{QStringLiteral("дом"), false, {}});
    QVERIFY(writeResultFile(lines, htm, true, QStringLiteral("x")).ok);
    TextEncoding used = TextEncoding::Windows1250;
    QFile h(htm);
    QVERIFY(h.open(QIODevice::ReadOnly));
    const QString utf = decodeText(h.readAll(), &used);
    QCOMPARE(used, TextEncoding::Utf8);
    QVERIFY(utf.contains(QStringLiteral("charset=utf-8")));
    QVERIFY(utf.contains(QStringLiteral("дом")));
}

QTEST_GUILESS_MAIN(PairSearchTest)
#include "test_pair_search.moc"
