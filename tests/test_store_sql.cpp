// The SQL side of the table store: statement shapes, the collation and Unicode functions,
// one file per table, and errors that name what failed.
#include "support/store_fixture.h"

#include "common/store/collation.h"
#include "common/store/query.h"
#include "common/store/sql_dialect.h"
#include "common/store/sql_session.h"

#include <QFile>
#include <unicode/ucol.h>
#include <unistd.h>
#include <QtTest>

using namespace verbalo::store;
using verbalo::test::StoreFixture;

class StoreSqlTest : public QObject {
    Q_OBJECT
private slots:
    void createTableMakesOneFileWithKindsAndWidths();
    void createTableFailures_data();
    void createTableFailures();
    void dropTableRemovesTheFile();
    void indexStatementsActInsideTheTableFile();
    void catalogueStatementShapes();
    void joinsAcrossTableFiles();
    void moreTablesThanAttachLimit();
    void orderIsCaseInsensitiveAccentAwareWithExactTieBreak();
    void comparatorAgreesWithPlainCollation();
    void unicodeUpperLowerLike_data();
    void unicodeUpperLowerLike();
    void autoincNumbersAreNeverReused();
    void tablesAreListedWithoutSideFiles();
    void corruptAndTruncatedFilesGiveErrors();
    void readOnlyFileCanBeReadButNotWritten();
    void splitStatements_data();
    void splitStatements();
};

void StoreSqlTest::createTableMakesOneFileWithKindsAndWidths() {
    StoreFixture f;
    f.exec(QStringLiteral(
        "CREATE TABLE recept (\n recept AUTOINC,\n nyelv1 CHAR(75),\n nyelv2 CHAR(75),\n nehezseg INT,\n perc INT,\n"
        " hozzavalo BLOB(0,1),\n elkeszites BLOB(0,1),\n kep BLOB(0,2),\nPRIMARY KEY (recept));"));
    QVERIFY(QFile::exists(f.folder() + QStringLiteral("/recept.DB")));

    Query q(f.db());
    q.setSql(QStringLiteral("SELECT * FROM recept;"));
    ResultSet rs = q.open();
    QVERIFY(rs.eof());
    struct Expect {
        const char* name;
        FieldKind kind;
        int width;
    };
    const Expect expected[] = {{"recept", FieldKind::Integer, 0},  {"nyelv1", FieldKind::Text, 75},
                               {"nyelv2", FieldKind::Text, 75},    {"nehezseg", FieldKind::Integer, 0},
                               {"perc", FieldKind::Integer, 0},    {"hozzavalo", FieldKind::Memo, 0},
                               {"elkeszites", FieldKind::Memo, 0}, {"kep", FieldKind::Binary, 0}};
    QCOMPARE(rs.fieldCount(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(rs.fields()[static_cast<size_t>(i)].name, QString::fromLatin1(expected[i].name));
        QCOMPARE(rs.fields()[static_cast<size_t>(i)].kind, expected[i].kind);
        QCOMPARE(rs.fields()[static_cast<size_t>(i)].width, expected[i].width);
    }
}

void StoreSqlTest::createTableFailures_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("name with a blank") << "CREATE TABLE my dict ( nyelv1 CHAR(50), PRIMARY KEY (nyelv1));"
                                       << "syntax error";
    QTest::newRow("name with a hyphen") << "CREATE TABLE my-dict ( nyelv1 CHAR(50), PRIMARY KEY (nyelv1));"
                                        << "syntax error";
    QTest::newRow("length not a number") << "CREATE TABLE d ( nyelv1 CHAR(abc), PRIMARY KEY (nyelv1));"
                                         << "d";
    QTest::newRow("no columns") << "CREATE TABLE d ();"
                                << "d";
    QTest::newRow("already exists") << "CREATE TABLE szotarak ( x CHAR(5));"
                                    << "already exists";
}

