// Refreshing the lists and installing dictionary packages from a web server the test runs on
// 127.0.0.1, into a real data folder.

#include "support/catalogue_server.h"
#include "support/store_fixture.h"

#include "common/catalogue.h"
#include "common/store/table.h"
#include "internet/logic/catalogue_transfer.h"
#include "internet/logic/list_values.h"
#include "internet/logic/zip_unpack.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace verbalo;
using namespace verbalo::test;
using namespace std::chrono_literals;

namespace {

const QString kDownloadError =
    QStringLiteral("Hiba letöltés közben: Kiszolgáló nem elérhető, vagy\r\nspeciális proxibeállítások szükségesek");
const QString kUnpackError = QStringLiteral("Hiba az archívum kibontása közben");

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray iniText(const QString& body) {
    return body.toUtf8().replace("\n", "\r\n");
}

// A data folder with its catalogue, a settings folder beside it, and the transfer over both.
struct TransferFolders {
    TransferFolders() {
        QString error;
        createEmptyCatalogue(store.folder(), &error);
        store.db().setBusyTimeout(300);
    }
    StoreFixture store;
    QTemporaryDir settings;

    TransferOutcome install(const QString& url, const QString& table, TransferOptions options = {}) {
        options.stallTimeout = 500ms;
        return CatalogueTransfer(store.db(), settings.path(), options).installPackage(url, table, 1000);
    }
    QString tablePath(const QString& table) { return store.db().tableFile(table); }
    QStringList stagingLeft() const {
        return QDir(store.folder()).entryList({QStringLiteral(".kibontas-*")}, QDir::Dirs | QDir::Hidden);
    }
};

} // namespace

class TestCatalogueTransfer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void memberNames_data();
    void memberNames();
    void localNames_data();
    void localNames();
    void programValues_data();
    void programValues();
    void refreshBringsTheListAndDropsTheArchive();
    void installWithSettingsAndIcons();
    void installWithoutSettingsGivesTheDefaults();
    void existingTableIsReplacedAndItsRowKept();
    void caseDifferentNameAppendsARowButKeepsOneFile();
    void followsRedirects();
    void failures_data();
    void failures();
    void localFileThatCannotBeMade();
    void refusedReplacementKeepsTheOldTable();
    void lockedTableWaitsThenFails();
    void commandLineInstall();

private:
    CatalogueServer server_;
};

void TestCatalogueTransfer::initTestCase() {
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QVERIFY(server_.start());
}

void TestCatalogueTransfer::memberNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("table") << "angol.DB" << true;
    QTest::newRow("settings") << ".ini" << true;
    QTest::newRow("accents") << "német_szótár.DB" << true;
    QTest::newRow("parent") << "../x.DB" << false;
    QTest::newRow("dots only") << ".." << false;
    QTest::newRow("absolute") << "/tmp/x.DB" << false;
    QTest::newRow("folder") << "sub/x.DB" << false;
    QTest::newRow("backslash") << "..\\x.DB" << false;
    QTest::newRow("drive") << "C:x.DB" << false;
    QTest::newRow("control") << "x\n.DB" << false;
    QTest::newRow("empty") << "" << false;
}

void TestCatalogueTransfer::memberNames() {
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainMemberName(name), plain);
}

void TestCatalogueTransfer::localNames_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("local");
    QTest::newRow("url") << "http://szerver/szotarak/angol.zip"
                         << "angol.zip";
    QTest::newRow("no slash") << "angol.zip"
                              << "angol.zip";
    QTest::newRow("colon last") << "c:angol.zip"
                                << "angol.zip";
}

void TestCatalogueTransfer::localNames() {
    QFETCH(QString, address);
    QFETCH(QString, local);
    QCOMPARE(localArchiveName(address), local);
}

