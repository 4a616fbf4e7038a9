// Verbalo9.ini: reading and writing keys, malformed files, the two programs' settings and
// window placement.

#include "common/ini_file.h"
#include "common/settings.h"
#include "common/window_placement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace verbalo;

Q_DECLARE_METATYPE(verbalo::WindowBounds)
Q_DECLARE_METATYPE(verbalo::WorkArea)

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Binary noise, a megabyte-long line and duplicate sections and keys around real settings.
QByteArray malformedIni() {
    QByteArray bytes("\x00\xFF\xFE\x01garbage\x81\x90\r\n", 15);
    bytes += "[Screen]\r\nFontSize=12\r\nFontSize=30\r\n";
    bytes += "Junk=" + QByteArray(1024 * 1024, 'x') + "\r\n";
    bytes += "[screen]\r\nLeft=99\r\n";
    bytes += "[Defaults]\r\nOpenList=\x01\x02\x03\r\n";
    return bytes;
}

Folders testFolders(const QString& root) {
    Folders f;
    f.programFolder = root + QStringLiteral("/bin");
    f.settingsFolder = root;
    f.configFile = root + QStringLiteral("/Verbalo9.ini");
    f.dataFolder = root + QStringLiteral("/Data");
    f.htmlFolder = root + QStringLiteral("/Html");
    return f;
}

} // namespace

class TestIniSettings : public QObject {
    Q_OBJECT

private slots:
    void init();

    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void readsTheFileAnewEveryTime();

    void write_data();
    void write();
    void writeCreatesTheFileButNotItsFolder();
    void writeConvertsAWindows1250FileToUtf8();
    void malformedFileGivesDefaultsAndSurvivesAWrite();
    void unreadableFileGivesDefaults();
    void fileWithoutReadPermissionIsNotOverwritten();

    void mainSettingsDefaults();
    void mainSettingsReadBadValues();
    void mainSettingsSavedInOrder();
    void quickFinderSettings();
    void bothProgramsKeepEachOthersKeys_data();
    void bothProgramsKeepEachOthersKeys();

