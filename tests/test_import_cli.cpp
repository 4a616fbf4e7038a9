// verbalo-cli import-pairs, import-list and export-list on a real data folder, and an import
// killed in the middle of its work.

#include "common/catalogue.h"
#include "common/store/integrity.h"
#include "common/store/query.h"
#include "common/table_layouts.h"
#include "support/store_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run cli(const QString& folder, const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("VERBALO_CLI"), QStringList{QStringLiteral("--data"), folder} + args);
    p.waitForFinished(120000);
    return Run{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
               QString::fromUtf8(p.readAllStandardError())};
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A data folder with a catalogue holding a bilingual dictionary "Angol" (id 1, table angol)
// and a headword list "Lexikon" (id 2, table lexikon).
class DataFolder : public StoreFixture {
public:
    DataFolder() {
        createEmptyCatalogue(folder(), nullptr);
        add(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"));
        add(HeadwordList, QStringLiteral("Lexikon"), QStringLiteral("lexikon"));
    }
    void add(int type, const QString& name, const QString& table) {
        exec(createDictionaryTableLines(type, table).join(QLatin1Char('\n')));
        exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, nyelv1, nyelv2, nyelv1szeles, nyelv2szeles, "
                            "sorrend, ablak) "
                            "VALUES (%1, %2, %3, 'magyar', 'angol', 0.5, 0.5, 'nyelv1', 0)")
                 .arg(store::quoteLiteral(name), store::quoteLiteral(table))
                 .arg(type));
    }
    QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }
};

} // namespace

class TestImportCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void importPairs_data();
    void importPairs();
    void listImportAndExport();
    void pictureImports();
    void refusals_data();
    void refusals();
    void killedImportLeavesWholeRows();
};

void TestImportCli::initTestCase() {
    QVERIFY2(QFile::exists(qEnvironmentVariable("VERBALO_CLI")), "VERBALO_CLI names the tool");
}

void TestImportCli::importPairs_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("summary");

    // The trailing line break offers an empty line, which the key refuses.
    QTest::newRow("default separator, Windows-1250")
        << QStringList{"--dict", "Angol"} << QByteArray("alma;apple\r\nk\xf6rte;pear\r\n")
        << QStringList{"alma\tapple", "körte\tpear"} << "3 offered, 2 stored, 1 refused";
    QTest::newRow("by id, tab, UTF-8") << QStringList{"--dict", "1", "--sep", "tab"} << QByteArray("körte\tpear;x\nalma;apple")
                                       << QStringList{"alma;apple\t", "körte\tpear;x"} << "2 offered, 2 stored, 0 refused";
    QTest::newRow("by table name, vertical bar") << QStringList{"--sep", "|", "--dict", "ANGOL"} << QByteArray("a|b|c")
                                                 << QStringList{"a\tb"} << "1 offered, 1 stored, 0 refused";
}

void TestImportCli::importPairs() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, summary);
    DataFolder data;
    QVERIFY(writeBytes(data.file(QStringLiteral("pairs.txt")), bytes));
    const Run run =
        cli(data.folder(), QStringList{"import-pairs"} + options + QStringList{data.file(QStringLiteral("pairs.txt"))});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(summary), qPrintable(run.out));
    QCOMPARE(data.rows(QStringLiteral("SELECT nyelv1, nyelv2 FROM angol ORDER BY nyelv1")), rows);
}

void TestImportCli::listImportAndExport() {
    DataFolder data;
    QVERIFY(writeBytes(data.file(QStringLiteral("in.txt")),
                       "el\xf5sz\xf3\r\n##alma\r\nfruit\r\n##\r\nx\r\n##k\xf6rte\r\n##alma\r\ndup\r\n"));
    Run run = cli(data.folder(), {"import-list", "--dict", "Lexikon", data.file(QStringLiteral("in.txt"))});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QLatin1String("3 offered, 2 stored, 1 refused")), qPrintable(run.out));
    QCOMPARE(data.rows(QStringLiteral("SELECT nyelv1, replace(megjegyzes, char(13,10), '/') FROM lexikon ORDER BY nyelv1")),
             (QStringList{"alma\telőszó/fruit/", "körte\tx/"}));

    run = cli(data.folder(), {"export-list", "--dict", "2", data.file(QStringLiteral("out.txt"))});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QLatin1String("2 entries written (Windows-1250)")), qPrintable(run.out));
    QCOMPARE(readBytes(data.file(QStringLiteral("out.txt"))),
             QByteArray("##alma\r\nel\xf5sz\xf3\r\nfruit\r\n\r\n##k\xf6rte\r\nx\r\n\r\n"));

    // A full disk is an error, not "entries written".
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        run = cli(data.folder(), {"export-list", "--dict", "2", "/dev/full"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QLatin1String("megtelt")) && !run.out.contains(QLatin1String("written")),
                 qPrintable(run.err + run.out));
    }
}