void TestCatalogueTransfer::programValues_data() {
    QTest::addColumn<QString>("leiras");
    QTest::addColumn<QString>("shown");
    const QString exact(67, QLatin1Char('a'));
    QTest::newRow("67 whole") << exact << exact;
    QTest::newRow("68 cut") << exact + "b" << exact + "...";
    QTest::newRow("cut then trimmed") << QString(60, QLatin1Char('x')) + "       tail" << QString(60, QLatin1Char('x')) + "...";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCatalogueTransfer::programValues() {
    QFETCH(QString, leiras);
    QFETCH(QString, shown);
    QCOMPARE(shortDescription(leiras), shown);
    QCOMPARE(freeProgramText(QStringLiteral("I")), QStringLiteral("igen"));
    for (const char* other : {"", "N", "i"}) QCOMPARE(freeProgramText(QLatin1String(other)), QStringLiteral("nem"));
    QCOMPARE(groupedNumber(1234567), QStringLiteral("1 234 567"));
    QCOMPARE(groupedNumber(0), QStringLiteral("0"));
    QCOMPARE(groupedNumber(999), QStringLiteral("999"));
}

void TestCatalogueTransfer::refreshBringsTheListAndDropsTheArchive() {
    TransferFolders f;
    const QVariantHash row{
        {"szotarnev", "Angol"}, {"filenev", server_.url("/p/angol.zip")}, {"tablanev", "angol"}, {"meret", 123}};
    server_.serveFile("/data/internet.zip",
                      zipArchiveBytes({{"internet.DB", makeListTableFile("internet", dictionaryListStatements(), {row})}}));
    QList<QPair<int, int>> ranges;
    TransferProgress progress{[&](int lo, int hi) { ranges.append({lo, hi}); }, {}};
    TransferOptions options;
    options.stallTimeout = 500ms;
    for (int round = 0; round < 2; ++round) { // the second refresh replaces the first list
        const TransferOutcome r = CatalogueTransfer(f.store.db(), f.settings.path(), options, progress)
                                      .refreshList(dictionaryListArchive(), server_.url());
        QVERIFY2(r.ok(), qPrintable(r.detail));
    }
    QCOMPARE(f.store.rows("SELECT szotarnev, tablanev, meret FROM internet"), QStringList{"Angol\tangol\t123"});
    QVERIFY(!QFile::exists(f.settings.filePath("internet.zip")));
    QVERIFY(f.stagingLeft().isEmpty());
    QCOMPARE(ranges.value(0), qMakePair(0, 14372));
    QCOMPARE(ranges.value(1), qMakePair(1, 100));
    QCOMPARE(programListArchive().downloadMaximum, 227009);
}

void TestCatalogueTransfer::installWithSettingsAndIcons() {
    TransferFolders f;
    const QByteArray icon1 = "\x00\x00\x01\x00 first icon";
    const QByteArray ini = iniText("[dict]\nszotarak_nev=Angol-magyar\ntablanev=angol\ntipus=1\nverzio=3\nnyelv1=angol\n"
                                   "nyelv2=magyar\nszerzo=Kiss Anna\nszerzo_emil=anna@pelda.hu\nmegjegyzes=próba\n"
                                   "nyelv1szeles=0.25\nnyelv2szeles=0.75\nsorrend=nyelv2\nablak=1\n");
    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"dog;kutya", "cat;macska"})},
                                                       {".ini", ini},
                                                       {"angol1.ico", icon1},
                                                       {"angol2.ico", QByteArray()},
                                                       {"olvass.txt", "egyéb fájl"}}));
    const TransferOutcome r = f.install(server_.url("/p/angol.zip"), "angol");
    QVERIFY2(r.ok(), qPrintable(r.detail));
    QCOMPARE(f.store.rows("SELECT szotarak_nev, tablanev, tipus, verzio, nyelv1, nyelv2, szerzo, szerzo_emil, megjegyzes, "
                          "nyelv1szeles, nyelv2szeles, sorrend, ablak, letezik FROM szotarak"),
             QStringList{"Angol-magyar\tangol\t1\t3\tangol\tmagyar\tKiss Anna\tanna@pelda.hu\tpróba\t0.25\t0.75\tnyelv2\t1\tI"});
    store::Table catalogue(f.store.db());
    catalogue.setTableName("szotarak");
    catalogue.open();
    QCOMPARE(catalogue.blob("nyelv1ikon"), icon1);
    QVERIFY(catalogue.blob("nyelv2ikon").isEmpty()); // size 0
    QVERIFY(catalogue.blob("ikon_nagy").isEmpty());  // missing
    QCOMPARE(f.store.rows("SELECT nyelv1 FROM angol ORDER BY nyelv1"), QStringList({"cat", "dog"}));
    const QDir data(f.store.folder());
    QCOMPARE(fileBytes(data.filePath(".ini")), ini);
    QVERIFY(QFile::exists(data.filePath("angol2.ico")));
    QVERIFY(QFile::exists(data.filePath("olvass.txt")));
    QVERIFY(!QFile::exists(f.settings.filePath("angol.zip")));
    QVERIFY(f.stagingLeft().isEmpty());
}