    void clampToWorkArea_data();
    void clampToWorkArea();
    void windowPlacement();

private:
    QString iniPath() const { return dir_->filePath(QStringLiteral("Verbalo9.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestIniSettings::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestIniSettings::readString_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    // Every row reads Database/Path with the default "D".
    QTest::newRow("plain") << QByteArray("[Database]\r\nPath=/srv/data\r\n") << "/srv/data";
    QTest::newRow("LF and CR line ends") << QByteArray("[Database]\nX=1\rPath=/a\n") << "/a";
    QTest::newRow("letter case ignored") << QByteArray("[DATABASE]\r\npath=/a\r\n") << "/a";
    QTest::newRow("blanks around key and value") << QByteArray(" [ Database ] \r\n  Path  =  /a b  \r\n") << "/a b";
    QTest::newRow("enclosing quotes dropped") << QByteArray("[Database]\r\nPath=\" /a \"\r\n") << " /a ";
    QTest::newRow("equals sign in the value") << QByteArray("[Database]\r\nPath=a=b\r\n") << "a=b";
    QTest::newRow("empty value") << QByteArray("[Database]\r\nPath=\r\n") << "";
    QTest::newRow("no file content") << QByteArray() << "D";
    QTest::newRow("key in another section") << QByteArray("[Export]\r\nPath=/a\r\n[Database]\r\nX=1\r\n") << "D";
    QTest::newRow("key before any section") << QByteArray("Path=/a\r\n[Database]\r\n") << "D";
    QTest::newRow("commented out") << QByteArray("[Database]\r\n;Path=/a\r\n") << "D";
    QTest::newRow("first of duplicate keys") << QByteArray("[Database]\r\nPath=/first\r\nPath=/second\r\n") << "/first";
    QTest::newRow("first of duplicate sections") << QByteArray("[Database]\r\nX=1\r\n[Database]\r\nPath=/second\r\n") << "D";
    QTest::newRow("Windows-1250") << QByteArray("[Database]\r\nPath=/\xE1rv\xEDz\xFB\r\n") << QStringLiteral("/árvízű");
    QTest::newRow("UTF-8") << QByteArray("[Database]\r\nPath=/\xC3\xA1rv\xC5\xB1\r\n") << QStringLiteral("/árvű");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF[Database]\r\nPath=/a\r\n") << "/a";
    QTest::newRow("one Windows-1250 line in a UTF-8 file")
        << QByteArray("[Export]\r\nHtml=/\xC3\xA1\r\n[Database]\r\nPath=/\xE1\r\n") << QStringLiteral("/á");
    QTest::newRow("exactly the longest value")
        << QByteArray("[Database]\r\nPath=" + QByteArray(2047, 'a') + "\r\n") << QString(2047, QLatin1Char('a'));
    QTest::newRow("longer value cut") << QByteArray("[Database]\r\nPath=" + QByteArray(2047, 'a') + "bcd\r\n")
                                      << QString(2047, QLatin1Char('a'));
    QTest::newRow("megabyte line before the key")
        << QByteArray("[Database]\r\nX=" + QByteArray(1024 * 1024, 'x') + "\r\nPath=/a\r\n") << "/a";
    QTest::newRow("binary noise before the section") << QByteArray("\x00\x01\xFF\x81\r\n[Database]\r\nPath=/a\r\n", 27) << "/a";
}

void TestIniSettings::readString() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QVERIFY(writeBytes(iniPath(), content));
    QCOMPARE(IniFile(iniPath()).readString(QStringLiteral("Database"), QStringLiteral("Path"), QStringLiteral("D")), expected);
}

void TestIniSettings::readInteger_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    // Every row reads Screen/FontSize with the default 9.
    QTest::newRow("decimal") << QByteArray("12") << 12;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("blanks") << QByteArray(" 42 ") << 42;
    QTest::newRow("word") << QByteArray("abc") << 9;
    QTest::newRow("number and word") << QByteArray("12abc") << 9;
    QTest::newRow("fraction") << QByteArray("1.5") << 9;
    QTest::newRow("empty") << QByteArray("") << 9;
    QTest::newRow("too large") << QByteArray("2147483648") << 9;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
}

void TestIniSettings::readInteger() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    QVERIFY(writeBytes(iniPath(), "[Screen]\r\nFontSize=" + value + "\r\n"));
    QCOMPARE(IniFile(iniPath()).readInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 9), expected);
}

void TestIniSettings::readBool_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1") << QByteArray("OpenList=1") << false << true;
    QTest::newRow("0") << QByteArray("OpenList=0") << true << false;
    QTest::newRow("any non-zero") << QByteArray("OpenList=5") << false << true;
    QTest::newRow("negative") << QByteArray("OpenList=-1") << false << true;
    QTest::newRow("word gives default true") << QByteArray("OpenList=abc") << true << true;
    QTest::newRow("word gives default false") << QByteArray("OpenList=true") << false << false;
    QTest::newRow("missing gives default") << QByteArray("Other=0") << true << true;
}

void TestIniSettings::readBool() {
    QFETCH(QByteArray, content);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    QVERIFY(writeBytes(iniPath(), "[Defaults]\r\n" + content + "\r\n"));
    QCOMPARE(IniFile(iniPath()).readBool(QStringLiteral("Defaults"), QStringLiteral("OpenList"), defaultValue), expected);
}

void TestIniSettings::readsTheFileAnewEveryTime() {
    const IniFile ini(iniPath());
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 10), 10);
    QVERIFY(writeBytes(iniPath(), "[Screen]\r\nLeft=20\r\n"));
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 10), 20);
    QVERIFY(QFile::remove(iniPath()));
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 10), 10);
}

