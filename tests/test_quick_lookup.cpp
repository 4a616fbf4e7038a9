// The quick finder's lookup: the word's entries found through a keyed seek on the search
// column, in any letter case; the last word asked again costs nothing.
#include "test_quick_fixture.h"

#include "common/store/keyed_reader.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "quickfinder/logic/word_lookup.h"

#include <QTest>

using namespace verbalo;
using verbalo::test::QuickDataFolder;

class QuickLookupTest : public QObject {
    Q_OBJECT
private slots:
    void lookUp_data();
    void lookUp();
    void theLastWordIsNotLookedUpAgain();
    void switchingTheColumnKeepsTheLastWord();
    void columnWithoutIndexFailsAtTheLookup();
    void missingTable();
    void nothingWithoutADictionary();
    void readerFollowsTheTablesNearestKey_data();
    void readerFollowsTheTablesNearestKey();
    void readerOnAnEmptyTable();
};

void QuickLookupTest::lookUp_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("translations");
    const QStringList bothAlmas{QStringLiteral("apple"), QStringLiteral("Alma (surname)")};
    QTest::newRow("alma finds both case variants") << QStringLiteral("alma") << bothAlmas;
    QTest::newRow("Alma finds both case variants") << QStringLiteral("Alma") << bothAlmas;
    QTest::newRow("ALMA finds both case variants") << QStringLiteral("ALMA") << bothAlmas;
    QTest::newRow("several translations in table order")
        << QStringLiteral("kert") << QStringList{QStringLiteral("garden"), QStringLiteral("yard")};
    QTest::newRow("accented word") << QStringLiteral("HÁZ") << QStringList{QStringLiteral("house")};
    QTest::newRow("a prefix of an entry is no entry") << QStringLiteral("alm") << QStringList();
    QTest::newRow("accents count") << QStringLiteral("haz") << QStringList();
    QTest::newRow("the start of a phrase is no entry") << QStringLiteral("zöld") << QStringList();
    QTest::newRow("after the last entry") << QStringLiteral("zzzz") << QStringList();
    QTest::newRow("before the first entry") << QStringLiteral("0") << QStringList();
}

void QuickLookupTest::lookUp() {
    QFETCH(QString, word);
    QFETCH(QStringList, translations);
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    WordLookup lookup(data.db());
    lookup.setTable(QStringLiteral("angol"));
    const std::optional<LookupOutcome> outcome = lookup.lookUp(word);
    QVERIFY(outcome.has_value());
    QCOMPARE(outcome->word, word); // the headline shows the word as typed
    QCOMPARE(outcome->translations, translations);
    QCOMPARE(outcome->error, QString());
    QCOMPARE(lookup.tableOpens(), quint64(1));
}

void QuickLookupTest::theLastWordIsNotLookedUpAgain() {
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    WordLookup lookup(data.db());
    lookup.setTable(QStringLiteral("angol"));
    QVERIFY(lookup.lookUp(QStringLiteral("alma")));
    const quint64 reads = lookup.storeReads();
    QVERIFY(reads > 0);
    // A caret move inside the same word, or to another «alma», asks for it again.
    for (int i = 0; i < 5; ++i) QVERIFY(!lookup.lookUp(QStringLiteral("alma")));
    QVERIFY(!lookup.lookUp(QString())); // no word under the caret
    QCOMPARE(lookup.lastWord(), QStringLiteral("alma"));
    QCOMPARE(lookup.tableOpens(), quint64(1));
    QCOMPARE(lookup.storeReads(), reads);
    // Letter case counts for the repeat rule.
    QVERIFY(lookup.lookUp(QStringLiteral("Alma")));
    QCOMPARE(lookup.tableOpens(), quint64(2));
}

void QuickLookupTest::switchingTheColumnKeepsTheLastWord() {
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    data.exec(QStringLiteral("create index idx_angol_nyelv2 on angol (nyelv2);"));
    WordLookup lookup(data.db());
    lookup.setTable(QStringLiteral("angol"));
    QVERIFY(lookup.lookUp(QStringLiteral("apple")));
    lookup.setSearchColumn(QStringLiteral("nyelv2"));
    // The shown result stays until another word comes under the caret.
    QVERIFY(!lookup.lookUp(QStringLiteral("apple")));
    const std::optional<LookupOutcome> outcome = lookup.lookUp(QStringLiteral("Window"));
    QVERIFY(outcome);
    QCOMPARE(outcome->translations, QStringList{QStringLiteral("ablak")});
    QCOMPARE(lookup.lookUp(QStringLiteral("apple"))->translations, QStringList{QStringLiteral("alma")});
}

