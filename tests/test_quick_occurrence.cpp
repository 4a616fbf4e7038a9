// The quick finder's occurrence search: the statement as it is built, the trimming of the
// expression, the refusal of a short one and the rows with the place of the match.
#include "test_quick_fixture.h"

#include "common/store/store_error.h"
#include "quickfinder/logic/occurrence_query.h"

#include <QTest>

using namespace verbalo;
using verbalo::test::QuickDataFolder;

class QuickOccurrenceTest : public QObject {
    Q_OBJECT
private slots:
    void trim_data();
    void trim();
    void statement_data();
    void statement();
    void search_data();
    void search();
    void missingTableReachesTheCaller();
};

void QuickOccurrenceTest::trim_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks around") << QStringLiteral("  ház  ") << QStringLiteral("ház");
    QTest::newRow("tabs and line breaks") << QStringLiteral("\t\r\nház\n") << QStringLiteral("ház");
    QTest::newRow("control characters") << QStringLiteral("\x01\x1f"
                                                          "abc\x02")
                                        << QStringLiteral("abc");
    QTest::newRow("inner blanks stay") << QStringLiteral(" zöld  ház ") << QStringLiteral("zöld  ház");
    QTest::newRow("only blanks") << QStringLiteral("   ") << QString();
}

void QuickOccurrenceTest::trim() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(trimExpression(text), trimmed);
}

void QuickOccurrenceTest::statement_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("statement");
    QTest::newRow("accented letters upper-cased")
        << "angol"
        << "nyelv1" << QStringLiteral("ház") << QStringLiteral("SELECT * FROM angol WHERE UPPER(nyelv1) like '%HÁZ%';");
    QTest::newRow("second column") << "nemet"
                                   << "nyelv2" << QStringLiteral("Haus")
                                   << QStringLiteral("SELECT * FROM nemet WHERE UPPER(nyelv2) like '%HAUS%';");
    QTest::newRow("quote doubled") << "angol"
                                   << "nyelv1" << QStringLiteral("o'brien")
                                   << QStringLiteral("SELECT * FROM angol WHERE UPPER(nyelv1) like '%O''BRIEN%';");
    QTest::newRow("only quotes") << "angol"
                                 << "nyelv1" << QStringLiteral("'''")
                                 << QStringLiteral("SELECT * FROM angol WHERE UPPER(nyelv1) like '%''''''%';");
    QTest::newRow("percent stays a wildcard")
        << "angol"
        << "nyelv1" << QStringLiteral("100%") << QStringLiteral("SELECT * FROM angol WHERE UPPER(nyelv1) like '%100%%';");
    QTest::newRow("underscore stays a wildcard")
        << "angol"
        << "nyelv1" << QStringLiteral("a_b") << QStringLiteral("SELECT * FROM angol WHERE UPPER(nyelv1) like '%A_B%';");
}

void QuickOccurrenceTest::statement() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, expression);
    QFETCH(QString, statement);
    QCOMPARE(occurrenceStatement(table, column, expression), statement);
}

void QuickOccurrenceTest::search_data() {
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<bool>("tooShort");
    // Each row: value, the bold part ("-" for none), translation.
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("two letters between blanks are too short") << QStringLiteral("  ab  ") << true << QStringList();
    QTest::newRow("nothing is too short") << QString() << true << QStringList();
    QTest::newRow("found at the start, in the middle, after a blank")
        << QStringLiteral("HÁZ") << false
        << QStringList{QStringLiteral("ház|ház|house"), QStringLiteral("házas|ház|married"),
                       QStringLiteral("zöld ház|ház|greenhouse")};
    QTest::newRow("three letters found in any case")
        << QStringLiteral("lma") << false
        << QStringList{QStringLiteral("alma|lma|apple"), QStringLiteral("Alma|lma|Alma (surname)"),
                       QStringLiteral("almafa|lma|apple tree")};
    QTest::newRow("a quote in the expression")
        << QStringLiteral("o'b") << false << QStringList{QStringLiteral("O'Brien|O'B|O'Brien")};
    QTest::newRow("underscore matches any one letter, nothing in bold")
        << QStringLiteral("_rt") << false
        << QStringList{QStringLiteral("kert|-|garden"), QStringLiteral("kert|-|yard"), QStringLiteral("körte|-|pear")};
    QTest::newRow("underscore that stands there literally is bold")
        << QStringLiteral("a_b") << false << QStringList{QStringLiteral("a_b|a_b|underscore")};
    QTest::newRow("percent sign") << QStringLiteral("0%-") << false << QStringList{QStringLiteral("100%-os|0%-|complete")};
    QTest::newRow("found nowhere") << QStringLiteral("xyz") << false << QStringList();
}

void QuickOccurrenceTest::search() {
    QFETCH(QString, boxText);
    QFETCH(bool, tooShort);
    QFETCH(QStringList, rows);
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    const OccurrenceOutcome outcome = searchOccurrences(data.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"), boxText);
    QCOMPARE(outcome.tooShort, tooShort);
    QStringList got;
    for (const OccurrenceRow& r : outcome.rows)
        got << r.value + QLatin1Char('|') + (r.matchStart < 0 ? QStringLiteral("-") : r.value.mid(r.matchStart, r.matchLength)) +
                   QLatin1Char('|') + r.translation;
    std::sort(got.begin(), got.end());
    std::sort(rows.begin(), rows.end());
    QCOMPARE(got, rows);
}

void QuickOccurrenceTest::missingTableReachesTheCaller() {
    QuickDataFolder data;
    QVERIFY_THROWS_EXCEPTION(store::StoreError, searchOccurrences(data.db(), QStringLiteral("nincs"), QStringLiteral("nyelv1"),
                                                                  QStringLiteral("alma")));
}

QTEST_GUILESS_MAIN(QuickOccurrenceTest)
#include "test_quick_occurrence.moc"
