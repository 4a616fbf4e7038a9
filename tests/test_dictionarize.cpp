// Dictionarizing a text: the cleaning rule, the word list, the lookups on a real table, the lines
// written for each word, and verbalo-cli dictionarize.
#include "common/catalogue.h"
#include "common/codepage.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "dictionaries/logic/dictionarizing_text.h"
#include "dictionaries/logic/pair_lookup.h"
#include "dictionaries/logic/result_writers.h"
#include "support/store_fixture.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace verbalo;

namespace {

QString ch(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

// The lines of a result as "colour bold text" strings, for comparing whole outputs.
QStringList described(const ResultLines& lines) {
    QStringList out;
    for (int i = 0; i < lines.count(); ++i) {
        const ResultLines::Line& l = lines.line(i);
        const char* colour = l.colour == LineColour::Red ? "red" : l.colour == LineColour::Blue ? "blue" : "black";
        out << QStringLiteral("%1%2 %3").arg(
            QLatin1String(colour), l.boldLength == l.length && l.length > 0 ? QStringLiteral(" bold") : QString(), lines.text(i));
    }
    return out;
}

struct Run {
    int status;
    QString out;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("VERBALO_CLI"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class DictionarizeTest : public QObject {
    Q_OBJECT
private slots:
    void cleaningRule_data();
    void cleaningRule();
    void everyCodePageByteIsKeptOrBlanked();
    void wordList_data();
    void wordList();
    void editorLinesAreJoinedWithSpaces();

    void lookupIsExactAndInIndexOrder_data();
    void lookupIsExactAndInIndexOrder();
    void lookupBySecondLanguage();
    void borrowedCursorIsPutBackQuietly();
    void repeatedWordsAreWrittenEachTime();
    void exampleTextGivesRedBlueAndBlackLines();
    void missingTableReachesTheCaller();

    void caretLookupIgnoresCaseAndMovesTheCursor();

    void cliPrintsTheSameLines();
    void cliRefusesWhatItCannotDictionarize_data();
    void cliRefusesWhatItCannotDictionarize();
};

void DictionarizeTest::cleaningRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("punctuation and digits") << "Don't stop-me 2 times!"
                                            << "Don't stop me times ";
    QTest::newRow("leading blanks go") << "   \t alma"
                                       << "alma";
    QTest::newRow("trailing blank stays") << "alma. "
                                          << "alma ";
    QTest::newRow("runs collapse") << "a  ,, b\r\n\r\nc"
                                   << "a b c";
    QTest::newRow("hungarian accents kept") << "Árvíztűrő tükörfúrógép"
                                            << "Árvíztűrő tükörfúrógép";
    QTest::newRow("times and divide kept") << QStringLiteral("3×4÷2") << QStringLiteral(" × ÷ ").mid(1);
    QTest::newRow("dot above kept") << QStringLiteral("a˙b") << QStringLiteral("a˙b");
    QTest::newRow("bytes 128-191 blanked") << QStringLiteral("a€b„c§d°e") << "a b c d e";
    QTest::newRow("NUL and controls") << QStringLiteral("a") + QChar(0) +
                                             QStringLiteral("b\x01"
                                                            "c")
                                      << "a b c";
    QTest::newRow("no letters at all") << "12, 34 - 56!"
                                       << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only apostrophes") << "''"
                                      << "''";
    QTest::newRow("cyrillic letters kept") << QStringLiteral("дом, дым") << QStringLiteral("дом дым");
    QTest::newRow("other signs outside the code page") << QStringLiteral("a→b…c") << "a b c";
    QTest::newRow("letter outside the BMP") << QStringLiteral("a") + ch(U'\U0001D400') + QStringLiteral("b")
                                            << QStringLiteral("a") + ch(U'\U0001D400') + QStringLiteral("b");
}

void DictionarizeTest::cleaningRule() {
    QFETCH(QString, text);
    QFETCH(QString, cleaned);
    QCOMPARE(cleanDictionarizingText(text), cleaned);
}

void DictionarizeTest::everyCodePageByteIsKeptOrBlanked() {
    // Every byte of the code page between letters: kept exactly for ', A-Z, a-z and 192-255.
    for (int b = 1; b < 256; ++b) {
        const QString c = ch(cp1250Char(static_cast<unsigned char>(b)));
        const bool kept = b == '\'' || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 192;
        const QString cleaned = cleanDictionarizingText(QStringLiteral("x") + c + QStringLiteral("y"));
        QCOMPARE(cleaned, kept ? QStringLiteral("x") + c + QStringLiteral("y") : QStringLiteral("x y"));
    }
}

void DictionarizeTest::wordList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("repeated last word dropped") << "a b a" << QStringList{"a", "b"};
    QTest::newRow("repeated first word kept") << "a a b" << QStringList{"a", "a", "b"};
    QTest::newRow("last word repeated in another case") << "Alma körte ALMA" << QStringList{"alma", "körte"};
    QTest::newRow("trailing space keeps the repeat") << "a b a." << QStringList{"a", "b", "a"};
    QTest::newRow("sentence with an apostrophe and a hyphen")
        << "Don't stop-me 2 times!" << QStringList{"don't", "stop", "me", "times"};
    QTest::newRow("lower-cased with accents") << "ÁRVÍZ Tűrő" << QStringList{"árvíz", "tűrő"};
    QTest::newRow("one word") << "London" << QStringList{"london"};
    QTest::newRow("nothing") << "--- 42 ---" << QStringList{};
}

void DictionarizeTest::wordList() {
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(dictionarizingWords(text), words);
}

void DictionarizeTest::editorLinesAreJoinedWithSpaces() {
    QCOMPARE(joinEditorLines({"The cat", "sat."}), QStringLiteral(" The cat sat."));
    QCOMPARE(joinEditorLines({}), QString());
    QCOMPARE(dictionarizingWords(joinEditorLines({"end", "end"})), (QStringList{"end"}));
}

void DictionarizeTest::lookupIsExactAndInIndexOrder_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("translations");
    QTest::newRow("two pairs in index order") << "cat" << true << QStringList{"cica", "macska"};
    QTest::newRow("capitalised entry not matched") << "london" << false << QStringList{};
    QTest::newRow("lower-case beside a capitalised twin") << "alma" << true << QStringList{"apple"};
    QTest::newRow("prefix of an entry") << "ca" << false << QStringList{};
    QTest::newRow("after the last entry") << "zzz" << false << QStringList{};
    QTest::newRow("empty translation") << "üres" << true << QStringList{""};
    QTest::newRow("accented differs from plain") << "kar" << true << QStringList{"arm"};
}

void DictionarizeTest::lookupIsExactAndInIndexOrder() {
    QFETCH(QString, word);
    QFETCH(bool, found);
    QFETCH(QStringList, translations);
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"cat;macska", "cat;cica", "London;London", "Alma;Apple Inc", "alma;apple",
                                          "catalog;katalógus", "üres;", "kár;damage", "kar;arm"});
    PairLookup lookup(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"));
    const DictionarizedWord result = lookup.lookup(word);
    QCOMPARE(result.word, word);
    QCOMPARE(result.found, found);
    QCOMPARE(result.translations, translations);
}