void TestImportCli::pictureImports() {
    DataFolder data;
    data.add(ImageGallery, QStringLiteral("Képek"), QStringLiteral("kepek"));
    data.add(RecipeBook, QStringLiteral("Receptek"), QStringLiteral("receptek"));
    QVERIFY(writeBytes(data.file(QStringLiteral("kutya.png")), "PNG"));

    // The picture is found beside the list; the second line's caption exists, the third names no file.
    QVERIFY(writeBytes(data.file(QStringLiteral("kepek.txt")), "Kutya=kutya.png\r\nKutya=kutya.png\r\nMacska=nincs.png\r\n"));
    Run run = cli(data.folder(), {"import-gallery", "--dict", "Képek", data.file(QStringLiteral("kepek.txt"))});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QLatin1String("2 offered, 1 stored, 1 refused")), qPrintable(run.out));
    QCOMPARE(data.rows(QStringLiteral("SELECT nyelv1, filekit, length(kep) FROM kepek")), QStringList{"Kutya\t.png\t3"});

    // A difficulty that is no number stops the import; the recipe before it stays.
    QVERIFY(
        writeBytes(data.file(QStringLiteral("receptek.txt")),
                   "@ujrecept\r\n@finomsag=Gul\xe1s\r\n@kep=kutya.png\r\n@receptvege\r\n@ujrecept\r\n@nehezseg=k\xf6zepes\r\n"));
    run = cli(data.folder(), {"import-recipes", "--dict", "Receptek", data.file(QStringLiteral("receptek.txt"))});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.out.contains(QLatin1String("1 offered, 1 stored, 0 refused")), qPrintable(run.out));
    QVERIFY2(run.err.contains(QStringLiteral("6. sor: „közepes” nem egész szám.")), qPrintable(run.err));
    QCOMPARE(data.rows(QStringLiteral("SELECT nyelv2, filekit, length(kep) FROM receptek")), QStringList{"Gulás\t.png\t3"});

    run = cli(data.folder(), {"import-recipes", "--dict", "Képek", data.file(QStringLiteral("receptek.txt"))});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QLatin1String("is not a recipe book")), qPrintable(run.err));
}

void TestImportCli::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("no such dictionary") << QStringList{"import-pairs", "--dict", "Nincs", "@in"} << 1 << "no dictionary Nincs";
    QTest::newRow("pairs into a list") << QStringList{"import-pairs", "--dict", "Lexikon", "@in"} << 1
                                       << "is not a bilingual dictionary";
    QTest::newRow("list into pairs") << QStringList{"import-list", "--dict", "Angol", "@in"} << 1 << "is not a headword list";
    QTest::newRow("export of pairs") << QStringList{"export-list", "--dict", "Angol", "@out"} << 1 << "is not a headword list";
    QTest::newRow("missing file") << QStringList{"import-list", "--dict", "Lexikon", "@none"} << 1 << "Cannot open";
    QTest::newRow("folder for a file") << QStringList{"import-pairs", "--dict", "Angol", "@."} << 1 << "error:";
    QTest::newRow("two-character separator")
        << QStringList{"import-pairs", "--dict", "Angol", "--sep", ";;", "@in"} << 2 << "usage:";
    QTest::newRow("no file") << QStringList{"import-list", "--dict", "Lexikon"} << 2 << "usage:";
    QTest::newRow("export into a missing folder")
        << QStringList{"export-list", "--dict", "Lexikon", "@nincs/out.txt"} << 1 << "error:";
}

void TestImportCli::refusals() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    DataFolder data;
    QVERIFY(writeBytes(data.file(QStringLiteral("in")), "alma;apple\r\n"));
    for (QString& a : args)
        if (a.startsWith(QLatin1Char('@'))) a = data.file(a.mid(1));
    const Run run = cli(data.folder(), args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(data.rows(QStringLiteral("SELECT * FROM angol")).isEmpty());
    QVERIFY(data.rows(QStringLiteral("SELECT * FROM lexikon")).isEmpty());
}

void TestImportCli::killedImportLeavesWholeRows() {
    DataFolder data;
    data.exec(QStringLiteral("INSERT INTO angol (nyelv1, nyelv2) VALUES ('w0000007', 'kept')"));
    QByteArray bytes;
    const int lines = 600000;
    bytes.reserve(lines * 18);
    for (int i = 0; i < lines; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(7, '0');
        bytes += "w" + n + ";t" + n + "\r\n";
    }
    QVERIFY(writeBytes(data.file(QStringLiteral("big.txt")), bytes));

    QProcess p;
    p.start(qEnvironmentVariable("VERBALO_CLI"),
            {"--data", data.folder(), "import-pairs", "--dict", "Angol", data.file(QStringLiteral("big.txt"))});
    QVERIFY(p.waitForStarted());
    // Kill it as soon as a first batch is committed.
    QElapsedTimer waited;
    waited.start();
    int stored = 1;
    while (stored <= 1 && p.state() == QProcess::Running && waited.elapsed() < 60000) {
        QTest::qWait(20);
        stored = data.rows(QStringLiteral("SELECT count(*) FROM angol")).value(0).toInt();
    }
    const bool killedInTime = p.state() == QProcess::Running;
    p.kill();
    p.waitForFinished();
    if (!killedInTime) QWARN("the import ended before it could be killed; checking the finished table");

    QCOMPARE(store::checkTableIntegrity(data.db(), QStringLiteral("angol")), QStringList());
    const QStringList rows = data.rows(QStringLiteral("SELECT nyelv1, nyelv2 FROM angol"));
    QVERIFY(rows.size() > 1);
    if (killedInTime) QVERIFY(rows.size() < lines + 1);
    // The row that was there is untouched; every other row is a whole line of the file.
    QVERIFY(rows.contains(QStringLiteral("w0000007\tkept")));
    const QRegularExpression whole(QStringLiteral("^w(\\d{7})\tt\\1$"));
    for (const QString& row : rows)
        if (row != QLatin1String("w0000007\tkept")) QVERIFY2(whole.match(row).hasMatch(), qPrintable(row));
    // The table takes further imports: the rest of the file goes in and nothing is doubled.
    const Run rest = cli(data.folder(), {"import-pairs", "--dict", "Angol", data.file(QStringLiteral("big.txt"))});
    QVERIFY2(rest.status == 0, qPrintable(rest.err));
    QCOMPARE(data.rows(QStringLiteral("SELECT count(*) FROM angol")).value(0).toInt(), lines + 1);
}

QTEST_GUILESS_MAIN(TestImportCli)
#include "test_import_cli.moc"
