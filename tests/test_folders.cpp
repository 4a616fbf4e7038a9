// Where the settings, data, HTML and temporary folders are, and creating them on first use.

#include "common/folders.h"
#include "common/ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace verbalo;

namespace {

bool touch(const QString& path, const QByteArray& bytes = QByteArray()) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestFolders : public QObject {
    Q_OBJECT

private slots:
    void init();

    void settingsFolder_data();
    void settingsFolder();
    void programFolderKeptAsSpelled();
    void dataAndHtmlFolders_data();
    void dataAndHtmlFolders();

    void firstStartCreatesFolders();
    void existingDataFolderIsLeftAlone();
    void catalogueFailureIsReported();
    void folderThatCannotBeCreated();

    void runningProgram();

private:
    QString path(const QString& relative) const { return dir_->filePath(relative); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestFolders::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir().mkpath(path(QStringLiteral("Program"))));
    QVERIFY(QDir().mkpath(path(QStringLiteral("share"))));
}

void TestFolders::settingsFolder_data() {
    QTest::addColumn<bool>("iniBesideProgram");
    QTest::addColumn<bool>("iniInDataLocation");
    QTest::addColumn<bool>("dataLocationKnown");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ini beside the program") << true << false << true << "Program";
    QTest::newRow("ini beside the program wins") << true << true << true << "Program";
    QTest::newRow("installed") << false << false << true << "share/Verbalo9";
    QTest::newRow("installed, ini in the data location") << false << true << true << "share/Verbalo9";
    QTest::newRow("no data location") << false << false << false << "Program";
}

void TestFolders::settingsFolder() {
    QFETCH(bool, iniBesideProgram);
    QFETCH(bool, iniInDataLocation);
    QFETCH(bool, dataLocationKnown);
    QFETCH(QString, expected);
    if (iniBesideProgram) QVERIFY(touch(path(QStringLiteral("Program/Verbalo9.ini"))));
    if (iniInDataLocation) {
        QVERIFY(QDir().mkpath(path(QStringLiteral("share/Verbalo9"))));
        QVERIFY(touch(path(QStringLiteral("share/Verbalo9/Verbalo9.ini"))));
    }
    const Folders f =
        computeFolders(path(QStringLiteral("Program")), dataLocationKnown ? path(QStringLiteral("share")) : QString());
    const QString settings = path(expected);
    QCOMPARE(f.programFolder, path(QStringLiteral("Program")));
    QCOMPARE(f.settingsFolder, settings);
    QCOMPARE(f.configFile, settings + QStringLiteral("/Verbalo9.ini"));
    QCOMPARE(f.dataFolder, settings + QStringLiteral("/Data"));
    QCOMPARE(f.htmlFolder, settings + QStringLiteral("/Html"));
    QCOMPARE(f.tempFolder(), settings + QStringLiteral("/Temp"));
    // Computing the folders creates nothing.
    QCOMPARE(QFileInfo::exists(settings), iniBesideProgram || iniInDataLocation || !dataLocationKnown);
}

void TestFolders::programFolderKeptAsSpelled() {
    const QString program = path(QStringLiteral("My Programs/Verbalo"));
    QVERIFY(QDir().mkpath(program));
    QVERIFY(touch(program + QStringLiteral("/Verbalo9.ini")));
    const Folders f = computeFolders(program + QLatin1Char('/'), path(QStringLiteral("share")));
    QCOMPARE(f.programFolder, program);
    QCOMPARE(f.settingsFolder, program);
}

void TestFolders::dataAndHtmlFolders_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("html");
    QTest::newRow("configured") << QByteArray("[Database]\r\nPath=/srv/szotar\r\n[Export]\r\nHtml=/srv/web\r\n") << "/srv/szotar"
                                << "/srv/web";
    QTest::newRow("trailing slash dropped") << QByteArray("[Database]\r\nPath=/srv/szotar/\r\n") << "/srv/szotar"
                                            << "";
    QTest::newRow("empty values mean the defaults") << QByteArray("[Database]\r\nPath=\r\n[Export]\r\nHtml=  \r\n") << ""
                                                    << "";
    QTest::newRow("malformed file") << QByteArray("\xFF\xFE\x00\x01[Data", 9) << ""
                                    << "";
}

