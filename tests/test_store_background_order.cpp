// A large table's order built off the cursor's thread: while it is being built the cursor
// serves its first rows and count, and every answer is the one a cursor ordering at once gives.
// Another program's commits are ordered in off the cursor's thread too: meanwhile the cursor
// answers from the order it has, and once it has settled, as a cursor ordering at once does.
#include "support/store_fixture.h"

#include "common/store/table.h"

#include <QSignalSpy>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace verbalo::store;
using verbalo::test::StoreFixture;

namespace {

const QString N1 = QStringLiteral("nyelv1");
const QString N2 = QStringLiteral("nyelv2");

// Headwords that share prefixes, differ in letter case and accents, and repeat.
QStringList samplePairs(int count) {
    const QStringList stems{QStringLiteral("alma"), QStringLiteral("Alma"), QStringLiteral("álom"), QStringLiteral("bor"),
                            QStringLiteral("Bór"),  QStringLiteral("cél"),  QStringLiteral("ház"),  QStringLiteral("mező"),
                            QStringLiteral("zöld"), QStringLiteral("Zug")};
    QStringList pairs;
    quint32 seed = 7;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const QString stem = stems.at(static_cast<int>((seed >> 16) % stems.size()));
        pairs << QStringLiteral("%1%2;t%3").arg(stem).arg((seed >> 8) % 97).arg(i);
    }
    return pairs;
}

// One cursor on its own copy of the table, ordered at once or in the background, and the
// other program: a database of its own on the same folder.
struct Side {
    StoreFixture folder;
    Table table{folder.db()};
    Database other;
    explicit Side(const QStringList& pairs, bool background) {
        folder.makePairs(QStringLiteral("angol"), pairs);
        table.setTableName(QStringLiteral("angol"));
        table.setBackgroundOrderFrom(background ? 1 : 0);
        table.setIndexFieldNames(N1);
        other.connect(QStringLiteral("szotar"), folder.folder());
    }
    void otherWrites(const QString& sql) {
        Query q(other);
        q.setSql(sql);
        q.exec();
    }
    QString row() { return table.eof() && table.bof() ? QStringLiteral("-") : table.text(N1) + QLatin1Char('/') + table.text(N2); }

    // Runs one step of a script and tells what a caller sees after it.
    QString run(const QString& step) {
        const QString op = step.section(QLatin1Char(' '), 0, 0);
        const QString arg = step.section(QLatin1Char(' '), 1);
        if (op == QLatin1String("open")) table.open();
        else if (op == QLatin1String("close")) {
            table.close();
            return QStringLiteral("closed");
        }
        else if (op == QLatin1String("first")) table.first();
        else if (op == QLatin1String("next")) table.next();
        else if (op == QLatin1String("prior")) table.prior();
        else if (op == QLatin1String("last")) table.last();
        else if (op == QLatin1String("setrec")) table.setRecNo(arg.toInt());
        else if (op == QLatin1String("near")) table.gotoNearest({arg});
        else if (op == QLatin1String("order")) table.setIndexFieldNames(arg == QLatin1String("-") ? QString() : arg);
        else if (op == QLatin1String("at"))
            return table.valueAt(arg.toInt(), 0).toString() + QLatin1Char('/') + table.valueAt(arg.toInt(), 1).toString();
        else if (op == QLatin1String("insert")) {
            table.insert();
            table.setValue(N1, arg);
            table.setValue(N2, QStringLiteral("new"));
            table.post();
        } else if (op == QLatin1String("remove")) table.remove();
        else if (op == QLatin1String("rename")) {
            table.edit();
            table.setValue(N1, arg);
            table.post();
        } else if (op == QLatin1String("locate"))
            return table.locate(N1, arg) ? QStringLiteral("found ") + row() : QStringLiteral("not found");
        // The other program's commits; "foreign" then waits until the cursor has settled.
        else if (op == QLatin1String("foreign")) {
            otherWrites(QStringLiteral("INSERT INTO angol VALUES ('%1', 'other')").arg(arg));
            table.settleOrder();
        } else if (op == QLatin1String("other-insert"))
            otherWrites(QStringLiteral("INSERT INTO angol VALUES ('%1', 'other')").arg(arg));
        else if (op == QLatin1String("other-remove"))
            otherWrites(QStringLiteral("DELETE FROM angol WHERE rowid = %1").arg(table.currentRowid()));
        else if (op == QLatin1String("other-remove-key"))
            otherWrites(QStringLiteral("DELETE FROM angol WHERE nyelv1 = '%1'").arg(arg));
        else if (op == QLatin1String("other-rename"))
            otherWrites(QStringLiteral("UPDATE angol SET nyelv1 = '%1' WHERE rowid = %2").arg(arg).arg(table.currentRowid()));
        else if (op == QLatin1String("settle"))
            table.settleOrder();
        else if (op == QLatin1String("walk")) {
            QStringList all;
            for (int i = 0; i < table.recordCount(); ++i) all << table.valueAt(i, 0).toString();
            return all.join(QLatin1Char(','));
        } else
            return QStringLiteral("unknown step ") + op;
        return QStringLiteral("%1 %2/%3 eof=%4").arg(row()).arg(table.recNo()).arg(table.recordCount()).arg(table.eof());
    }
};

} // namespace

