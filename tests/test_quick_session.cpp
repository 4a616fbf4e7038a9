// The quick finder's start, dictionary opening and closing without its window: its keys in
// Verbalo9.ini, the dictionaries it accepts, and the keys of both programs kept whichever
// closes first.
#include "test_quick_fixture.h"

#include "common/ini_file.h"
#include "common/settings.h"
#include "common/store/store_error.h"
#include "quickfinder/logic/quick_finder_session.h"

#include <QFile>
#include <QTest>

using namespace verbalo;
using verbalo::test::QuickDataFolder;

class QuickSessionTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithoutKeys();
    void opensTheLastDictionary();
    void refusedDictionaryKeepsTheOpenOne_data();
    void missingIdFallsBackOnTheFirstRow_data();
    void missingIdFallsBackOnTheFirstRow();
    void refusedDictionaryKeepsTheOpenOne();
    void connectRefreshesExistenceFlags();
    void connectWithoutCatalogueFails();
    void commandCaptions();
    void closeWritesOnlyItsOwnKeys();
    void keysKeptWhicheverProgramClosesFirst_data();
    void keysKeptWhicheverProgramClosesFirst();
};

void QuickSessionTest::defaultsWithoutKeys() {
    QuickDataFolder data;
    QuickFinderSession session(data.folders());
    QCOMPARE(session.settings().lastDict, 59);
    QCOMPARE(session.settings().orderColumn, QStringLiteral("nyelv1"));
    QCOMPARE(session.settings().left, 10);
    QCOMPARE(session.settings().top, 10);
    QCOMPARE(session.settings().width, 431);
    QCOMPARE(session.settings().height, 345);
    QCOMPARE(session.settings().dataFolder, data.folders().dataFolder);
    // An empty catalogue: there is nothing to open, and nothing to complain about.
    session.connect();
    QCOMPARE(session.openDictionary(session.settings().lastDict), QuickFinderSession::OpenResult::Missing);
    QVERIFY(!session.hasDictionary());
}

void QuickSessionTest::opensTheLastDictionary() {
    QuickDataFolder data;
    const int id = data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    IniFile ini(data.folders().configFile);
    ini.writeInteger(QStringLiteral("Database"), QStringLiteral("LastGyDict"), id);
    ini.writeString(QStringLiteral("Database"), QStringLiteral("GyOrder"), QStringLiteral("nyelv2"));
    QuickFinderSession session(data.folders());
    session.connect();
    QCOMPARE(session.openDictionary(session.settings().lastDict), QuickFinderSession::OpenResult::Opened);
    QCOMPARE(session.dictionary().szotarak_nev, QStringLiteral("Magyar-angol"));
    QCOMPARE(session.lookup().table(), QStringLiteral("angol"));
    QCOMPARE(session.lookup().searchColumn(), QStringLiteral("nyelv2"));
    session.setSearchColumn(QStringLiteral("nyelv1"));
    QCOMPARE(session.lookup().lookUp(QStringLiteral("kert"))->translations,
             (QStringList{QStringLiteral("garden"), QStringLiteral("yard")}));
}

void QuickSessionTest::refusedDictionaryKeepsTheOpenOne_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("inCatalogue");
    QTest::newRow("headword list") << 2 << true;
    QTest::newRow("image gallery") << 3 << true;
    QTest::newRow("recipe book") << 5 << true;
}

void QuickSessionTest::refusedDictionaryKeepsTheOpenOne() {
    QFETCH(int, type);
    QFETCH(bool, inCatalogue);
    QuickDataFolder data;
    const int bilingual = data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
    QVERIFY(inCatalogue);
    const int other = data.addDictionary(type, QStringLiteral("Más"), QStringLiteral("mas"));
    QuickFinderSession session(data.folders());
    session.connect();
    QCOMPARE(session.openDictionary(bilingual), QuickFinderSession::OpenResult::Opened);
    QCOMPARE(session.openDictionary(other), QuickFinderSession::OpenResult::NotBilingual);
    QVERIFY(session.hasDictionary());
    QCOMPARE(session.dictionary().szotarak, bilingual);
    QCOMPARE(session.dictionary().tablanev, QStringLiteral("angol"));
    QCOMPARE(session.settings().lastDict, bilingual);
    QCOMPARE(session.lookup().table(), QStringLiteral("angol"));
}

void QuickSessionTest::missingIdFallsBackOnTheFirstRow_data() {
    QTest::addColumn<int>("firstType");
    QTest::addColumn<bool>("opened");
    QTest::newRow("first row bilingual") << 1 << true;
    QTest::newRow("first row a headword list") << 2 << false;
    QTest::newRow("first row a recipe book") << 5 << false;
}

void QuickSessionTest::missingIdFallsBackOnTheFirstRow() {
    QFETCH(int, firstType);
    QFETCH(bool, opened);
    QuickDataFolder data;
    const int first = data.addDictionary(firstType, QStringLiteral("Első"), QStringLiteral("elso"),
                                         firstType == 1 ? test::samplePairs() : QStringList());
    data.addDictionary(1, QStringLiteral("Második"), QStringLiteral("masodik"), test::samplePairs());
    QuickFinderSession session(data.folders());
    session.connect();
    // A first start: no LastGyDict key, so the default id, which this catalogue does not hold.
    const int missing = session.settings().lastDict;
    QCOMPARE(missing, 59);
    QCOMPARE(session.openDictionary(missing),
             opened ? QuickFinderSession::OpenResult::Opened : QuickFinderSession::OpenResult::Missing);
    QCOMPARE(session.hasDictionary(), opened);
    if (opened) {
        QCOMPARE(session.dictionary().szotarak, first);
        QCOMPARE(session.lookup().table(), QStringLiteral("elso"));
    }
    // The id asked for is kept, so the remembered dictionary opens again once it is back.
    QCOMPARE(session.settings().lastDict, missing);
}