void StoreSqlTest::createTableFailures() {
    QFETCH(QString, statement);
    QFETCH(QString, messagePart);
    StoreFixture f;
    f.exec(QStringLiteral("CREATE TABLE szotarak ( x CHAR(5));"));
    const QStringList before = f.db().tableNames();
    try {
        f.exec(statement);
        QFAIL("the statement was accepted");
    } catch (const StoreError& e) {
        QVERIFY2(e.message().contains(messagePart, Qt::CaseInsensitive), qPrintable(e.message()));
    }
    QCOMPARE(f.db().tableNames(), before); // no half-made file left behind
}

void StoreSqlTest::dropTableRemovesTheFile() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    f.rows(QStringLiteral("SELECT * FROM angol")); // attached to the session, then dropped
    f.exec(QStringLiteral("DROP TABLE angol;"));
    QVERIFY(!QFile::exists(f.folder() + QStringLiteral("/angol.DB")));
    QVERIFY_THROWS_EXCEPTION(StoreError, f.exec(QStringLiteral("DROP TABLE angol;")));
    try {
        f.rows(QStringLiteral("SELECT * FROM angol"));
        QFAIL("dropped table still answers");
    } catch (const StoreError& e) {
        QCOMPARE(e.message(), QStringLiteral("no such table: angol"));
    }
}

void StoreSqlTest::indexStatementsActInsideTheTableFile() {
    StoreFixture f;
    f.exec(QStringLiteral("CREATE TABLE szotarak ( szotarak AUTOINC, szotarak_nev CHAR(100), PRIMARY KEY (szotarak));"));
    f.exec(QStringLiteral("create index idx_szotarak_nev on szotarak (szotarak_nev);"));
    QCOMPARE(f.rows(QStringLiteral("SELECT name FROM szotarak.sqlite_master WHERE type='index'")),
             QStringList{QStringLiteral("idx_szotarak_nev")});
    f.exec(QStringLiteral("drop index szotarak.idx_szotarak_nev;"));
    QVERIFY(f.rows(QStringLiteral("SELECT name FROM szotarak.sqlite_master WHERE type='index'")).isEmpty());
}

void StoreSqlTest::catalogueStatementShapes() {
    StoreFixture f;
    f.exec(QStringLiteral(
        "CREATE TABLE szotarak ( szotarak AUTOINC, szotarak_nev CHAR(100), tipus INT, nyelv1szeles FLOAT, sorrend CHAR(25), "
        "PRIMARY KEY (szotarak));"));
    f.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tipus) VALUES ('Angol-magyar', 1);"));
    QCOMPARE(f.rows(QStringLiteral("SELECT tipus FROM szotarak WHERE szotarak=1;")), QStringList{QStringLiteral("1")});
    QVERIFY(f.rows(QStringLiteral("SELECT tipus FROM szotarak WHERE szotarak=99;")).isEmpty());
    QCOMPARE(f.exec(QStringLiteral(
                 "UPDATE szotarak SET nyelv1szeles=0.35, sorrend='nyelv2', szotarak_nev='O''Brien szótára' WHERE szotarak=1;")),
             1);
    QCOMPARE(f.rows(QStringLiteral("SELECT szotarak_nev, nyelv1szeles, sorrend FROM szotarak")),
             QStringList{QStringLiteral("O'Brien szótára\t0.35\tnyelv2")});
    QCOMPARE(f.rows(QStringLiteral("SELECT szotarak FROM szotarak WHERE UPPER(szotarak_nev) LIKE '%SZÓTÁR%';")),
             QStringList{QStringLiteral("1")});
    QCOMPARE(f.rows(QStringLiteral("SELECT szotarak FROM szotarak WHERE UPPER(szotarak_nev) like '%brien%';")),
             QStringList{QStringLiteral("1")});
}