void TestCatalogueTransfer::installWithoutSettingsGivesTheDefaults() {
    TransferFolders f;
    // What an earlier package left in the data folder is not this package's settings.
    QFile stale(QDir(f.store.folder()).filePath(".ini"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("[dict]\r\nszotarak_nev=Régi\r\ntablanev=regi\r\n");
    stale.close();
    server_.serveFile("/p/nemet.zip", zipArchiveBytes({{"nemet.DB", pairTableFile("nemet", {"Hund;kutya"})}}));
    const TransferOutcome r = f.install(server_.url("/p/nemet.zip"), "nemet");
    QVERIFY2(r.ok(), qPrintable(r.detail));
    QCOMPARE(f.store.rows("SELECT szotarak_nev, tablanev, tipus, verzio, nyelv1, nyelv2, nyelv1szeles, nyelv2szeles, "
                          "sorrend, ablak FROM szotarak"),
             QStringList{"\t\t1\t1\tnyelv1\tnyelv2\t0.5\t0.5\tnyelv1\t0"});
}

void TestCatalogueTransfer::existingTableIsReplacedAndItsRowKept() {
    TransferFolders f;
    f.store.makePairs("angol", {"old;régi"});
    f.store.exec("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, letezik) VALUES ('Saját angol', 'angol', 1, 'I')");
    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"new;új"})},
                                                       {".ini", iniText("[dict]\nszotarak_nev=Más név\ntablanev=angol\n")}}));
    const TransferOutcome r = f.install(server_.url("/p/angol.zip"), "angol");
    QVERIFY2(r.ok(), qPrintable(r.detail));
    QCOMPARE(f.store.rows("SELECT szotarak_nev, tablanev FROM szotarak"), QStringList{"Saját angol\tangol"});
    QCOMPARE(f.store.rows("SELECT nyelv1, nyelv2 FROM angol"), QStringList{"new\túj"});
}

void TestCatalogueTransfer::caseDifferentNameAppendsARowButKeepsOneFile() {
    TransferFolders f;
    f.store.makePairs("Angol", {"old;régi"});
    f.store.exec("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, letezik) VALUES ('Nagy A', 'Angol', 1, 'I')");
    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"new;új"})},
                                                       {".ini", iniText("[dict]\nszotarak_nev=Kis a\ntablanev=angol\n")}}));
    const TransferOutcome r = f.install(server_.url("/p/angol.zip"), "angol");
    QVERIFY2(r.ok(), qPrintable(r.detail));
    QCOMPARE(f.store.rows("SELECT szotarak_nev, tablanev, letezik FROM szotarak ORDER BY szotarak"),
             QStringList({"Nagy A\tAngol\tI", "Kis a\tangol\tI"}));
    // The store matches table files without regard to case: one file, with the new content.
    QCOMPARE(QDir(f.store.folder()).entryList({"*.DB"}, QDir::Files, QDir::Name), QStringList({"Angol.DB", "szotarak.DB"}));
    QCOMPARE(f.store.rows("SELECT nyelv1 FROM angol"), QStringList{"new"});
}

void TestCatalogueTransfer::followsRedirects() {
    TransferFolders f;
    server_.serveFile("/p/valodi.zip", zipArchiveBytes({{"valodi.DB", pairTableFile("valodi", {"a;b"})}}));
    server_.serve("/p/atiranyitott.zip", CatalogueServer::Answer::Redirect, "/p/valodi.zip");
    const TransferOutcome r = f.install(server_.url("/p/atiranyitott.zip"), "valodi");
    QVERIFY2(r.ok(), qPrintable(r.detail));
    QVERIFY(f.store.db().tableExists("valodi"));
}