void QuickSessionTest::connectRefreshesExistenceFlags() {
    QuickDataFolder data;
    data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"));
    data.addDictionary(1, QStringLiteral("Eltűnt"), QStringLiteral("eltunt"));
    data.exec(QStringLiteral("DROP TABLE eltunt;"));
    data.exec(QStringLiteral("UPDATE szotarak SET letezik=''"));
    QuickFinderSession session(data.folders());
    session.connect();
    store::Query q(data.db());
    q.setSql(QStringLiteral("SELECT tablanev, letezik FROM szotarak ORDER BY szotarak"));
    store::ResultSet rows = q.open();
    QStringList flags;
    for (; !rows.eof(); rows.next())
        flags << rows.text(QStringLiteral("tablanev")) + QLatin1Char('=') + rows.text(QStringLiteral("letezik"));
    QCOMPARE(flags, (QStringList{QStringLiteral("angol=I"), QStringLiteral("eltunt=N")}));
}

void QuickSessionTest::connectWithoutCatalogueFails() {
    QuickDataFolder data;
    data.exec(QStringLiteral("DROP TABLE szotarak;"));
    QuickFinderSession session(data.folders());
    QVERIFY_THROWS_EXCEPTION(store::StoreError, session.connect());
    QVERIFY(!session.hasDictionary());
}

void QuickSessionTest::commandCaptions() {
    QuickDataFolder data;
    const int id = data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), {}, QStringLiteral("Magyar"),
                                      QStringLiteral("Angol"));
    QuickFinderSession session(data.folders());
    QCOMPARE(session.searchCommandCaption(QStringLiteral("nyelv1")), QStringLiteral("Keresés nyelv1 szerint"));
    QCOMPARE(session.searchCommandCaption(QStringLiteral("nyelv2")), QStringLiteral("Keresés nyelv2 szerint"));
    session.connect();
    session.openDictionary(id);
    QCOMPARE(session.searchCommandCaption(QStringLiteral("nyelv1")), QStringLiteral("Magyar szerint"));
    QCOMPARE(session.searchCommandCaption(QStringLiteral("nyelv2")), QStringLiteral("Angol szerint"));
}

void QuickSessionTest::closeWritesOnlyItsOwnKeys() {
    QuickDataFolder data;
    QFile::remove(data.folders().configFile);
    QuickFinderSession session(data.folders());
    session.connect();
    session.close(WindowBounds{20, 30, 431, 345});
    QFile file(data.folders().configFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    lines.sort();
    QCOMPARE(lines, (QStringList{QStringLiteral("GyHeight=345"), QStringLiteral("GyLeft=20"), QStringLiteral("GyOrder=nyelv1"),
                                 QStringLiteral("GyTop=30"), QStringLiteral("GyWidth=431"), QStringLiteral("LastGyDict=59"),
                                 QStringLiteral("[Database]"), QStringLiteral("[Screen]")}));
}

void QuickSessionTest::keysKeptWhicheverProgramClosesFirst_data() {
    QTest::addColumn<bool>("quickorClosesFirst");
    QTest::newRow("Quickor closes first") << true;
    QTest::newRow("Verbalo9 closes first") << false;
}

void QuickSessionTest::keysKeptWhicheverProgramClosesFirst() {
    QFETCH(bool, quickorClosesFirst);
    QuickDataFolder data;
    const int id = data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"));
    const IniFile ini(data.folders().configFile);
    const QString otherData = data.folders().dataFolder; // Path as the main program keeps it
    ini.writeString(QStringLiteral("Database"), QStringLiteral("Path"), otherData);

    // Both programs start on the same file.
    MainSettings main = loadSettings(ini, data.folders());
    QuickFinderSession quick(data.folders());
    quick.connect();
    QCOMPARE(quick.openDictionary(id), QuickFinderSession::OpenResult::Opened);
    quick.setSearchColumn(QStringLiteral("nyelv2"));
    main.lastDict = 7;
    main.fontSize = 12;
    main.left = 100;

    const WindowBounds quickBounds{1500, -20, 300, 250};
    if (quickorClosesFirst) {
        quick.close(quickBounds);
        saveSettings(ini, main);
    } else {
        saveSettings(ini, main);
        quick.close(quickBounds);
    }

    QCOMPARE(ini.readInteger(QStringLiteral("Database"), QStringLiteral("LastGyDict"), 0), id);
    QCOMPARE(ini.readString(QStringLiteral("Database"), QStringLiteral("GyOrder"), QString()), QStringLiteral("nyelv2"));
    // Bounds off every screen are written, and read back, as they are.
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyLeft"), 0), 1500);
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyTop"), 0), -20);
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyWidth"), 0), 300);
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyHeight"), 0), 250);
    QCOMPARE(ini.readInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), 0), 7);
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 0), 12);
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 0), 100);
    QCOMPARE(ini.readString(QStringLiteral("Database"), QStringLiteral("Path"), QString()), otherData);
    QCOMPARE(QuickFinderSession(data.folders()).settings().left, 1500);
}

QTEST_GUILESS_MAIN(QuickSessionTest)
#include "test_quick_session.moc"