void DictionarizeTest::lookupBySecondLanguage() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"cica;cat", "macska;cat", "kutya;dog"});
    f.exec(QStringLiteral("create index idx_nyelv2 on angol (nyelv2);"));
    PairLookup lookup(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv2"));
    QCOMPARE(lookup.translationColumn(), QStringLiteral("nyelv1"));
    QCOMPARE(lookup.lookup(QStringLiteral("cat")).translations, (QStringList{"cica", "macska"}));
    // Without an index on the column the cursor cannot be ordered by it.
    f.makePairs(QStringLiteral("nemet"), {"Hund;kutya"});
    QVERIFY_THROWS_EXCEPTION(store::StoreError, PairLookup(f.db(), QStringLiteral("nemet"), QStringLiteral("nyelv2")));
}

void DictionarizeTest::borrowedCursorIsPutBackQuietly() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"cat;macska", "cat;cica", "dog;kutya", "zebra;zebra"});
    store::Table tbl(f.db());
    tbl.setTableName(QStringLiteral("angol"));
    tbl.setIndexFieldNames(QStringLiteral("nyelv1"));
    tbl.open();
    tbl.setRecNo(4);
    QSignalSpy moved(&tbl, &store::Table::currentChanged);
    {
        PairLookup lookup(tbl, QStringLiteral("nyelv1"));
        QCOMPARE(lookup.lookup(QStringLiteral("cat")).translations, (QStringList{"cica", "macska"}));
        QVERIFY(lookup.lookup(QStringLiteral("dog")).found);
        QVERIFY(!lookup.lookup(QStringLiteral("cow")).found);
    }
    QCOMPARE(tbl.recNo(), 4);
    QCOMPARE(moved.count(), 0);
    QVERIFY(!tbl.signalsBlocked());
    tbl.close();
    QVERIFY_THROWS_EXCEPTION(store::StoreError, PairLookup(tbl, QStringLiteral("nyelv1")));
    QVERIFY(!tbl.signalsBlocked());
}

void DictionarizeTest::repeatedWordsAreWrittenEachTime() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"a;egy"});
    QList<int> indexes;
    ResultLines lines;
    dictionarizeWords(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"), dictionarizingWords(QStringLiteral("a a b")),
                      [&](int index, const DictionarizedWord& w) {
                          indexes << index;
                          appendDictionarizedWord(lines, w);
                      });
    QCOMPARE(indexes, (QList<int>{0, 1, 2}));
    QCOMPARE(described(lines), (QStringList{"red bold a", "black    egy", "red bold a", "black    egy", "blue bold b"}));
}

void DictionarizeTest::exampleTextGivesRedBlueAndBlackLines() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {"cat;macska", "cat;cica", "London;London"});
    ResultLines lines;
    dictionarizeWords(f.db(), QStringLiteral("angol"), QStringLiteral("nyelv1"),
                      dictionarizingWords(joinEditorLines({"The cat sat.", "London"})),
                      [&](int, const DictionarizedWord& w) { appendDictionarizedWord(lines, w); });
    QCOMPARE(described(lines), (QStringList{"blue bold the", "red bold cat", "black    cica", "black    macska", "blue bold sat",
                                            "blue bold london"}));
}

