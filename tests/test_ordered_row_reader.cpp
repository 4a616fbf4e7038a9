// The ordered row reader: the rows, their order and their values are those of the table's
// cursor under every order and filter, also when the statement is let go and started again
// after every row; and the other program can commit while a long read goes on.

#include "common/store/database.h"
#include "common/store/ordered_row_reader.h"
#include "common/store/sqlite_handle.h"
#include "common/store/table.h"
#include "support/store_fixture.h"

#include <QTest>

#include <atomic>
#include <thread>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

// Keys that sort close together or awkwardly: case and accent variants, equal first columns,
// nulls, an empty text, digits, a character beyond U+FFFF, bytes that are not UTF-8.
void fillAwkwardPairs(StoreFixture& fx) {
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple"), QStringLiteral("Alma;Apple"), QStringLiteral("ALMA;x"),
                                       QStringLiteral("álma;b"), QStringLiteral("alma;pie"), QStringLiteral("körte;pear"),
                                       QStringLiteral("10;ten"), QStringLiteral("9;nine"), QStringLiteral("z😀;emoji")});
    fx.exec(QStringLiteral("INSERT INTO t VALUES (NULL, 'null first')"));
    fx.exec(QStringLiteral("INSERT INTO t VALUES (NULL, NULL)"));
    fx.exec(QStringLiteral("INSERT INTO t VALUES ('alma', NULL)"));
    fx.exec(QStringLiteral("INSERT INTO t VALUES ('', 'empty')"));
    fx.exec(QStringLiteral("INSERT INTO t VALUES (CAST(x'C3' AS TEXT), 'broken')"));
    fx.exec(QStringLiteral("CREATE INDEX second ON t (nyelv2)"));
    // A table without a key keeps the order rows were stored in.
    fx.exec(QStringLiteral("CREATE TABLE k (a CHAR(10), b INT)"));
    for (int i = 0; i < 20; ++i) fx.exec(QStringLiteral("INSERT INTO k VALUES ('%1', %2)").arg(QChar(u'z' - i)).arg(i % 3));
}

using Rows = QList<QVariantList>; // per row its row id, then its values

Rows throughCursor(store::Table& t) {
    Rows rows;
    for (t.first(); !t.eof(); t.next()) {
        QVariantList row{QVariant::fromValue<qlonglong>(t.currentRowid())};
        for (int i = 0; i < t.fieldCount(); ++i) row << t.value(i);
        rows << row;
    }
    return rows;
}

Rows throughReader(store::Database& db, const store::Table& t, qint64 spanMillis, quint64* restarts, bool* staysPastEnd) {
    Rows rows;
    store::OrderedRowReader reader(db, t, spanMillis);
    while (reader.next()) {
        QVariantList row{QVariant::fromValue<qlonglong>(reader.rowid())};
        for (int i = 0; i < reader.fieldCount(); ++i) row << reader.value(i);
        rows << row;
    }
    *staysPastEnd = !reader.next();
    *restarts = reader.restarts();
    return rows;
}

// The row ids and order keys of the rows, as the cursor has them and as a reader selecting
// only the key gives them (the background order reads that way).
Rows keysThroughCursor(store::Table& t) {
    Rows rows;
    for (const QVariantList& row : throughCursor(t)) {
        QVariantList keyed{row.first()};
        for (const QString& c : t.orderColumns()) keyed << (c == QLatin1String("rowid") ? row.first() : row.at(t.fieldIndex(c) + 1));
        rows << keyed;
    }
    return rows;
}

Rows keysThroughReader(store::Database& db, const store::Table& t, qint64 spanMillis) {
    Rows rows;
    store::OrderedRowReader reader(db, t, spanMillis, store::OrderedRowReader::Select::OrderKey);
    while (reader.next()) {
        QVariantList row{QVariant::fromValue<qlonglong>(reader.rowid())};
        for (int i = 0; i < t.orderColumns().size(); ++i) row << reader.value(i);
        rows << row;
    }
    return rows;
}

} // namespace