void TestCatalogueTransfer::failures_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");
    const QByteArray table = pairTableFile("angol", {"new;új"});
    const QByteArray good = zipArchiveBytes({{"angol.DB", table}});
    const auto file = int(CatalogueServer::Answer::File);
    QTest::newRow("404") << int(CatalogueServer::Answer::NotFound) << QByteArray() << kDownloadError;
    QTest::newRow("stalled server") << int(CatalogueServer::Answer::Stall) << QByteArray() << kDownloadError;
    QTest::newRow("closed early") << int(CatalogueServer::Answer::CloseEarly) << good << kDownloadError;
    QTest::newRow("truncated zip") << file << good.left(good.size() / 2) << kUnpackError;
    QTest::newRow("not a zip") << file << QByteArray("<html>hiba</html>") << kUnpackError;
    QTest::newRow("parent path") << file << zipArchiveBytes({{"angol.DB", table}, {"../x.DB", table}}) << kUnpackError;
    QTest::newRow("absolute path") << file << zipArchiveBytes({{"angol.DB", table}, {"/tmp/x.DB", table}}) << kUnpackError;
    QTest::newRow("symlink") << file << zipArchiveBytes({{"angol.DB", table}, {"link.DB", "/etc/passwd", S_IFLNK | 0777}})
                             << kUnpackError;
    QTest::newRow("folder") << file << zipArchiveBytes({{"angol.DB", table}, {"mappa/", QByteArray(), S_IFDIR | 0755}})
                            << kUnpackError;
    QTest::newRow("not a table") << file << zipArchiveBytes({{"angol.DB", QByteArray(4096, 'x')}}) << kUnpackError;
    QTest::newRow("wrong table inside") << file << zipArchiveBytes({{"angol.DB", pairTableFile("masik", {"a;b"})}})
                                        << kUnpackError;
    QTest::newRow("catalogue") << file << zipArchiveBytes({{"angol.DB", table}, {"szotarak.DB", table}}) << kUnpackError;
    // The stored member says 10 bytes in both of its headers but holds 4096.
    QByteArray lying = zipArchiveBytes({{"olvass.txt", QByteArray(4096, 'y')}, {"angol.DB", table}});
    const auto patchSize = [&lying](const char* signature, int offset) {
        const int at = lying.indexOf(QByteArray(signature, 4));
        const char ten[4] = {10, 0, 0, 0};
        lying.replace(at + offset, 4, QByteArray(ten, 4));
    };
    patchSize("PK\x03\x04", 22);
    patchSize("PK\x01\x02", 24);
    QTest::newRow("member lying about its size") << file << lying << kUnpackError;
}

// Every failure leaves the installed table, the catalogue and the data folder as they were.
void TestCatalogueTransfer::failures() {
    QFETCH(int, answer);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    TransferFolders f;
    f.store.makePairs("angol", {"old;régi"});
    f.store.exec("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, letezik) VALUES ('Saját', 'angol', 1, 'I')");
    const QByteArray before = fileBytes(f.tablePath("angol"));
    const QStringList filesBefore = QDir(f.store.folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    server_.serve("/p/angol.zip", CatalogueServer::Answer(answer), body);
    const TransferOutcome r = f.install(server_.url("/p/angol.zip"), "angol");
    QCOMPARE(r.message(), message);
    QCOMPARE(fileBytes(f.tablePath("angol")), before);
    QCOMPARE(QDir(f.store.folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name), filesBefore);
    QVERIFY(f.stagingLeft().isEmpty());
    QVERIFY(!QFile::exists("/tmp/x.DB") || message != kUnpackError);
    QCOMPARE(f.store.rows("SELECT szotarak_nev FROM szotarak"), QStringList{"Saját"});
}

void TestCatalogueTransfer::localFileThatCannotBeMade() {
    TransferFolders f;
    CatalogueServer closed;
    QVERIFY(closed.start());
    const QString refusedUrl = closed.url("/p/angol.zip");
    closed.close(); // nothing listens there any more: the connection is refused
    QCOMPARE(f.install(refusedUrl, "angol").message(), kDownloadError);

    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"a;b"})}}));
    const TransferOutcome r = CatalogueTransfer(f.store.db(), f.settings.filePath("nincs-ilyen-mappa"))
                                  .installPackage(server_.url("/p/angol.zip"), "angol", 1);
    QCOMPARE(r.message(), QStringLiteral("File létrehozási hiba"));
    QVERIFY(!f.store.db().tableExists("angol"));
}

