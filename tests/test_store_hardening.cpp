// The store against a hostile or unlucky user: names and statements that would reach outside
// the data folder, a rename that would cut a table from its file, empty and damaged table
// files, and a commit that the other program's long read makes fail.
#include "support/store_fixture.h"

#include "common/store/collation.h"
#include "common/store/integrity.h"
#include "common/store/table.h"
#include "exchange/logic/import_session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace verbalo;
using namespace verbalo::store;
using verbalo::test::StoreFixture;

namespace {

const QString N1 = QStringLiteral("nyelv1");
const QString N2 = QStringLiteral("nyelv2");

QString helperProgram() {
    return qEnvironmentVariable("VERBALO_TEST_HELPER");
}

// Another program holding a read of file for millis; returns once it holds the lock.
std::unique_ptr<QProcess> holdRead(const QString& file, int millis) {
    auto p = std::make_unique<QProcess>();
    p->start(helperProgram(), {QStringLiteral("hold-read"), file, QString::number(millis)});
    if (!p->waitForStarted() || !p->waitForReadyRead(10000) || !p->readAllStandardOutput().startsWith("holding"))
        qWarning("the reader did not start: %s", p->readAllStandardError().constData());
    return p;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void addPair(Table& t, const QString& a, const QString& b) {
    t.insert();
    t.setValue(N1, a);
    t.setValue(N2, b);
    t.post();
}

void rawExec(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

class StoreHardeningTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!helperProgram().isEmpty(), "VERBALO_TEST_HELPER not set"); }
    void tableNamesArePlain_data();
    void tableNamesArePlain();
    void userSqlStaysInTheDataFolder_data();
    void userSqlStaysInTheDataFolder();
    void renameIsRefusedAndTheTableStaysReachable();
    void emptyTableFileIsDamaged_data();
    void emptyTableFileIsDamaged();
    void corruptFileIsNamedDamaged();
    void failedCommitRollsBackAndTheTableStaysUsable_data();
    void failedCommitRollsBackAndTheTableStaysUsable();
    void importCountsWhatIsCommitted();
    void reindexThatFailsIsTriedAgain();
};

void StoreHardeningTest::tableNamesArePlain_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("double-quoted parent") << QStringLiteral("\"../evil\"");
    QTest::newRow("bracketed parent") << QStringLiteral("[../evil]");
    QTest::newRow("backquoted parent") << QStringLiteral("`../evil`");
    QTest::newRow("the existing file beside the folder") << QStringLiteral("\"../victim\"");
    QTest::newRow("sub-folder") << QStringLiteral("\"sub/x\"");
    QTest::newRow("backslash") << QStringLiteral("\"a\\b\"");
    QTest::newRow("leading dot") << QStringLiteral("\".hidden\"");
    QTest::newRow("control character") << QStringLiteral("\"a\tb\"");
}

void StoreHardeningTest::tableNamesArePlain() {
    QFETCH(QString, name);
    QTemporaryDir outer;
    const QString data = outer.filePath(QStringLiteral("Data"));
    QVERIFY(QDir().mkpath(data + QStringLiteral("/sub")));
    const QString victim = outer.filePath(QStringLiteral("victim.DB"));
    rawExec(victim, "CREATE TABLE victim (a INT); INSERT INTO victim VALUES (1);");
    const QByteArray victimBytes = bytesOf(victim);
    const QStringList outerBefore = entries(outer.path());
    const QStringList dataBefore = entries(data);
    Database db;
    db.connect(QStringLiteral("szotar"), data);
    Query q(db);
    for (const QString& sql : {QStringLiteral("CREATE TABLE %1 (a INT);"), QStringLiteral("CREATE TABLE %1 AS SELECT 1 AS a;"),
                               QStringLiteral("DROP TABLE %1;")}) {
        q.setSql(sql.arg(name));
        try {
            q.exec();
            QFAIL(qPrintable(QStringLiteral("accepted: ") + q.sql()));
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("table name")) || e.message().contains(QStringLiteral("no such table")),
                     qPrintable(e.message()));
        }
    }
    QCOMPARE(entries(outer.path()), outerBefore);
    QCOMPARE(entries(data), dataBefore);
    QCOMPARE(entries(data + QStringLiteral("/sub")), QStringList());
    QCOMPARE(bytesOf(victim), victimBytes);
}

void StoreHardeningTest::userSqlStaysInTheDataFolder_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("attach a file anywhere") << QStringLiteral("ATTACH '@outside/x.db' AS z") << QStringLiteral("ATTACH");
    QTest::newRow("attach after a comment") << QStringLiteral("/* x */ attach database '@outside/x.db' as z")
                                            << QStringLiteral("ATTACH");
    QTest::newRow("copy a table anywhere") << QStringLiteral("VACUUM angol INTO '@outside/copy.db'")
                                           << QStringLiteral("VACUUM INTO");
    QTest::newRow("detach a table file") << QStringLiteral("DETACH angol") << QStringLiteral("DETACH");
    QTest::newRow("a second table in a table's file")
        << QStringLiteral("CREATE TABLE angol.masik (a INT)") << QStringLiteral("CREATE TABLE");
    QTest::newRow("drop the table inside its file") << QStringLiteral("DROP TABLE angol.angol") << QStringLiteral("DROP TABLE");
    QTest::newRow("load an extension") << QStringLiteral("SELECT load_extension('@outside/x.so')") << QStringLiteral("");
}