void StoreSqlTest::joinsAcrossTableFiles() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple"), QStringLiteral("körte;pear")});
    f.makePairs(QStringLiteral("nemet"), {QStringLiteral("alma;Apfel"), QStringLiteral("szilva;Pflaume")});
    QCOMPARE(f.rows(QStringLiteral("SELECT a.nyelv1, a.nyelv2, n.nyelv2 FROM angol a JOIN NEMET n ON n.nyelv1 = a.nyelv1")),
             QStringList{QStringLiteral("alma\tapple\tApfel")});
}

void StoreSqlTest::moreTablesThanAttachLimit() {
    StoreFixture f;
    QStringList selects;
    for (int i = 0; i < SqlSession::kMaxAttached + 1; ++i) {
        f.makePairs(QStringLiteral("t%1").arg(i), {QStringLiteral("w%1;x").arg(i)});
        selects << QStringLiteral("SELECT nyelv1 FROM t%1").arg(i);
    }
    // One after another, every table is reachable: the session makes room.
    for (int i = 0; i < SqlSession::kMaxAttached + 1; ++i)
        QCOMPARE(f.rows(selects[i]), QStringList{QStringLiteral("w%1").arg(i)});
    try {
        f.rows(selects.join(QStringLiteral(" UNION ALL ")));
        QFAIL("a statement over too many tables was accepted");
    } catch (const StoreError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("at most")), qPrintable(e.message()));
    }
}

void StoreSqlTest::orderIsCaseInsensitiveAccentAwareWithExactTieBreak() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("álma;x"), QStringLiteral("Alma;x"), QStringLiteral("almb;x"),
                                          QStringLiteral("alma;x"), QStringLiteral("ALMA;x"), QStringLiteral("Ökör;x"),
                                          QStringLiteral("ok;x"), QStringLiteral("zab;x"), QStringLiteral("Zab;x")});
    const QStringList ordered = f.rows(QStringLiteral("SELECT nyelv1 FROM angol ORDER BY nyelv1"));
    QCOMPARE(ordered, (QStringList{QStringLiteral("alma"), QStringLiteral("Alma"), QStringLiteral("ALMA"), QStringLiteral("álma"),
                                   QStringLiteral("almb"), QStringLiteral("ok"), QStringLiteral("Ökör"), QStringLiteral("zab"),
                                   QStringLiteral("Zab")}));
    // Three distinct keys that differ only in case or accent.
    QCOMPARE(f.rows(QStringLiteral("SELECT count(*) FROM angol WHERE nyelv1 IN ('alma','Alma','álma')")),
             QStringList{QStringLiteral("3")});

    // The comparator and SQLite agree, and ignoring case is the coarser order.
    const QByteArray a = "alma", b = "ALMA", c = "álma";
    QVERIFY(compareKeys(a.data(), a.size(), b.data(), b.size()) < 0);
    QCOMPARE(compareKeysIgnoringCase(a.data(), a.size(), b.data(), b.size()), 0);
    QVERIFY(compareKeysIgnoringCase(b.data(), b.size(), c.data(), c.size()) < 0);
}