void TestIniSettings::write_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << "Screen"
                              << "FontSize"
                              << "9" << QByteArray("[Screen]\r\nFontSize=9\r\n");
    QTest::newRow("replace a key, other lines kept")
        << QByteArray("; note\r\n[Screen]\r\nleft=1\r\nfontsize=5\r\n\r\n[Other]\r\nA=b\r\n") << "SCREEN"
        << "FontSize"
        << "12" << QByteArray("; note\r\n[Screen]\r\nleft=1\r\nFontSize=12\r\n\r\n[Other]\r\nA=b\r\n");
    QTest::newRow("new key after the section's last key")
        << QByteArray("[Screen]\r\nLeft=1\r\n\r\n[Other]\r\nA=b\r\n") << "Screen"
        << "Top"
        << "2" << QByteArray("[Screen]\r\nLeft=1\r\nTop=2\r\n\r\n[Other]\r\nA=b\r\n");
    QTest::newRow("new key in an empty section") << QByteArray("[Screen]\r\n[Other]\r\n") << "Screen"
                                                 << "Top"
                                                 << "2" << QByteArray("[Screen]\r\nTop=2\r\n[Other]\r\n");
    QTest::newRow("new section at the end, LF file without final break")
        << QByteArray("[Screen]\nLeft=1") << "Defaults"
        << "LastDict"
        << "-1" << QByteArray("[Screen]\r\nLeft=1\r\n[Defaults]\r\nLastDict=-1\r\n");
    QTest::newRow("first of duplicate sections and keys") << QByteArray("[A]\r\nK=1\r\nK=2\r\n[A]\r\nK=3\r\n") << "A"
                                                          << "K"
                                                          << "9" << QByteArray("[A]\r\nK=9\r\nK=2\r\n[A]\r\nK=3\r\n");
    QTest::newRow("line breaks in the value flattened") << QByteArray() << "A"
                                                        << "K"
                                                        << "x\r\ny\nz" << QByteArray("[A]\r\nK=x  y z\r\n");
    QTest::newRow("written as UTF-8") << QByteArray() << "Database"
                                      << "Path" << QStringLiteral("/home/Жук/ő")
                                      << QByteArray("[Database]\r\nPath=/home/\xD0\x96\xD1\x83\xD0\xBA/\xC5\x91\r\n");
}

void TestIniSettings::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    if (!before.isEmpty()) QVERIFY(writeBytes(iniPath(), before));
    const IniFile ini(iniPath());
    QVERIFY(ini.writeString(section, key, value));
    QCOMPARE(readBytes(iniPath()), after);
    QVERIFY(!QFileInfo::exists(iniPath() + QStringLiteral(".lock")));
}

void TestIniSettings::writeCreatesTheFileButNotItsFolder() {
    const QString folder = dir_->filePath(QStringLiteral("Verbalo9"));
    const IniFile ini(folder + QStringLiteral("/Verbalo9.ini"));
    QVERIFY(!ini.writeBool(QStringLiteral("Screen"), QStringLiteral("FullScreen"), true));
    QVERIFY(!QFileInfo::exists(folder));

    const IniFile here(iniPath());
    QVERIFY(here.writeBool(QStringLiteral("Screen"), QStringLiteral("FullScreen"), true));
    QVERIFY(here.writeBool(QStringLiteral("Screen"), QStringLiteral("MDIFullScreen"), false));
    QCOMPARE(readBytes(iniPath()), QByteArray("[Screen]\r\nFullScreen=1\r\nMDIFullScreen=0\r\n"));
}

void TestIniSettings::writeConvertsAWindows1250FileToUtf8() {
    QVERIFY(writeBytes(iniPath(), "[Database]\r\nPath=/\xE1rv\xEDz\r\n[Export]\r\nHtml=/\xF5\r\n"));
    const IniFile ini(iniPath());
    QVERIFY(ini.writeInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 10));
    QCOMPARE(readBytes(iniPath()), QStringLiteral("[Database]\r\nPath=/árvíz\r\n[Export]\r\nHtml=/ő\r\n"
                                                  "[Screen]\r\nFontSize=10\r\n")
                                       .toUtf8());
    QCOMPARE(ini.readString(QStringLiteral("Export"), QStringLiteral("Html"), QString()), QStringLiteral("/ő"));
}

