// Two processes on one data folder: a writer in batches and a reader seeking at the same
// time, and a writer killed in the middle of its work.
#include "support/store_fixture.h"

#include "common/store/integrity.h"
#include "common/store/table.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using namespace verbalo::store;
using verbalo::test::StoreFixture;

namespace {

QString helperProgram() {
    return qEnvironmentVariable("VERBALO_TEST_HELPER");
}

QProcess* startWriter(QObject* parent, const QString& folder, int rows, int batch) {
    auto* p = new QProcess(parent);
    p->setProgram(helperProgram());
    p->setArguments(
        {QStringLiteral("bulk-insert"), folder, QStringLiteral("angol"), QString::number(rows), QString::number(batch)});
    p->start();
    return p;
}

// The highest "committed N" the writer has reported so far.
int lastCommitted(QByteArray& output) {
    int best = 0;
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith("committed ")) best = std::max(best, line.mid(10).toInt());
    return best;
}

} // namespace

class StoreConcurrencyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!helperProgram().isEmpty(), "VERBALO_TEST_HELPER not set"); }
    void readerAndWriterShareATable();
    void killedWriterLeavesCommittedBatches();
};

void StoreConcurrencyTest::readerAndWriterShareATable() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {QStringLiteral("alma;apple"), QStringLiteral("körte;pear")});
    const int rows = 50000;
    QProcess* writer = startWriter(this, f.folder(), rows, 500);
    QVERIFY(writer->waitForStarted());

    Table t(f.db());
    t.setTableName(QStringLiteral("angol"));
    t.open();
    int seeks = 0;
    QElapsedTimer clock;
    clock.start();
    // Seek and count while the other process commits; any error here fails the test. Every
    // row the writer adds ("szo…") sorts after "körte", so the seek lands on the same row with
    // the same number whatever has been committed, and the count only grows.
    int lastCount = 0;
    while (writer->state() != QProcess::NotRunning && clock.elapsed() < 60000) {
        t.gotoNearest({QStringLiteral("k")});
        QCOMPARE(t.text(QStringLiteral("nyelv1")), QStringLiteral("körte"));
        QCOMPARE(t.recNo(), 2);
        const int count = t.recordCount();
        QVERIFY(count >= lastCount && count >= 2);
        lastCount = count;
        QVERIFY(t.locate(QStringLiteral("nyelv1"), QStringLiteral("alma")));
        QCOMPARE(t.recNo(), 1);
        ++seeks;
        writer->waitForFinished(5);
    }
    if (writer->state() != QProcess::NotRunning) QVERIFY(writer->waitForFinished(60000));
    QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
    QVERIFY2(seeks > 0, "the reader never ran beside the writer");
    QCOMPARE(t.recordCount(), rows + 2);
    QCOMPARE(f.rows(QStringLiteral("SELECT count(*) FROM angol")), QStringList{QString::number(rows + 2)});
}

void StoreConcurrencyTest::killedWriterLeavesCommittedBatches() {
    StoreFixture f;
    f.makePairs(QStringLiteral("angol"), {});
    QProcess* writer = startWriter(this, f.folder(), 2000000, 1000);
    QVERIFY(writer->waitForStarted());
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    while (lastCommitted(output) < 5000 && clock.elapsed() < 60000) {
        writer->waitForReadyRead(100);
        output += writer->readAllStandardOutput();
    }
    writer->kill(); // no chance to finish the batch it is in
    writer->waitForFinished(10000);
    output += writer->readAllStandardOutput();
    const int committed = lastCommitted(output);
    QVERIFY(committed >= 5000);

    QVERIFY(checkTableIntegrity(f.db(), QStringLiteral("angol")).isEmpty());
    const int stored = f.rows(QStringLiteral("SELECT count(*) FROM angol")).first().toInt();
    QVERIFY2(stored >= committed, qPrintable(QStringLiteral("%1 stored, %2 reported committed").arg(stored).arg(committed)));
    // Every row stored is whole, and the committed ones are all there in sequence.
    QCOMPARE(f.rows(QStringLiteral("SELECT count(*) FROM angol WHERE nyelv2 IS NULL OR nyelv2 = ''")),
             QStringList{QStringLiteral("0")});
    QCOMPARE(
        f.rows(QStringLiteral("SELECT max(nyelv1) FROM angol WHERE nyelv1 < 'szo%1'").arg(committed, 7, 10, QLatin1Char('0'))),
        QStringList{QStringLiteral("szo%1").arg(committed - 1, 7, 10, QLatin1Char('0'))});
}

QTEST_GUILESS_MAIN(StoreConcurrencyTest)
#include "test_store_concurrency.moc"