void StoreSqlTest::comparatorAgreesWithPlainCollation() {
    // The comparator skips identical leading bytes; on strings built to share prefixes and to
    // put accents, combining marks and case right at the boundary, it must agree in sign with a
    // plain ICU root comparison followed by the bytes.
    UErrorCode status = U_ZERO_ERROR;
    UCollator* icu = ucol_open("", &status);
    QVERIFY(U_SUCCESS(status));
    const QStringList pieces = {"a", "á", "A",      "Á",  "e",      "é",      "o",      "ö", "ő", "Ő", "u", "ü",  "ű",  "-",
                                " ", "'", "ß",      "ss", "\u0301", "1",      "9",      "z", "Z", "b", "K", "cs", "ly", ".",
                                "ä", "æ", "\u00AD", "Ł",  "ł",      "\u0133", "\u01C4", "ð", "þ", "ø", "Ø", "ĳ",  "œ",  "\t"};
    const QStringList& alphabet = pieces; // "\u0301" is a combining acute accent
    quint32 seed = 12345;
    auto rnd = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    auto word = [&](const QString& prefix) {
        QString w = prefix;
        for (int k = rnd(4); k >= 0; --k) w += alphabet[rnd(alphabet.size())];
        return w;
    };
    for (int i = 0; i < 40000; ++i) {
        const QString prefix = word(QString());
        const QByteArray a = word(prefix).toUtf8();
        const QByteArray b = word(rnd(3) ? prefix : QString()).toUtf8();
        UErrorCode st = U_ZERO_ERROR;
        int expected = ucol_strcollUTF8(icu, a.data(), a.size(), b.data(), b.size(), &st);
        if (expected == 0) expected = a == b ? 0 : (a < b ? -1 : 1);
        const int actual = compareKeys(a.data(), a.size(), b.data(), b.size());
        st = U_ZERO_ERROR;
        ucol_setStrength(icu, UCOL_SECONDARY);
        const int expectedIgnoringCase = ucol_strcollUTF8(icu, a.data(), a.size(), b.data(), b.size(), &st);
        ucol_setStrength(icu, UCOL_TERTIARY);
        const int actualIgnoringCase = compareKeysIgnoringCase(a.data(), a.size(), b.data(), b.size());
        QVERIFY2((actualIgnoringCase > 0) - (actualIgnoringCase < 0) == (expectedIgnoringCase > 0) - (expectedIgnoringCase < 0),
                 qPrintable(QStringLiteral("ignoring case: %1 vs %2").arg(QString::fromUtf8(a), QString::fromUtf8(b))));
        QVERIFY2((actual > 0) - (actual < 0) == (expected > 0) - (expected < 0),
                 qPrintable(QStringLiteral("%1 vs %2").arg(QString::fromUtf8(a), QString::fromUtf8(b))));
    }
    ucol_close(icu);
}

void StoreSqlTest::unicodeUpperLowerLike_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper accents") << "UPPER('árvíztűrő tükörfúrógép')"
                                   << "ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP";
    QTest::newRow("lower accents") << "LOWER('ŐSZ ÚT ÉG')"
                                   << "ősz út ég";
    QTest::newRow("upper ascii") << "UPPER('abc-1')"
                                 << "ABC-1";
    QTest::newRow("upper sharp s") << "UPPER('Straße')"
                                   << "STRASSE";
    QTest::newRow("lower mixed") << "LOWER('ÁRVÍZ Tűrő')"
                                 << "árvíz tűrő";
    QTest::newRow("upper null") << "UPPER(NULL) IS NULL"
                                << "1";
    QTest::newRow("like ignores case of accented letters") << "'ŐSZIBARACK' LIKE '%barack'"
                                                           << "1";
    QTest::newRow("like accented pattern") << "'őszibarack' LIKE 'ŐSZ%'"
                                           << "1";
    QTest::newRow("like keeps accents apart") << "'oszi' LIKE 'ősz%'"
                                              << "0";
    QTest::newRow("like underscore is one character") << "'ár' LIKE '_r'"
                                                      << "1";
    QTest::newRow("like several percents") << "'almafa alatt' LIKE '%a%a%tt'"
                                           << "1";
    QTest::newRow("like no match") << "'alma' LIKE '%b%'"
                                   << "0";
    QTest::newRow("like escape") << "'50%' LIKE '50\\%' ESCAPE '\\'"
                                 << "1";
    QTest::newRow("like escape literal") << "'50x' LIKE '50\\%' ESCAPE '\\'"
                                         << "0";
}

void StoreSqlTest::unicodeUpperLowerLike() {
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    StoreFixture f;
    QCOMPARE(f.rows(QStringLiteral("SELECT ") + expression), QStringList{expected});
}