void TestIniSettings::malformedFileGivesDefaultsAndSurvivesAWrite() {
    QVERIFY(writeBytes(iniPath(), malformedIni()));
    const Folders folders = testFolders(dir_->path());
    const IniFile ini(iniPath());

    MainSettings s = loadSettings(ini, folders);
    QCOMPARE(s.fontSize, 12); // the first of the duplicate keys
    QCOMPARE(s.left, 10);     // only in the second, ignored, duplicate section
    QCOMPARE(s.openList, true);
    QCOMPARE(s.dataFolder, folders.dataFolder);

    s.lastDict = 4;
    saveSettings(ini, s);
    QCOMPARE(loadSettings(ini, folders).lastDict, 4);
    const QStringList lines = decodeIniLines(readBytes(iniPath()));
    QVERIFY(lines.contains(QStringLiteral("Junk=") + QString(1024 * 1024, QLatin1Char('x'))));
    QVERIFY(lines.contains(QStringLiteral("Left=99")));
    QVERIFY(lines.contains(QStringLiteral("[screen]")));
    QCOMPARE(lines.first(), QStringLiteral("\u0000\u02D9\u0163\u0001garbage\u0081\u0090"));
}

void TestIniSettings::unreadableFileGivesDefaults() {
    // A folder where the file should be cannot be read or replaced.
    QVERIFY(QDir().mkpath(iniPath()));
    const IniFile ini(iniPath());
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 9), 9);
    QVERIFY(!ini.writeInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 9));
    QVERIFY(QFileInfo(iniPath()).isDir());
    saveSettings(ini, MainSettings()); // failures are ignored, not thrown
}

void TestIniSettings::fileWithoutReadPermissionIsNotOverwritten() {
    const QByteArray content("[Other]\r\nKey=kept\r\n");
    QVERIFY(writeBytes(iniPath(), content));
    QVERIFY(QFile::setPermissions(iniPath(), QFile::WriteOwner));
    QFile probe(iniPath());
    if (probe.open(QIODevice::ReadOnly)) QSKIP("file permissions do not apply to this user");
    const IniFile ini(iniPath());
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 9), 9);
    QVERIFY(!ini.writeInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 12));
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(readBytes(iniPath()), content);
}

void TestIniSettings::mainSettingsDefaults() {
    const Folders folders = testFolders(dir_->path());
    const MainSettings s = loadSettings(IniFile(iniPath()), folders);
    QCOMPARE(s.dataFolder, folders.dataFolder);
    QCOMPARE(s.htmlFolder, folders.htmlFolder);
    QCOMPARE(s.fullScreen, false);
    QCOMPARE(s.mdiFullScreen, true);
    QCOMPARE(s.left, 10);
    QCOMPARE(s.top, 10);
    QCOMPARE(s.width, 770);
    QCOMPARE(s.height, 550);
    QCOMPARE(s.lastDict, -1);
    QCOMPARE(s.openList, true);
    QCOMPARE(s.fontSize, 9);
    QCOMPARE(s.server, QStringLiteral("http://127.0.0.1:8080"));
}

void TestIniSettings::mainSettingsReadBadValues() {
    QVERIFY(writeBytes(iniPath(), "[Screen]\r\nFontSize=abc\r\nFullScreen=7\r\n"
                                  "[Defaults]\r\nOpenList=5\r\nLastDict=x\r\n"
                                  "[Database]\r\nPath=\r\n"
                                  "[Internet]\r\nServer=http://example.invalid:81\r\n"));
    const Folders folders = testFolders(dir_->path());
    const MainSettings s = loadSettings(IniFile(iniPath()), folders);
    QCOMPARE(s.fontSize, 9);
    QCOMPARE(s.fullScreen, true);
    QCOMPARE(s.openList, true);
    QCOMPARE(s.lastDict, -1);
    QCOMPARE(s.dataFolder, folders.dataFolder);
    QCOMPARE(s.server, QStringLiteral("http://example.invalid:81"));
}

void TestIniSettings::mainSettingsSavedInOrder() {
    MainSettings s;
    s.dataFolder = QStringLiteral("/d");
    s.htmlFolder = QStringLiteral("/h");
    s.fullScreen = true;
    s.mdiFullScreen = false;
    s.left = 1;
    s.top = 2;
    s.width = 3;
    s.height = 4;
    s.lastDict = 5;
    s.openList = false;
    s.fontSize = 12;
    s.server = QStringLiteral("http://elsewhere");
    const IniFile ini(iniPath());
    saveSettings(ini, s);
    QCOMPARE(readBytes(iniPath()), QByteArray("[Database]\r\nPath=/d\r\n[Export]\r\nHtml=/h\r\n"
                                              "[Screen]\r\nFontSize=12\r\nFullScreen=1\r\nMDIFullScreen=0\r\n"
                                              "Left=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\n"
                                              "[Defaults]\r\nLastDict=5\r\nOpenList=0\r\n"));

    const MainSettings back = loadSettings(ini, testFolders(dir_->path()));
    QCOMPARE(back.dataFolder, s.dataFolder);
    QCOMPARE(back.fullScreen, true);
    QCOMPARE(back.openList, false);
    QCOMPARE(back.height, 4);
    QCOMPARE(back.server, MainSettings().server); // never written
}