void QuickLookupTest::columnWithoutIndexFailsAtTheLookup() {
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    WordLookup lookup(data.db());
    lookup.setTable(QStringLiteral("angol"));
    lookup.setSearchColumn(QStringLiteral("nyelv2"));
    const std::optional<LookupOutcome> outcome = lookup.lookUp(QStringLiteral("apple"));
    QVERIFY(outcome);
    QCOMPARE(outcome->word, QStringLiteral("apple"));
    QVERIFY2(outcome->error.contains(QStringLiteral("no index on column nyelv2")), qPrintable(outcome->error));
    // The failed word is remembered: the same word is not tried again.
    QVERIFY(!lookup.lookUp(QStringLiteral("apple")));
}

void QuickLookupTest::missingTable() {
    QuickDataFolder data;
    WordLookup lookup(data.db());
    lookup.setTable(QStringLiteral("nincsilyen"));
    const std::optional<LookupOutcome> outcome = lookup.lookUp(QStringLiteral("alma"));
    QVERIFY(outcome);
    QVERIFY2(outcome->error.contains(QStringLiteral("nincsilyen")), qPrintable(outcome->error));
}

void QuickLookupTest::nothingWithoutADictionary() {
    QuickDataFolder data;
    WordLookup lookup(data.db());
    QVERIFY(!lookup.lookUp(QStringLiteral("alma")));
    QCOMPARE(lookup.lastWord(), QString());
    QCOMPARE(lookup.tableOpens(), quint64(0));
}

// The reader seeks through the file's index; what it reads from a key on must be what a
// Table positioned by go-to-nearest shows from there.
void QuickLookupTest::readerFollowsTheTablesNearestKey_data() {
    QTest::addColumn<QString>("key");
    for (const char* key : {"", "0", "a", "ab", "alma", "Alma", "ALMA", "almaf", "ház", "HAZ", "Házas", "kert", "KERT", "körte",
                            "o'", "zöld", "zöld ház", "zzzz", "~"})
        QTest::newRow(key[0] ? key : "(empty)") << QString::fromUtf8(key);
}

void QuickLookupTest::readerFollowsTheTablesNearestKey() {
    QFETCH(QString, key);
    QuickDataFolder data;
    QStringList pairs = test::samplePairs();
    pairs << QStringLiteral("ALMA;ALMA (acronym)") << QStringLiteral("aLma;odd case") << QStringLiteral("Ház;House");
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), pairs);

    store::Table table(data.db());
    table.setTableName(QStringLiteral("angol"));
    table.setIndexFieldNames(QStringLiteral("nyelv1"));
    table.open();
    table.gotoNearest({key});
    QStringList fromTable;
    for (int i = 0; i < 6 && !table.eof(); ++i, table.next())
        fromTable << table.text(QStringLiteral("nyelv1")) + QLatin1Char('|') + table.text(QStringLiteral("nyelv2"));

    store::KeyedReader reader(data.db());
    reader.open(QStringLiteral("angol"), QStringLiteral("nyelv1"));
    reader.gotoNearest(key);
    QStringList fromReader;
    for (int i = 0; i < 6 && !reader.eof(); ++i, reader.next())
        fromReader << reader.text(QStringLiteral("nyelv1")) + QLatin1Char('|') + reader.text(QStringLiteral("nyelv2"));
    reader.close();
    QCOMPARE(fromReader, fromTable);
}

void QuickLookupTest::readerOnAnEmptyTable() {
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Üres"), QStringLiteral("ures"));
    store::KeyedReader reader(data.db());
    reader.open(QStringLiteral("ures"), QStringLiteral("nyelv1"));
    reader.gotoNearest(QStringLiteral("alma"));
    QVERIFY(reader.eof());
    QCOMPARE(reader.text(QStringLiteral("nyelv2")), QString());
    QVERIFY_THROWS_EXCEPTION(store::StoreError, reader.open(QStringLiteral("ures"), QStringLiteral("nyelv2")));
    QVERIFY(!reader.isOpen());
}

QTEST_GUILESS_MAIN(QuickLookupTest)
#include "test_quick_lookup.moc"