void DictionarizeTest::missingTableReachesTheCaller() {
    test::StoreFixture f;
    bool reported = false;
    QVERIFY_THROWS_EXCEPTION(store::StoreError,
                             dictionarizeWords(f.db(), QStringLiteral("nincs"), QStringLiteral("nyelv1"), {QStringLiteral("a")},
                                               [&](int, const DictionarizedWord&) { reported = true; }));
    QVERIFY(!reported);
}

void DictionarizeTest::caretLookupIgnoresCaseAndMovesTheCursor() {
    test::StoreFixture f;
    f.makePairs(QStringLiteral("angol"),
                {"apple;alma", "London;London", "london;londoni", "LONDON;NAGY", "lorry;teherautó", "zebra;zebra"});
    store::Table tbl(f.db());
    tbl.setTableName(QStringLiteral("angol"));
    tbl.setIndexFieldNames(QStringLiteral("nyelv1"));
    tbl.open();
    tbl.last();

    DictionarizedWord r = lookupCaretWord(tbl, QStringLiteral("nyelv1"), QStringLiteral("London"));
    QVERIFY(r.found);
    QCOMPARE(r.translations.size(), 3);
    QVERIFY(r.translations.contains(QStringLiteral("London")) && r.translations.contains(QStringLiteral("NAGY")));
    // The list follows the caret: the cursor stands on the first pair of the word.
    QCOMPARE(tbl.text(QStringLiteral("nyelv1")).toLower(), QStringLiteral("london"));
    QCOMPARE(tbl.recNo(), 2);

    r = lookupCaretWord(tbl, QStringLiteral("nyelv1"), QStringLiteral("lond"));
    QVERIFY(!r.found);
    QVERIFY(r.translations.isEmpty());
    QCOMPARE(tbl.recNo(), 2); // the nearest key after «lond»

    r = lookupCaretWord(tbl, QStringLiteral("nyelv1"), QStringLiteral("zz"));
    QVERIFY(!r.found);
    QCOMPARE(tbl.recNo(), tbl.recordCount());
}

void DictionarizeTest::cliPrintsTheSameLines() {
    test::DataFolder data;
    const QString d = data.dataFolder();
    data.makePairTable(QStringLiteral("angol"), {QStringLiteral("cat;macska"), QStringLiteral("cat;cica"),
                                                 QStringLiteral("London;London"), QStringLiteral("dog;kutya")});
    data.exec(QStringLiteral("create index idx_nyelv2 on angol (nyelv2);"));
    test::DictionaryRow pairs;
    pairs.language1 = QStringLiteral("angol");
    pairs.language2 = QStringLiteral("magyar");
    pairs.makeTable = false;
    data.addDictionary(Bilingual, QStringLiteral("Angol-magyar"), QStringLiteral("angol"), pairs);
    test::DictionaryRow gallery;
    gallery.makeTable = false;
    data.addDictionary(ImageGallery, QStringLiteral("Képek"), QStringLiteral("kepek"), gallery);
    QFile text(d + QStringLiteral("/text.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    // Windows-1250 bytes, as older files are.
    text.write(encodeCp1250(QStringLiteral("The cat sat.\r\nLondon kutya")));
    text.close();

    Run r = cli({"--data", d, "dictionarize", "--dict", "Angol-magyar", text.fileName()});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("the\ncat\n   cica\n   macska\nsat\nlondon\nkutya\n"));
    // By id and by the second language.
    r = cli({"--data", d, "dictionarize", "--dict", "1", "--order", "nyelv2", text.fileName()});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("the\ncat\nsat\nlondon\nkutya\n   dog\n"));
}

void DictionarizeTest::cliRefusesWhatItCannotDictionarize_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no file") << QStringList{"--dict", "1"} << 2 << "usage";
    QTest::newRow("bad order") << QStringList{"--dict", "1", "--order", "x", "f.txt"} << 2 << "usage";
    QTest::newRow("unknown dictionary") << QStringList{"--dict", "Nincs", "f.txt"} << 1 << "no dictionary Nincs";
    QTest::newRow("unknown id") << QStringList{"--dict", "99", "f.txt"} << 1 << "no dictionary 99";
    QTest::newRow("not bilingual") << QStringList{"--dict", "Képek", "f.txt"} << 1 << "is not a bilingual dictionary";
    QTest::newRow("missing file") << QStringList{"--dict", "1", "nincs.txt"} << 1 << "error:";
}

void DictionarizeTest::cliRefusesWhatItCannotDictionarize() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    test::DataFolder data;
    const QString d = data.dataFolder();
    data.makePairTable(QStringLiteral("angol"), {});
    test::DictionaryRow noTable;
    noTable.makeTable = false;
    data.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"), noTable);
    data.addDictionary(ImageGallery, QStringLiteral("Képek"), QStringLiteral("kepek"), noTable);
    const Run r = cli(QStringList{"--data", d, "dictionarize"} + args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(DictionarizeTest)
#include "test_dictionarize.moc"