void TestIniSettings::quickFinderSettings() {
    const Folders folders = testFolders(dir_->path());
    const IniFile ini(iniPath());
    QuickFinderSettings s = loadQuickFinderSettings(ini, folders);
    QCOMPARE(s.lastDict, 59);
    QCOMPARE(s.orderColumn, QStringLiteral("nyelv1"));
    QCOMPARE(s.dataFolder, folders.dataFolder);
    QCOMPARE(s.left, 10);
    QCOMPARE(s.top, 10);
    QCOMPARE(s.width, 431);
    QCOMPARE(s.height, 345);

    QVERIFY(writeBytes(iniPath(), "[Database]\r\nPath=/main/data\r\nGyOrder=NYELV2\r\n"));
    s = loadQuickFinderSettings(ini, folders);
    QCOMPARE(s.dataFolder, QStringLiteral("/main/data"));
    QCOMPARE(s.orderColumn, QStringLiteral("nyelv2"));

    s.dataFolder = QStringLiteral("/changed");
    s.lastDict = 7;
    s.width = 500;
    saveQuickFinderSettings(ini, s);
    QCOMPARE(readBytes(iniPath()), QByteArray("[Database]\r\nPath=/main/data\r\nGyOrder=nyelv2\r\nLastGyDict=7\r\n"
                                              "[Screen]\r\nGyLeft=10\r\nGyTop=10\r\nGyWidth=500\r\nGyHeight=345\r\n"));

    QVERIFY(ini.writeString(QStringLiteral("Database"), QStringLiteral("GyOrder"), QStringLiteral("szo")));
    QCOMPARE(loadQuickFinderSettings(ini, folders).orderColumn, QStringLiteral("nyelv1"));
}

void TestIniSettings::bothProgramsKeepEachOthersKeys_data() {
    QTest::addColumn<QString>("order");
    QTest::newRow("main program closes first") << "MQ";
    QTest::newRow("quick finder closes first") << "QM";
    QTest::newRow("each closes twice, alternating") << "MQMQ";
}

void TestIniSettings::bothProgramsKeepEachOthersKeys() {
    QFETCH(QString, order);
    const Folders folders = testFolders(dir_->path());
    // Two handles, as two programs each have their own.
    const IniFile mainIni(iniPath());
    const IniFile quickIni(iniPath());
    MainSettings main;
    main.dataFolder = QStringLiteral("/data");
    main.fontSize = 14;
    main.lastDict = 3;
    QuickFinderSettings quick;
    quick.lastDict = 8;
    quick.orderColumn = QStringLiteral("nyelv2");
    quick.left = 300;

    for (const QChar program : order) {
        if (program == QLatin1Char('M')) {
            saveSettings(mainIni, main);
            saveWindowBounds(mainIni, QStringLiteral("frm_TorzsSzotar"), {1, 1, 400, 300});
        } else {
            saveQuickFinderSettings(quickIni, quick);
            saveWindowBounds(quickIni, QStringLiteral("frm_TorzsSzotar"), {2, 2, 500, 400});
        }
        ++main.lastDict;
        ++quick.lastDict;
    }

    const MainSettings mainBack = loadSettings(mainIni, folders);
    const QuickFinderSettings quickBack = loadQuickFinderSettings(quickIni, folders);
    const int lastM = order.lastIndexOf(QLatin1Char('M'));
    const int lastQ = order.lastIndexOf(QLatin1Char('Q'));
    QCOMPARE(mainBack.lastDict, 3 + lastM);
    QCOMPARE(mainBack.fontSize, 14);
    QCOMPARE(quickBack.lastDict, 8 + lastQ);
    QCOMPARE(quickBack.orderColumn, QStringLiteral("nyelv2"));
    QCOMPARE(quickBack.left, 300);
    QCOMPARE(quickBack.dataFolder, QStringLiteral("/data"));
    // The one shared section: the last writer wins.
    const WindowBounds picker = loadWindowBounds(mainIni, QStringLiteral("frm_TorzsSzotar"), 0, 0, {0, 0, 1920, 1080});
    QCOMPARE(picker.width, lastM > lastQ ? 400 : 500);
}