void StoreHardeningTest::userSqlStaysInTheDataFolder() {
    QFETCH(QString, sql);
    QFETCH(QString, refusal);
    QTemporaryDir outside;
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    QCOMPARE(f.rows(QStringLiteral("SELECT count(*) FROM angol")), QStringList{QStringLiteral("1")}); // attached now
    sql.replace(QStringLiteral("@outside"), outside.path());
    try {
        f.exec(sql);
        QFAIL("the statement ran");
    } catch (const StoreError& e) {
        QVERIFY2(e.message().contains(refusal), qPrintable(e.message()));
    }
    QCOMPARE(entries(outside.path()), QStringList());
    QCOMPARE(f.rows(QStringLiteral("SELECT nyelv2 FROM angol")), QStringList{QStringLiteral("apple")});
    QCOMPARE(checkTableIntegrity(f.db(), QStringLiteral("angol")), QStringList());
}

void StoreHardeningTest::renameIsRefusedAndTheTableStaysReachable() {
    StoreFixture f;
    f.makePairs(QStringLiteral("kozmondas"), {QStringLiteral("alma;apple")});
    for (const QString& sql : {QStringLiteral("ALTER TABLE kozmondas RENAME TO kozm2"),
                               QStringLiteral("-- rename\n alter table \"kozmondas\" rename to kozm2;")}) {
        try {
            f.exec(sql);
            QFAIL("the rename ran");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("RENAME is not allowed")), qPrintable(e.message()));
        }
    }
    QCOMPARE(f.rows(QStringLiteral("SELECT nyelv2 FROM kozmondas")), QStringList{QStringLiteral("apple")});
    QCOMPARE(f.db().tableNames(), QStringList{QStringLiteral("kozmondas")});
    // Other changes of a table's columns are still the user's to make.
    f.exec(QStringLiteral("ALTER TABLE kozmondas ADD COLUMN megjegyzes CHAR(20)"));
    QCOMPARE(f.rows(QStringLiteral("SELECT count(megjegyzes) FROM kozmondas")), QStringList{QStringLiteral("0")});
}

void StoreHardeningTest::emptyTableFileIsDamaged_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("a dictionary") << QStringLiteral("angol");
    QTest::newRow("the catalogue") << QStringLiteral("szotarak");
}

void StoreHardeningTest::emptyTableFileIsDamaged() {
    QFETCH(QString, table);
    StoreFixture f;
    const QString file = f.folder() + QLatin1Char('/') + table + QStringLiteral(".DB");
    QFile(file).open(QIODevice::WriteOnly);
    const QStringList problems = checkTableIntegrity(f.db(), table);
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().startsWith(QStringLiteral("table %1 is damaged").arg(table)), qPrintable(problems.first()));
    Table t(f.db());
    t.setTableName(table);
    try {
        t.open();
        QFAIL("an empty file opened as a table");
    } catch (const StoreError& e) {
        QCOMPARE(e.kind(), StoreError::Kind::Damaged);
    }
    try {
        f.rows(QStringLiteral("SELECT * FROM %1").arg(table));
        QFAIL("an empty file was read as a table");
    } catch (const StoreError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("is damaged")), qPrintable(e.message()));
    }
    // Looking did not turn the empty file into a database.
    QCOMPARE(QFileInfo(file).size(), qint64(0));
}

void StoreHardeningTest::corruptFileIsNamedDamaged() {
    StoreFixture f;
    QStringList pairs;
    for (int i = 0; i < 3000; ++i) pairs << QStringLiteral("szo%1;word%1").arg(i);
    f.makePairs(QStringLiteral("angol"), pairs);
    f.db().disconnect();
    f.db().connect(QStringLiteral("szotar"), f.folder());
    // Every page after the header page gets an impossible page type.
    const QString file = f.folder() + QStringLiteral("/angol.DB");
    QByteArray bytes = bytesOf(file);
    const int pageSize = (static_cast<uchar>(bytes[16]) << 8) | static_cast<uchar>(bytes[17]);
    for (int page = 1; page * pageSize < bytes.size(); ++page) bytes[page * pageSize] = char(0x7f);
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    try {
        t.open();
        addPair(t, QStringLiteral("új"), QStringLiteral("new"));
        QFAIL("a write into a damaged file was reported as done");
    } catch (const StoreError& e) {
        QVERIFY2(e.kind() == StoreError::Kind::Damaged, qPrintable(e.message()));
        QVERIFY2(e.message().startsWith(QStringLiteral("table angol is damaged")), qPrintable(e.message()));
    }
    QVERIFY(!checkTableIntegrity(f.db(), QStringLiteral("angol")).isEmpty());
}