void TestFolders::dataAndHtmlFolders() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, data);
    QFETCH(QString, html);
    const QString program = path(QStringLiteral("Program"));
    QVERIFY(touch(program + QStringLiteral("/Verbalo9.ini"), ini));
    const Folders f = computeFolders(program, path(QStringLiteral("share")));
    QCOMPARE(f.dataFolder, data.isEmpty() ? program + QStringLiteral("/Data") : data);
    QCOMPARE(f.htmlFolder, html.isEmpty() ? program + QStringLiteral("/Html") : html);
}

void TestFolders::firstStartCreatesFolders() {
    const Folders f = computeFolders(path(QStringLiteral("Program")), path(QStringLiteral("share")));
    QStringList catalogueCalls;
    const auto createCatalogue = [&catalogueCalls](const QString& dataFolder, QString*) {
        catalogueCalls.append(dataFolder);
        return true;
    };

    FolderSetup setup = createMissingFolders(f, createCatalogue);
    QVERIFY2(setup.ok, qPrintable(setup.error));
    QVERIFY(setup.dataFolderCreated);
    QCOMPARE(catalogueCalls, QStringList{f.dataFolder});
    for (const QString& folder : {f.settingsFolder, f.dataFolder, f.htmlFolder, f.tempFolder()})
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
    QVERIFY(!QFileInfo::exists(f.configFile));

    // The second start finds everything in place.
    setup = createMissingFolders(f, createCatalogue);
    QVERIFY(setup.ok);
    QVERIFY(!setup.dataFolderCreated);
    QCOMPARE(catalogueCalls.size(), 1);
}

void TestFolders::existingDataFolderIsLeftAlone() {
    const QString data = path(QStringLiteral("elsewhere/Data"));
    QVERIFY(QDir().mkpath(data));
    QVERIFY(touch(data + QStringLiteral("/szotarak.DB"), "catalogue"));
    const QString program = path(QStringLiteral("Program"));
    QVERIFY(
        IniFile(program + QStringLiteral("/Verbalo9.ini")).writeString(QStringLiteral("Database"), QStringLiteral("Path"), data));
    const Folders f = computeFolders(program, QString());
    QCOMPARE(f.dataFolder, data);

    bool called = false;
    const FolderSetup setup = createMissingFolders(f, [&called](const QString&, QString*) {
        called = true;
        return true;
    });
    QVERIFY(setup.ok);
    QVERIFY(!called);
    QCOMPARE(QDir(data).entryList(QDir::Files), QStringList{"szotarak.DB"});
    QVERIFY(QFileInfo(program + QStringLiteral("/Html")).isDir());
    QVERIFY(QFileInfo(program + QStringLiteral("/Temp")).isDir());
}

void TestFolders::catalogueFailureIsReported() {
    const Folders f = computeFolders(path(QStringLiteral("Program")), path(QStringLiteral("share")));
    const FolderSetup setup = createMissingFolders(f, [](const QString&, QString* error) {
        *error = QStringLiteral("disk full");
        return false;
    });
    QVERIFY(!setup.ok);
    QVERIFY(setup.dataFolderCreated);
    QCOMPARE(setup.error, QStringLiteral("disk full"));
}

void TestFolders::folderThatCannotBeCreated() {
    // A file where the data location should be makes every folder below it impossible.
    QVERIFY(touch(path(QStringLiteral("blocked"))));
    const Folders f = computeFolders(path(QStringLiteral("Program")), path(QStringLiteral("blocked")));
    const FolderSetup setup = createMissingFolders(f);
    QVERIFY(!setup.ok);
    QVERIFY2(setup.error.contains(f.settingsFolder), qPrintable(setup.error));
    QVERIFY(!setup.dataFolderCreated);
}

void TestFolders::runningProgram() {
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
    qputenv("XDG_DATA_HOME", path(QStringLiteral("share")).toLocal8Bit());
    QCOMPARE(commonAppDataFolder(), path(QStringLiteral("share")));
    QVERIFY(!myDocumentsFolder().isEmpty());
    const Folders f = currentFolders();
    QCOMPARE(f.programFolder, programFolder());
    if (!QFileInfo::exists(programFolder() + QStringLiteral("/Verbalo9.ini")))
        QCOMPARE(f.settingsFolder, path(QStringLiteral("share/Verbalo9")));
}

QTEST_GUILESS_MAIN(TestFolders)
#include "test_folders.moc"
