// A large table's order built off the cursor's thread: while it is being built the cursor
// serves its first rows and count, and every answer is the one a cursor ordering at once gives.
#include "support/store_fixture.h"

#include "common/store/table.h"

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

// One cursor on its own copy of the table, ordered at once or in the background.
struct Side {
    StoreFixture folder;
    Table table{folder.db()};
    explicit Side(const QStringList& pairs, bool background) {
        folder.makePairs(QStringLiteral("angol"), pairs);
        table.setTableName(QStringLiteral("angol"));
        table.setBackgroundOrderFrom(background ? 1 : 0);
        table.setIndexFieldNames(N1);
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
        else if (op == QLatin1String("foreign"))
            folder.exec(QStringLiteral("INSERT INTO angol VALUES ('%1', 'other')").arg(arg));
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
    void aSmallTableIsOrderedAtOnce();
};

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
}

void StoreBackgroundOrderTest::answersMatchAnOrderBuiltAtOnce() {
    QFETCH(QString, script);
    const QStringList pairs = samplePairs(3000);
    Side atOnce(pairs, false);
    Side background(pairs, true);
    for (const QString& step : script.split(QLatin1Char('|'))) {
        const QString expected = atOnce.run(step);
        QVERIFY2(!atOnce.table.orderBuilding(), qPrintable(step));
        QCOMPARE(background.run(step), expected);
    }
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

void StoreBackgroundOrderTest::aSmallTableIsOrderedAtOnce() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), samplePairs(100));
    Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    t.setIndexFieldNames(N1);
    t.open();
    QVERIFY(!t.orderBuilding());
    QCOMPARE(t.recordCount(), 100);
}

QTEST_GUILESS_MAIN(StoreBackgroundOrderTest)
#include "test_store_background_order.moc"