void TestIniSettings::clampToWorkArea_data() {
    QTest::addColumn<WindowBounds>("saved");
    QTest::addColumn<WorkArea>("area");
    QTest::addColumn<WindowBounds>("expected");
    const WorkArea hd{0, 0, 1280, 720};
    QTest::newRow("fits") << WindowBounds{10, 10, 400, 300} << hd << WindowBounds{10, 10, 400, 300};
    QTest::newRow("touches the far edges") << WindowBounds{880, 420, 400, 300} << hd << WindowBounds{880, 420, 400, 300};
    QTest::newRow("left beyond the right edge") << WindowBounds{1500, 10, 400, 300} << hd << WindowBounds{0, 10, 400, 300};
    QTest::newRow("top beyond the bottom edge") << WindowBounds{10, 900, 400, 300} << hd << WindowBounds{10, 0, 400, 300};
    QTest::newRow("saved on a larger screen, moved in")
        << WindowBounds{1000, 600, 400, 300} << hd << WindowBounds{880, 420, 400, 300};
    QTest::newRow("left on the right edge") << WindowBounds{1280, 720, 400, 300} << hd << WindowBounds{880, 420, 400, 300};
    QTest::newRow("wider and taller than the area") << WindowBounds{50, 50, 1600, 900} << hd << WindowBounds{0, 0, 1280, 720};
    QTest::newRow("exactly as wide as the area but moved")
        << WindowBounds{10, 10, 1280, 300} << hd << WindowBounds{0, 10, 1280, 300};
    QTest::newRow("only the far edges count")
        << WindowBounds{10, 10, 400, 300} << WorkArea{100, 100, 1280, 720} << WindowBounds{10, 10, 400, 300};
}

void TestIniSettings::clampToWorkArea() {
    QFETCH(WindowBounds, saved);
    QFETCH(WorkArea, area);
    QFETCH(WindowBounds, expected);
    const WindowBounds clamped = verbalo::clampToWorkArea(saved, area);
    QVERIFY2(clamped == expected,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(clamped.left).arg(clamped.top).arg(clamped.width).arg(clamped.height)));
}

void TestIniSettings::windowPlacement() {
    const IniFile ini(iniPath());
    const WorkArea area{0, 0, 1280, 720};
    const QString sql = QStringLiteral("frm_SQL");

    QVERIFY((loadWindowBounds(ini, sql, 600, 400, area) == WindowBounds{10, 10, 600, 400}));
    QVERIFY((loadWindowBounds(ini, sql, 2000, 400, area) == WindowBounds{0, 10, 1280, 400}));
    saveWindowBounds(ini, sql, {1000, 20, 500, 450});
    QVERIFY((loadWindowBounds(ini, sql, 600, 400, area) == WindowBounds{780, 20, 500, 450}));

    const QString editor = QStringLiteral("frm_Szerkeszt");
    WindowPos pos = loadWindowPos(ini, editor);
    QCOMPARE(pos.left, 10);
    QCOMPARE(pos.top, 10);
    saveWindowPos(ini, editor, 5000, -20);
    pos = loadWindowPos(ini, editor);
    QCOMPARE(pos.left, 5000);
    QCOMPARE(pos.top, -20);

    QCOMPARE(ini.readInteger(sql, QStringLiteral("Left"), 0), 1000);
    // Position-only windows never get a size.
    QCOMPARE(ini.readString(editor, QStringLiteral("Width"), QStringLiteral("none")), QStringLiteral("none"));
}

QTEST_GUILESS_MAIN(TestIniSettings)
#include "test_ini_settings.moc"
