// The quick finder looking words up while another process imports into the same dictionary:
// no error on either side and no row lost.
#include "test_quick_fixture.h"

#include "quickfinder/logic/word_lookup.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

using namespace verbalo;
using verbalo::test::QuickDataFolder;

namespace {

QString helperProgram() {
    return qEnvironmentVariable("VERBALO_TEST_HELPER");
}

QString importedWord(int i) {
    return QStringLiteral("szo%1").arg(i, 7, 10, QLatin1Char('0'));
}

} // namespace

class QuickConcurrencyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!helperProgram().isEmpty(), "VERBALO_TEST_HELPER not set"); }
    void lookUpWhileAnotherProcessImports();
};

void QuickConcurrencyTest::lookUpWhileAnotherProcessImports() {
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    const int rows = 200000;
    QProcess writer;
    writer.setProgram(helperProgram());
    writer.setArguments({QStringLiteral("bulk-insert"), data.folders().dataFolder, QStringLiteral("angol"), QString::number(rows),
                         QStringLiteral("1000")});
    writer.start();
    QVERIFY(writer.waitForStarted());

    WordLookup lookup(data.db());
    lookup.setTable(QStringLiteral("angol"));
    QByteArray output;
    int committed = 0;
    int lookups = 0;
    int importedFound = 0;
    QElapsedTimer clock;
    clock.start();
    while (writer.state() != QProcess::NotRunning && clock.elapsed() < 120000) {
        // Alternate words, since the same word twice is not looked up again.
        const std::optional<LookupOutcome> old = lookup.lookUp(QStringLiteral("kert"));
        QVERIFY(old);
        QVERIFY2(old->error.isEmpty(), qPrintable(old->error));
        QCOMPARE(old->translations, (QStringList{QStringLiteral("garden"), QStringLiteral("yard")}));
        output += writer.readAllStandardOutput();
        for (const QByteArray& line : output.split('\n'))
            if (line.startsWith("committed ")) committed = std::max(committed, line.mid(10).toInt());
        if (committed == 0) {
            QVERIFY(lookup.lookUp(QStringLiteral("alma")));
        } else {
            // The last row of a batch the writer has committed is there to be found.
            const std::optional<LookupOutcome> fresh = lookup.lookUp(importedWord(committed - 1));
            QVERIFY(fresh);
            QVERIFY2(fresh->error.isEmpty(), qPrintable(fresh->error));
            QCOMPARE(fresh->translations, QStringList{QStringLiteral("word%1").arg(committed - 1)});
            ++importedFound;
        }
        ++lookups;
        writer.waitForFinished(2);
    }
    if (writer.state() != QProcess::NotRunning) QVERIFY(writer.waitForFinished(120000));
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QVERIFY2(writer.exitCode() == 0, writer.readAllStandardError().constData());
    QVERIFY2(importedFound > 0, "no lookup ran while the import was committing");
    qInfo("%d lookups beside the import, %d of freshly committed rows", lookups, importedFound);

    store::Query q(data.db());
    q.setSql(QStringLiteral("SELECT count(*) FROM angol"));
    QCOMPARE(q.open().value(0).toInt(), rows + static_cast<int>(test::samplePairs().size()));
    q.setSql(QStringLiteral("SELECT count(*) FROM angol WHERE nyelv1 LIKE 'szo%' AND nyelv2 LIKE 'word%'"));
    QCOMPARE(q.open().value(0).toInt(), rows);
    WordLookup afterwards(data.db());
    afterwards.setTable(QStringLiteral("angol"));
    QCOMPARE(afterwards.lookUp(importedWord(rows - 1))->translations, QStringList{QStringLiteral("word%1").arg(rows - 1)});
}

QTEST_GUILESS_MAIN(QuickConcurrencyTest)
#include "test_quick_concurrency.moc"