class OrderedRowReaderTest : public QObject {
    Q_OBJECT
private slots:
    void rowsOfTheCursor_data();
    void rowsOfTheCursor();
    void otherProgramCommitsDuringALongRead();
};

void OrderedRowReaderTest::rowsOfTheCursor_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("filter");
    QTest::newRow("primary key") << "t"
                                 << ""
                                 << "";
    QTest::newRow("first column") << "t"
                                  << "nyelv1"
                                  << "";
    QTest::newRow("second column, nulls in the key") << "t"
                                                     << "nyelv2"
                                                     << "";
    QTest::newRow("filtered") << "t"
                              << "nyelv1"
                              << "nyelv2 LIKE '%p%' OR nyelv1 IS NULL";
    QTest::newRow("filter keeps nothing") << "t"
                                          << ""
                                          << "1=0";
    QTest::newRow("no key: stored order") << "k"
                                          << ""
                                          << "";
    QTest::newRow("no key, filtered") << "k"
                                      << ""
                                      << "b <> 1";
}

void OrderedRowReaderTest::rowsOfTheCursor() {
    QFETCH(QString, table);
    QFETCH(QString, order);
    QFETCH(QString, filter);
    StoreFixture fx;
    fillAwkwardPairs(fx);
    store::Table t(fx.db());
    t.setTableName(table);
    t.open();
    t.setIndexFieldNames(order);
    t.setFilter(filter);
    t.setFiltered(!filter.isEmpty());
    const Rows expected = throughCursor(t);
    QVERIFY(!expected.isEmpty() || filter == QLatin1String("1=0"));
    quint64 restarts = 0;
    bool staysPastEnd = false;
    // In one statement, and started again after every row.
    QCOMPARE(throughReader(fx.db(), t, store::Table::kReadSpanMillis, &restarts, &staysPastEnd), expected);
    QVERIFY(staysPastEnd);
    QCOMPARE(throughReader(fx.db(), t, 0, &restarts, &staysPastEnd), expected);
    QCOMPARE(restarts, quint64(expected.size())); // the last one finds the end
    const Rows keys = keysThroughCursor(t);
    QCOMPARE(keysThroughReader(fx.db(), t, store::Table::kReadSpanMillis), keys);
    QCOMPARE(keysThroughReader(fx.db(), t, 0), keys);
}

void OrderedRowReaderTest::otherProgramCommitsDuringALongRead() {
    StoreFixture fx;
    QStringList pairs;
    for (int i = 0; i < 40; ++i) pairs << QStringLiteral("szo%1;word%1").arg(i, 2, 10, QLatin1Char('0'));
    fx.makePairs(QStringLiteral("t"), pairs);
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    store::OrderedRowReader reader(fx.db(), t, 50);
    QVERIFY(reader.next());

    // The other program writes one row while the read goes on; it waits its turn, not more.
    std::atomic<bool> committed{false};
    QString writeError;
    std::thread writer([&] {
        try {
            store::Connection conn(fx.folder() + QStringLiteral("/t.DB"), store::Connection::Mode::ReadWrite, 5000);
            store::Transaction tx(conn);
            conn.exec(QStringLiteral("INSERT INTO t VALUES ('új', 'new')"));
            tx.commit();
            committed = true;
        } catch (const store::StoreError& e) {
            writeError = e.message();
        }
    });
    int rows = 1;
    bool committedDuringRead = false;
    while (reader.next()) {
        ++rows;
        QTest::qWait(10);
        committedDuringRead = committedDuringRead || committed;
    }
    writer.join();
    QVERIFY2(writeError.isEmpty(), qPrintable(writeError));
    QVERIFY(committedDuringRead);
    QVERIFY(reader.restarts() > 0);
    // Rows after the place of the read when the other program committed are seen: «új» sorts last.
    QCOMPARE(rows, 41);
}

QTEST_GUILESS_MAIN(OrderedRowReaderTest)
#include "test_ordered_row_reader.moc"