void StoreHardeningTest::failedCommitRollsBackAndTheTableStaysUsable_data() {
    QTest::addColumn<bool>("batched");
    QTest::newRow("one post") << false;
    QTest::newRow("a batch") << true;
}

void StoreHardeningTest::failedCommitRollsBackAndTheTableStaysUsable() {
    QFETCH(bool, batched);
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    f.db().setBusyTimeout(200);
    Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    t.open();
    if (batched) {
        t.beginBatch();
        addPair(t, QStringLiteral("körte"), QStringLiteral("pear"));
        addPair(t, QStringLiteral("szilva"), QStringLiteral("plum"));
    }
    auto reader = holdRead(f.folder() + QStringLiteral("/angol.DB"), 1500);
    try {
        if (batched)
            t.endBatch();
        else
            addPair(t, QStringLiteral("körte"), QStringLiteral("pear"));
        QFAIL("the commit went through while the other program was reading");
    } catch (const StoreError& e) {
        QCOMPARE(e.kind(), StoreError::Kind::Busy);
        QVERIFY2(e.message().startsWith(QStringLiteral("table angol is in use by another program")), qPrintable(e.message()));
        if (batched) QVERIFY2(e.message().contains(QStringLiteral("the last 2 rows were not stored")), qPrintable(e.message()));
    }
    QCOMPARE(t.lostWrites(), qint64(batched ? 2 : 0));
    // The editor gives up the row it could not store, as a user pressing Esc would.
    t.cancel();
    QVERIFY(reader->waitForFinished(10000));
    // Nothing is left half done: the next write and any other reader go ahead.
    addPair(t, QStringLiteral("meggy"), QStringLiteral("cherry"));
    QCOMPARE(f.rows(QStringLiteral("SELECT nyelv2 FROM angol ORDER BY nyelv2")),
             (QStringList{QStringLiteral("apple"), QStringLiteral("cherry")}));
    QCOMPARE(t.recordCount(), 2);
    auto second = holdRead(f.folder() + QStringLiteral("/angol.DB"), 10);
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
}

void StoreHardeningTest::importCountsWhatIsCommitted() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple")});
    f.db().setBusyTimeout(200);
    Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    t.open();
    auto reader = holdRead(f.folder() + QStringLiteral("/angol.DB"), 1500);
    ImportCounts counts;
    QString failure;
    {
        ImportSession import(t);
        for (int i = 0; i < 500; ++i)
            import.storeRow([i](Table& table) {
                table.setValue(N1, QStringLiteral("szo%1").arg(i));
        table.setValue(N2, QStringLiteral("word"));
    });
        import.storeRow([](Table& table) { // a duplicate: refused, not a failure
            table.setValue(N1, QStringLiteral("alma"));
        table.setValue(N2, QStringLiteral("apple"));
});
QVERIFY(!import.finish());
counts = import.counts();
failure = import.failure();
}
QVERIFY(reader->waitForFinished(10000));
QCOMPARE(counts.offered, qint64(501));
QCOMPARE(counts.refused, qint64(1));
QVERIFY2(failure.contains(QStringLiteral("in use by another program")), qPrintable(failure));
// What the import says it stored is what the table holds beside the one row it had.
QCOMPARE(f.rows(QStringLiteral("SELECT count(*) FROM angol")), QStringList{QString::number(counts.stored + 1)});
QCOMPARE(counts.stored, qint64(0));
}

void StoreHardeningTest::reindexThatFailsIsTriedAgain() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple"), QStringLiteral("Alma;Apple")});
    f.db().disconnect();
    const QString file = f.folder() + QStringLiteral("/angol.DB");
    // As if indexed under another collation version.
    rawExec(file, "PRAGMA user_version=1;");
    Database db;
    db.connect(QStringLiteral("szotar"), f.folder());
    db.setBusyTimeout(200);
    {
        auto reader = holdRead(file, 1500);
        Table t(db);
        t.setTableName(QStringLiteral("angol"));
        try {
            t.open();
            QFAIL("a table whose stale indexes could not be rebuilt was opened as current");
        } catch (const StoreError& e) {
            QCOMPARE(e.kind(), StoreError::Kind::Busy);
        }
        QVERIFY(reader->waitForFinished(10000));
    }
    Table t(db);
    t.setTableName(QStringLiteral("angol"));
    t.open();
    QCOMPARE(t.recordCount(), 2);
    sqlite3* raw = nullptr;
    sqlite3_open(file.toUtf8().constData(), &raw);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA user_version", -1, &s, nullptr);
    sqlite3_step(s);
    QCOMPARE(sqlite3_column_int64(s, 0), collationVersionMarker());
    sqlite3_finalize(s);
    sqlite3_close(raw);
}

QTEST_GUILESS_MAIN(StoreHardeningTest)
#include "test_store_hardening.moc"