void TestCatalogueTransfer::refusedReplacementKeepsTheOldTable() {
    TransferFolders f;
    f.store.makePairs("angol", {"old;régi"});
    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"new;új"})}}));
    QStringList asked;
    TransferOptions options;
    options.beforeReplace = [&asked](const QStringList& tables) {
        asked = tables;
        return false;
    };
    QCOMPARE(f.install(server_.url("/p/angol.zip"), "angol", options).message(), kUnpackError);
    QCOMPARE(asked, QStringList{"angol"});
    QCOMPARE(f.store.rows("SELECT nyelv1 FROM angol"), QStringList{"old"});
    QVERIFY(f.store.rows("SELECT * FROM szotarak").isEmpty());
}

// The other program writing to the table: the replacement waits its busy time, then fails
// with the old content intact; once the lock is gone it goes through, and a connection that
// stayed open reads the new content.
void TestCatalogueTransfer::lockedTableWaitsThenFails() {
    TransferFolders f;
    f.store.makePairs("angol", {"old;régi"});
    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"new;új"})}}));
    store::Connection other(f.tablePath("angol"), store::Connection::Mode::ReadWrite, 100);
    other.exec("BEGIN IMMEDIATE");
    QCOMPARE(f.install(server_.url("/p/angol.zip"), "angol").message(), kUnpackError);
    other.exec("ROLLBACK");
    QCOMPARE(f.store.rows("SELECT nyelv1 FROM angol"), QStringList{"old"});

    const TransferOutcome r = f.install(server_.url("/p/angol.zip"), "angol");
    QVERIFY2(r.ok(), qPrintable(r.detail));
    store::Statement read(other, "SELECT nyelv1 FROM angol");
    QVERIFY(read.step());
    QCOMPARE(read.text(0), QStringLiteral("new"));
}

// The command-line tool runs while this process serves the package, so it is waited for
// without blocking the server's event loop.
void TestCatalogueTransfer::commandLineInstall() {
    TransferFolders f;
    server_.serveFile("/p/olasz.zip", zipArchiveBytes({{"olasz.DB", pairTableFile("olasz", {"casa;ház"})},
                                                       {".ini", iniText("[dict]\nszotarak_nev=Olasz\ntablanev=olasz\n")}}));
    server_.serve("/p/hianyzik.zip", CatalogueServer::Answer::NotFound);
    const auto run = [&f](const QString& url) {
        QProcess cli;
        cli.start(qEnvironmentVariable("VERBALO_CLI"), {"--data", f.store.folder(), "install", url});
        if (!QTest::qWaitFor([&cli] { return cli.state() == QProcess::NotRunning; }, 30000))
            return qMakePair(-1, QStringLiteral("the tool did not end"));
        return qMakePair(cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError()).trimmed());
    };
    const auto done = run(server_.url("/p/olasz.zip"));
    QCOMPARE(done, qMakePair(0, QStringLiteral("Szótár telepítése kész.")));
    QCOMPARE(f.store.rows("SELECT szotarak_nev, tablanev, letezik FROM szotarak"), QStringList{"Olasz\tolasz\tI"});
    const auto missing = run(server_.url("/p/hianyzik.zip"));
    QCOMPARE(missing.first, 1);
    QVERIFY2(
        missing.second.contains("Hiba letöltés közben: Kiszolgáló nem elérhető, vagy speciális proxibeállítások szükségesek"),
        qPrintable(missing.second));
}

QTEST_GUILESS_MAIN(TestCatalogueTransfer)
#include "test_catalogue_transfer.moc"