void StoreSqlTest::autoincNumbersAreNeverReused() {
    StoreFixture f;
    f.exec(QStringLiteral("CREATE TABLE szotarak ( szotarak AUTOINC, szotarak_nev CHAR(100), PRIMARY KEY (szotarak));"));
    f.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev) VALUES ('a'), ('b'), ('c')"));
    f.exec(QStringLiteral("DELETE FROM szotarak WHERE szotarak=3"));
    f.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev) VALUES ('d')"));
    QCOMPARE(f.rows(QStringLiteral("SELECT szotarak FROM szotarak WHERE szotarak_nev='d'")), QStringList{QStringLiteral("4")});
}

void StoreSqlTest::tablesAreListedWithoutSideFiles() {
    StoreFixture f;
    f.makePairs(QStringLiteral("Angol"), {});
    f.makePairs(QStringLiteral("nemet"), {});
    for (const char* side : {"/nemet.DB-journal", "/nemet.DB-wal", "/jegyzet.txt", "/kis.db"}) {
        QFile file(f.folder() + QLatin1String(side));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(f.db().tableNames(), (QStringList{QStringLiteral("Angol"), QStringLiteral("kis"), QStringLiteral("nemet")}));
    QVERIFY(f.db().tableExists(QStringLiteral("ANGOL.db")));
    QCOMPARE(f.db().tableFile(QStringLiteral("angol")), f.folder() + QStringLiteral("/Angol.DB"));
}

void StoreSqlTest::corruptAndTruncatedFilesGiveErrors() {
    StoreFixture f;
    f.makePairs(QStringLiteral("jo"), {QStringLiteral("alma;apple")});
    {
        QFile junk(f.folder() + QStringLiteral("/rossz.DB"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(5000, 'x'));
    }
    {
        f.makePairs(QStringLiteral("csonka"), {QStringLiteral("a;b"), QStringLiteral("c;d")});
        QFile cut(f.folder() + QStringLiteral("/csonka.DB"));
        QVERIFY(cut.resize(100));
    }
    for (const char* name : {"rossz", "csonka"}) {
        try {
            f.rows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(name)));
            QFAIL("a broken file was read");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains(QLatin1String(name)), qPrintable(e.message()));
        }
    }
    QCOMPARE(f.rows(QStringLiteral("SELECT nyelv2 FROM jo")), QStringList{QStringLiteral("apple")});
}

void StoreSqlTest::readOnlyFileCanBeReadButNotWritten() {
    if (geteuid() == 0) QSKIP("file permissions do not bind root");
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    QFile::setPermissions(f.folder() + QStringLiteral("/angol.DB"), QFile::ReadOwner);
    QCOMPARE(f.rows(QStringLiteral("SELECT nyelv2 FROM angol")), QStringList{QStringLiteral("apple")});
    QVERIFY_THROWS_EXCEPTION(StoreError, f.exec(QStringLiteral("INSERT INTO angol VALUES ('a','b')")));
}

void StoreSqlTest::splitStatements_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("count");
    QTest::newRow("two") << "SELECT 1; SELECT 2;" << 2;
    QTest::newRow("semicolon in a string") << "SELECT 'a;b'; SELECT 2" << 2;
    QTest::newRow("semicolon in a comment") << "SELECT 1 -- x;y\n; /* ; */ SELECT 2;" << 2;
    QTest::newRow("blank pieces dropped") << " ; ;SELECT 1;;" << 1;
    QTest::newRow("nothing") << "  " << 0;
    QTest::newRow("a trigger body holds its own semicolons")
        << "CREATE TRIGGER t AFTER INSERT ON a BEGIN UPDATE a SET x=1; DELETE FROM b; END; SELECT 1;" << 2;
}

void StoreSqlTest::splitStatements() {
    QFETCH(QString, script);
    QFETCH(int, count);
    QCOMPARE(verbalo::store::splitStatements(script).size(), count);
}

QTEST_GUILESS_MAIN(StoreSqlTest)
#include "test_store_sql.moc"
