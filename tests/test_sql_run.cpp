// What the SQL window runs: the query-or-statements rule, the cut at every ";", the statement
// loop on a real data folder, the lazily read result and its copy for the export.
#include "common/folders.h"
#include "common/store/table.h"
#include "freesql/logic/query_result_model.h"
#include "freesql/logic/result_copy.h"
#include "freesql/logic/sql_folder.h"
#include "freesql/logic/sql_run.h"
#include "freesql/logic/sql_run_text.h"
#include "support/store_fixture.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

class SqlRunTest : public QObject {
    Q_OBJECT

private slots:
    void queryOrStatements_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("query");
        QTest::newRow("upper case") << "SELECT * FROM t" << true;
        QTest::newRow("lower case") << "select * from t" << true;
        QTest::newRow("blanks, empty lines and tabs before") << " \r\n\r\n\t  Select 1" << true;
        QTest::newRow("control characters before") << QStringLiteral("\x01\x1f") + "SELECT 1" << true;
        QTest::newRow("query followed by statements") << "SELECT 1; DELETE FROM t;" << true;
        QTest::newRow("line comment before") << "-- the words\nSELECT * FROM t" << false;
        QTest::newRow("block comment before") << "/* x */ SELECT 1" << false;
        QTest::newRow("bracket before") << "(SELECT 1)" << false;
        QTest::newRow("statement") << "INSERT INTO t VALUES (1);" << false;
        QTest::newRow("empty") << "" << false;
    }
    void queryOrStatements() {
        QFETCH(QString, text);
        QFETCH(bool, query);
        QCOMPARE(runKindOf(text) == SqlRunKind::Query, query);
    }

    void statementsAreCutAtEverySemicolon_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("two, trimmed ends") << "  \r\nA;\r\nB;  \r\n" << QStringList{"A;", "\r\nB;"};
        QTest::newRow("no final semicolon runs nothing") << "INSERT INTO t VALUES (1)" << QStringList{};
        QTest::newRow("text after the last is dropped") << "A;B" << QStringList{"A;"};
        QTest::newRow("inside quotes too") << "INSERT INTO t VALUES ('a;b');" << QStringList{"INSERT INTO t VALUES ('a;", "b');"};
        QTest::newRow("inside a comment too") << "-- x;y\nA;" << QStringList{"-- x;", "y\nA;"};
        QTest::newRow("empty statements") << ";;" << QStringList{";", ";"};
    }
    void statementsAreCutAtEverySemicolon() {
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(statementPieces(text), pieces);
    }

    void statementRunStopsAtTheFirstFailure() {
        StoreFixture s;
        s.exec(QStringLiteral("CREATE TABLE szavak (szo CHAR(20), szam INT)"));
        StatementRun run(s.db());
        QList<int> before, after;
        run.beforeEach = [&before](int done) { before << done; };
        run.afterEach = [&after](int done) { after << done; };
        const StatementRunOutcome outcome =
            run.run(statementPieces(QStringLiteral("INSERT INTO szavak VALUES ('egy', 1);\r\n;-- semmi\r\n;"
                                                   "INSERT INTO nincsilyen VALUES (2);INSERT INTO szavak VALUES ('három', 3);")));
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.done, 3);
        QVERIFY2(outcome.error.contains(QLatin1String("nincsilyen")), qPrintable(outcome.error));
        QCOMPARE(before, (QList<int>{0, 1, 2, 3}));
        QCOMPARE(after, (QList<int>{1, 2, 3}));
        // The statement before the failure keeps its effect; the one after it never ran.
        QCOMPARE(s.rows(QStringLiteral("SELECT szo, szam FROM szavak")), QStringList{QStringLiteral("egy\t1")});
    }

    void statementsReachOnlyTheDataFolder() {
        StoreFixture s;
        QTemporaryDir outside;
        StatementRun run(s.db());
        const StatementRunOutcome outcome =
            run.run(statementPieces(QStringLiteral("ATTACH DATABASE '%1/x.db' AS x;").arg(outside.path())));
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.error.contains(QLatin1String("ATTACH")), qPrintable(outcome.error));
        QVERIFY(QDir(outside.path()).isEmpty());
    }

    void aQueryIsOneStatement() {
        StoreFixture s;
        s.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
        QCOMPARE(openSqlQuery(s.db(), QStringLiteral("SELECT nyelv2 FROM angol;  -- the pairs\r\n")).value(0).toString(),
                 QStringLiteral("apple"));
        // The store would open the first statement alone and drop the DELETE unseen.
        QVERIFY_THROWS_EXCEPTION(store::StoreError,
                                 openSqlQuery(s.db(), QStringLiteral("SELECT * FROM angol; DELETE FROM angol;")));
        QCOMPARE(s.rows(QStringLiteral("SELECT count(*) FROM angol")), QStringList{QStringLiteral("1")});
    }

    void resultRowsAreReadAsTheGridAsks() {
        StoreFixture s;
        s.exec(QStringLiteral("CREATE TABLE szamok (n INT, szo CHAR(10), megj BLOB(0,1))"));
        s.exec(QStringLiteral("WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 1000) "
                              "INSERT INTO szamok SELECT n, 'sor' || n, CAST('jegyzet' AS BLOB) FROM r"));
        QueryResultModel model;
        model.setResult(openSqlQuery(s.db(), QStringLiteral("SELECT n, szo, megj, n * 1.5 AS fel FROM szamok ORDER BY n")));
        QVERIFY(model.isOpen());
        QCOMPARE(model.rowCount(), QueryResultModel::kChunkRows);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("fel"));
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("sor1"));
        // A memo kept as a blob shows as its text.
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("jegyzet"));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        while (model.canFetchMore(QModelIndex())) model.fetchMore(QModelIndex());
        QCOMPARE(model.rowCount(), 1000);
        QCOMPARE(model.data(model.index(999, 0)).toString(), QStringLiteral("1000"));
        QVERIFY(model.readError().isEmpty());
        model.clear();
        QVERIFY(!model.isOpen());
        QCOMPARE(model.rowCount(), 0);
        model.setResult(openSqlQuery(s.db(), QStringLiteral("SELECT n FROM szamok WHERE n < 10")));
        QCOMPARE(model.rowCount(), 9);
        QVERIFY(!model.canFetchMore(QModelIndex()));
        // A query that fails within its first rows leaves the model empty and closed.
        store::ResultSet failing =
            openSqlQuery(s.db(), QStringLiteral("SELECT abs(x) FROM (SELECT 1 AS x UNION ALL SELECT -9223372036854775807 - 1)"));
        QVERIFY_THROWS_EXCEPTION(store::StoreError, model.setResult(std::move(failing)));
        QVERIFY(!model.isOpen());
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 0);
    }

    void resultIsCopiedForTheExport() {
        StoreFixture s;
        s.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple"), QStringLiteral("körte;pear")});
        QTemporaryDir scratchDir;
        store::Database scratch;
        scratch.connect(QStringLiteral("eredmeny"), scratchDir.path());
        const int copied =
            copyQueryToTable(s.db(), QStringLiteral("SELECT nyelv1, nyelv1, length(nyelv2) AS hossz FROM angol ORDER BY nyelv1"),
                             scratch, QStringLiteral("eredmeny"));
        QCOMPARE(copied, 2);
        store::Table table(scratch);
        table.setTableName(QStringLiteral("eredmeny"));
        table.open();
        QStringList names;
        for (const store::FieldDef& f : table.schema().fields) names << f.name;
        QCOMPARE(names, (QStringList{"nyelv1", "nyelv1_2", "hossz"}));
        QCOMPARE(table.schema().fields[0].kind, store::FieldKind::Text);
        QCOMPARE(table.schema().fields[2].kind, store::FieldKind::Integer);
        QCOMPARE(table.recordCount(), 2);
        table.last();
        QCOMPARE(table.text(QStringLiteral("nyelv1_2")), QStringLiteral("körte"));
        QCOMPARE(table.integer(QStringLiteral("hossz")), 4);
        // Nothing of the copy reaches the data folder.
        QCOMPARE(s.db().tableNames(), QStringList{QStringLiteral("angol")});
    }

    void sqlFolderIsMadeWhenMissing() {
        QTemporaryDir dir;
        Folders folders;
        folders.settingsFolder = dir.path() + QStringLiteral("/beallitas");
        QString error;
        QVERIFY(ensureSqlFolder(folders, &error));
        QVERIFY(QDir(sqlFolder(folders)).exists());
        QCOMPARE(sqlFolder(folders), dir.path() + QStringLiteral("/beallitas/SQL"));
        // A file where the folder should be: said, not thrown.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("masik")));
        QFile blocker(dir.path() + QStringLiteral("/masik/SQL"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        folders.settingsFolder = dir.path() + QStringLiteral("/masik");
        QVERIFY(!ensureSqlFolder(folders, &error));
        QVERIFY(error.startsWith(QStringLiteral("Az SQL mappa nem hozható létre")));
    }
};

QTEST_GUILESS_MAIN(SqlRunTest)
#include "test_sql_run.moc"