class StoreBackgroundOrderTest : public QObject {
    Q_OBJECT
private slots:
    void answersMatchAnOrderBuiltAtOnce_data();
    void answersMatchAnOrderBuiltAtOnce();
    void closingWhileTheOrderIsBuiltStopsIt();
    void aRowAnotherProgramRemovedReadsAsItWas();
    void theNewOrderComesByItselfInAnEventLoop();
    void aSmallTableIsOrderedAtOnce();
    void countingLeavesNoMappingOfTheFile();
};

// A step marked "~" runs on both cursors, but its answer is not compared: the background cursor
// may still answer from the order before the other program's commit.
void StoreBackgroundOrderTest::answersMatchAnOrderBuiltAtOnce_data() {
    QTest::addColumn<QString>("script");
    // The first rows number 256: positions 10 and 200 lie among them, 2999 past them.
    QTest::newRow("first rows, then far") << "open|next|next|next|at 10|at 200|at 2999|at 5000|next";
    QTest::newRow("nearest among the first rows and past them") << "open|near alma1|near ALMA5|near mező|near zz|prior";
    QTest::newRow("last and back") << "open|last|prior|prior|first";
    QTest::newRow("record number set far and near") << "open|setrec 2500|setrec 3|setrec 99999|setrec 0";
    QTest::newRow("insert while ordering") << "open|insert aaa|insert Zzz|walk|first|next";
    QTest::newRow("delete while ordering") << "open|remove|remove|walk|last|remove";
    QTest::newRow("another program adds rows") << "open|foreign aa0|foreign mező5|walk|near mező5";
    QTest::newRow("order switched on a row") << "open|setrec 120|order -|next|order nyelv1;nyelv2|prior|order nyelv1|next";
    QTest::newRow("reopened") << "open|near bor|close|open|next|walk";
    QTest::newRow("another program removes the current row") << "open|setrec 40|~other-remove|~next|~prior|settle|next|walk";
    QTest::newRow("another program renames the current row") << "open|setrec 40|~other-rename zzzz|~at 40|settle|prior|walk";
    QTest::newRow("another program removes rows never read")
        << "open|~other-remove-key ház50|~near ház50|~at 2500|settle|near ház50|walk";
    QTest::newRow("commits while the rows are ordered again")
        << "open|setrec 10|~other-insert aa1|~at 5|~other-insert aa2|~at 5|settle|walk|first";
    QTest::newRow("own write while the rows are ordered again") << "open|setrec 30|~other-insert aa1|~at 3|insert bbb|walk|remove|walk";
    QTest::newRow("own edit of a row another program removed") << "open|setrec 30|~other-remove|rename kkk|walk";
    QTest::newRow("searching a row being ordered in") << "open|~other-insert aa7|locate aa7|next|walk";
    QTest::newRow("order switched while behind") << "open|~other-insert aa1|~at 3|order -|walk|order nyelv1|near aa1";
    QTest::newRow("closed while behind") << "open|~other-insert aa1|~at 3|close|open|walk";
}

void StoreBackgroundOrderTest::answersMatchAnOrderBuiltAtOnce() {
    QFETCH(QString, script);
    const QStringList pairs = samplePairs(3000);
    Side atOnce(pairs, false);
    Side background(pairs, true);
    for (const QString& step : script.split(QLatin1Char('|'))) {
        const bool compared = !step.startsWith(QLatin1Char('~'));
        const QString bare = compared ? step : step.mid(1);
        const QString expected = atOnce.run(bare);
        QVERIFY2(!atOnce.table.orderBuilding(), qPrintable(step));
        const QString answer = background.run(bare);
        if (compared) QCOMPARE(answer, expected);
    }
    // Every order, the other program's commits included, was built off the cursor's thread.
    QCOMPARE(background.table.foregroundOrderBuilds(), quint64(0));
}

void StoreBackgroundOrderTest::closingWhileTheOrderIsBuiltStopsIt() {
    Side side(samplePairs(20000), true);
    for (int i = 0; i < 5; ++i) {
        side.table.open();
        QCOMPARE(side.table.recordCount(), 20000);
        side.table.close();
        QVERIFY(!side.table.orderBuilding());
    }
    side.table.open();
    // A write waits for the whole order, so that the new row gets its place in it.
    side.run(QStringLiteral("insert zzzz"));
    QVERIFY(!side.table.orderBuilding());
    QCOMPARE(side.table.recNo(), side.table.recordCount());
}

