// verbalo-cli as a user runs it: output, exit status and errors.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status;
    QString out;
    QString err;
};

Run cli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("VERBALO_CLI"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void sqlTablesAndCheck();
    void errorsGoToStderrWithStatus1_data();
    void errorsGoToStderrWithStatus1();
    void withoutDataUsesTheConfiguredFolder();
};

void CliTest::sqlTablesAndCheck() {
    QTemporaryDir dir;
    const QString d = dir.path();
    QCOMPARE(
        cli({"--data", d, "sql", "CREATE TABLE angol ( nyelv1 CHAR(50), nyelv2 CHAR(50), PRIMARY KEY (nyelv1,nyelv2));"}).status,
        0);
    Run r = cli({"--data", d, "sql", "INSERT INTO angol VALUES ('körte','pear'),('alma','apple\tred')"});
    QCOMPARE(r.out, QStringLiteral("2 rows changed\n"));
    r = cli({"--data", d, "sql", "SELECT nyelv1, nyelv2 FROM angol ORDER BY nyelv1"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("nyelv1\tnyelv2\nalma\tapple\\tred\nkörte\tpear\n"));
    r = cli({"--data", d, "tables"}); // the empty folder got its catalogue at the first command
    QCOMPARE(r.out, QStringLiteral("angol\nszotarak\n"));
    r = cli({"--data", d, "check"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("angol: ok\nszotarak: ok\n"));

    QFile junk(d + QStringLiteral("/rossz.DB"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    r = cli({"--data", d, "check"});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.contains(QStringLiteral("angol: ok")));
    QVERIFY(r.out.contains(QStringLiteral("rossz: table rossz is damaged: file is not a database")));
}

void CliTest::errorsGoToStderrWithStatus1_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing table") << QStringList{"sql", "SELECT * FROM nincs"} << "error: no such table: nincs";
    QTest::newRow("bad sql") << QStringList{"sql", "SELEC 1"} << "syntax error";
    QTest::newRow("check of a missing table") << QStringList{"check", "nincs"} << "no such table: nincs";
}

void CliTest::errorsGoToStderrWithStatus1() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const Run r = cli(QStringList{"--data", dir.path()} + args);
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void CliTest::withoutDataUsesTheConfiguredFolder() {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/share"));
    const Run r = cli({"tables"}, env);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("szotarak\n")); // a first data folder gets its empty catalogue
    QVERIFY(QFile::exists(home.path() + QStringLiteral("/share/Verbalo9/Data/szotarak.DB")));
}

QTEST_GUILESS_MAIN(CliTest)
#include "test_cli.moc"
