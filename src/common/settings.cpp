#include "common/settings.h"

namespace verbalo {
namespace {

const QString kDatabase = QStringLiteral("Database");
const QString kExport = QStringLiteral("Export");
const QString kScreen = QStringLiteral("Screen");
const QString kDefaults = QStringLiteral("Defaults");
const QString kInternet = QStringLiteral("Internet");

} // namespace

MainSettings loadSettings(const IniFile &ini, const Folders &folders)
{
    MainSettings s;
    s.dataFolder = configuredFolder(ini, kDatabase, QStringLiteral("Path"), folders.dataFolder);
    s.htmlFolder = configuredFolder(ini, kExport, QStringLiteral("Html"), folders.htmlFolder);
    s.fullScreen = ini.readBool(kScreen, QStringLiteral("FullScreen"), s.fullScreen);
    s.mdiFullScreen = ini.readBool(kScreen, QStringLiteral("MDIFullScreen"), s.mdiFullScreen);
    s.left = ini.readInteger(kScreen, QStringLiteral("Left"), s.left);
    s.top = ini.readInteger(kScreen, QStringLiteral("Top"), s.top);
    s.width = ini.readInteger(kScreen, QStringLiteral("Width"), s.width);
    s.height = ini.readInteger(kScreen, QStringLiteral("Height"), s.height);
    s.lastDict = ini.readInteger(kDefaults, QStringLiteral("LastDict"), s.lastDict);
    s.openList = ini.readBool(kDefaults, QStringLiteral("OpenList"), s.openList);
    s.fontSize = ini.readInteger(kScreen, QStringLiteral("FontSize"), s.fontSize);
    s.server = ini.readString(kInternet, QStringLiteral("Server"), s.server);
    return s;
}

void saveSettings(const IniFile &ini, const MainSettings &s)
{
    ini.writeString(kDatabase, QStringLiteral("Path"), s.dataFolder);
    ini.writeString(kExport, QStringLiteral("Html"), s.htmlFolder);
    ini.writeInteger(kScreen, QStringLiteral("FontSize"), s.fontSize);
    ini.writeBool(kScreen, QStringLiteral("FullScreen"), s.fullScreen);
    ini.writeBool(kScreen, QStringLiteral("MDIFullScreen"), s.mdiFullScreen);
    ini.writeInteger(kDefaults, QStringLiteral("LastDict"), s.lastDict);
    ini.writeBool(kDefaults, QStringLiteral("OpenList"), s.openList);
    ini.writeInteger(kScreen, QStringLiteral("Left"), s.left);
    ini.writeInteger(kScreen, QStringLiteral("Top"), s.top);
    ini.writeInteger(kScreen, QStringLiteral("Width"), s.width);
    ini.writeInteger(kScreen, QStringLiteral("Height"), s.height);
}

QuickFinderSettings loadQuickFinderSettings(const IniFile &ini, const Folders &folders)
{
    QuickFinderSettings s;
    s.dataFolder = configuredFolder(ini, kDatabase, QStringLiteral("Path"), folders.dataFolder);
    s.lastDict = ini.readInteger(kDatabase, QStringLiteral("LastGyDict"), s.lastDict);
    // The value names the index the dictionary is ordered by; a stray value would make every
    // lookup fail, so anything but the second column means the first.
    const QString order = ini.readString(kDatabase, QStringLiteral("GyOrder"), s.orderColumn);
    if (order.compare(QStringLiteral("nyelv2"), Qt::CaseInsensitive) == 0)
        s.orderColumn = QStringLiteral("nyelv2");
    s.left = ini.readInteger(kScreen, QStringLiteral("GyLeft"), s.left);
    s.top = ini.readInteger(kScreen, QStringLiteral("GyTop"), s.top);
    s.width = ini.readInteger(kScreen, QStringLiteral("GyWidth"), s.width);
    s.height = ini.readInteger(kScreen, QStringLiteral("GyHeight"), s.height);
    return s;
}

void saveQuickFinderSettings(const IniFile &ini, const QuickFinderSettings &s)
{
    ini.writeInteger(kDatabase, QStringLiteral("LastGyDict"), s.lastDict);
    ini.writeString(kDatabase, QStringLiteral("GyOrder"), s.orderColumn);
    ini.writeInteger(kScreen, QStringLiteral("GyLeft"), s.left);
    ini.writeInteger(kScreen, QStringLiteral("GyTop"), s.top);
    ini.writeInteger(kScreen, QStringLiteral("GyWidth"), s.width);
    ini.writeInteger(kScreen, QStringLiteral("GyHeight"), s.height);
}

} // namespace verbalo