// Until the new order is there, a row the other program removed reads as the cursor last read
// it, or as null values when it never did; the order is the one before the commit.
void StoreBackgroundOrderTest::aRowAnotherProgramRemovedReadsAsItWas() {
    const QStringList pairs = samplePairs(3000);
    Side atOnce(pairs, false);
    Side side(pairs, true);
    atOnce.table.open();
    side.table.open();
    side.table.settleOrder();
    const QString read = side.table.valueAt(5, 0).toString() + QLatin1Char('/') + side.table.valueAt(5, 1).toString();
    // A headword far from the rows read, and the first of its rows.
    const QString gone = atOnce.table.valueAt(2000, 0).toString();
    atOnce.table.gotoNearest({gone});
    const int neverRead = atOnce.table.recNo() - 1;
    for (Side* s : {&atOnce, &side}) {
        s->otherWrites(QStringLiteral("DELETE FROM angol WHERE nyelv1 = '%1' AND nyelv2 = '%2'")
                           .arg(read.section(QLatin1Char('/'), 0, 0), read.section(QLatin1Char('/'), 1)));
        s->otherWrites(QStringLiteral("DELETE FROM angol WHERE nyelv1 = '%1'").arg(gone));
    }
    QCOMPARE(side.table.recordCount(), 3000);
    QVERIFY(side.table.orderBuilding());
    QCOMPARE(side.table.valueAt(5, 0).toString() + QLatin1Char('/') + side.table.valueAt(5, 1).toString(), read);
    QVERIFY(side.table.valueAt(neverRead, 0).isNull());
    QVERIFY(side.table.valueAt(neverRead, 1).isNull());
    // A search through the rows that are gone lands where the others lead.
    side.table.gotoNearest({read.section(QLatin1Char('/'), 0, 0)});
    QVERIFY(side.table.recNo() <= 6);
    QCOMPARE(side.table.foregroundOrderBuilds(), quint64(0));

    side.table.settleOrder();
    QVERIFY(!side.table.orderBuilding());
    QCOMPARE(side.table.recordCount(), atOnce.table.recordCount());
    QVERIFY(side.table.recordCount() <= 2998);
    QCOMPARE(side.run(QStringLiteral("walk")), atOnce.run(QStringLiteral("walk")));
    QCOMPARE(side.run(QStringLiteral("near ") + gone), atOnce.run(QStringLiteral("near ") + gone));
    QCOMPARE(side.table.foregroundOrderBuilds(), quint64(0));
}

// With an event loop nobody has to ask: the new order takes the old one's place when it is
// there, the cursor says so, and the current row stays the same row.
void StoreBackgroundOrderTest::theNewOrderComesByItselfInAnEventLoop() {
    Side side(samplePairs(3000), true);
    side.table.open();
    side.table.settleOrder();
    side.table.setRecNo(100);
    const QString row = side.row();
    QSignalSpy rows(&side.table, &Table::rowsChanged);
    side.otherWrites(QStringLiteral("INSERT INTO angol VALUES ('aa0', 'other')"));
    QCOMPARE(side.table.recNo(), 100);
    QTRY_VERIFY(!side.table.orderBuilding());
    QVERIFY(rows.count() > 0);
    QCOMPARE(side.table.recordCount(), 3001);
    QCOMPARE(side.table.recNo(), 101);
    QCOMPARE(side.row(), row);
    QCOMPARE(side.table.foregroundOrderBuilds(), quint64(0));
}

// The count reads the file mapped into memory; a mapping left behind would keep the whole file
// in the program's resident memory for as long as the window stays open.
void StoreBackgroundOrderTest::countingLeavesNoMappingOfTheFile() {
    Side side(samplePairs(3000), true);
    const QString file = QFileInfo(side.folder.db().tableFile(QStringLiteral("angol"))).canonicalFilePath();
    side.table.open();
    QCOMPARE(side.table.recordCount(), 3000);
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QString mapped = QString::fromLocal8Bit(maps.readAll());
    QVERIFY2(!mapped.contains(file), qPrintable(file));
    side.table.settleOrder();
    QCOMPARE(side.run(QStringLiteral("last")).section(QLatin1Char(' '), 1, 1), QStringLiteral("3000/3000"));
}

void StoreBackgroundOrderTest::aSmallTableIsOrderedAtOnce() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), samplePairs(100));
    Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    t.setIndexFieldNames(N1);
    t.open();
    QVERIFY(!t.orderBuilding());
    QCOMPARE(t.recordCount(), 100);
    // Another program's commit too: the count is exact at once.
    Database other;
    other.connect(QStringLiteral("szotar"), f.folder());
    Query q(other);
    q.setSql(QStringLiteral("INSERT INTO angol VALUES ('aa0', 'other')"));
    q.exec();
    QCOMPARE(t.recordCount(), 101);
    QVERIFY(!t.orderBuilding());
}

QTEST_GUILESS_MAIN(StoreBackgroundOrderTest)
#include "test_store_background_order.moc"
