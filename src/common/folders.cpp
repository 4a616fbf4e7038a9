#include "common/folders.h"

#include "common/ini_file.h"
#include "common/table_layouts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace verbalo {
namespace {

QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    return path;
}

bool ensureFolder(const QString& path, QString* error, bool* created = nullptr) {
    if (QFileInfo(path).isDir()) return true;
    if (!QDir().mkpath(path)) {
        *error = QStringLiteral("Cannot create the folder %1").arg(path);
        return false;
    }
    if (created) *created = true;
    return true;
}

} // namespace

QString configFileName() {
    return QStringLiteral("Verbalo9.ini");
}

QString configuredFolder(const IniFile& ini, const QString& section, const QString& key, const QString& defaultFolder) {
    const QString folder = ini.readString(section, key, QString()).trimmed();
    // An empty value would point at whatever the current folder happens to be.
    return folder.isEmpty() ? defaultFolder : withoutTrailingSlash(folder);
}

QString Folders::tempFolder() const {
    return settingsFolder + QStringLiteral("/Temp");
}

Folders computeFolders(const QString& programFolder, const QString& genericDataLocation) {
    Folders f;
    f.programFolder = withoutTrailingSlash(programFolder);
    const QString dataLocation = withoutTrailingSlash(genericDataLocation);
    if (QFileInfo::exists(f.programFolder + QLatin1Char('/') + configFileName()))
        f.settingsFolder = f.programFolder;
    else if (!dataLocation.isEmpty())
        f.settingsFolder = dataLocation + QStringLiteral("/Verbalo9");
    else
        f.settingsFolder = f.programFolder;
    f.configFile = f.settingsFolder + QLatin1Char('/') + configFileName();

    const IniFile ini(f.configFile);
    f.dataFolder =
        configuredFolder(ini, QStringLiteral("Database"), QStringLiteral("Path"), f.settingsFolder + QStringLiteral("/Data"));
    f.htmlFolder =
        configuredFolder(ini, QStringLiteral("Export"), QStringLiteral("Html"), f.settingsFolder + QStringLiteral("/Html"));
    return f;
}

Folders currentFolders() {
    return computeFolders(programFolder(), specialFolder(QStandardPaths::GenericDataLocation));
}

QString programFolder() {
    QString dir;
    if (QCoreApplication::instance())
        dir = QCoreApplication::applicationDirPath();
    else
        dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    return withoutTrailingSlash(dir.isEmpty() ? QStringLiteral("/") : dir);
}

QString specialFolder(QStandardPaths::StandardLocation location) {
    return withoutTrailingSlash(QStandardPaths::writableLocation(location));
}

QString commonAppDataFolder() {
    return specialFolder(QStandardPaths::GenericDataLocation);
}

QString myDocumentsFolder() {
    const QString folder = specialFolder(QStandardPaths::DocumentsLocation);
    // A fresh account may have no documents folder yet; the exports offer their file there, so
    // it is made rather than refused on the first export.
    if (!folder.isEmpty()) QDir().mkpath(folder);
    return folder;
}

FolderSetup createMissingFolders(const Folders& folders, const EmptyCatalogueCreator& createCatalogue) {
    FolderSetup setup;
    if (!ensureFolder(folders.settingsFolder, &setup.error) ||
        !ensureFolder(folders.dataFolder, &setup.error, &setup.dataFolderCreated) ||
        !ensureFolder(folders.htmlFolder, &setup.error) || !ensureFolder(folders.tempFolder(), &setup.error))
        return setup;
    if (setup.dataFolderCreated && createCatalogue && !createCatalogue(folders.dataFolder, &setup.error)) return setup;
    setup.ok = true;
    return setup;
}

FolderSetup prepareDataFolder(const QString& dataFolder, const EmptyCatalogueCreator& createCatalogue) {
    FolderSetup setup;
    const QFileInfo info(dataFolder);
    if (info.exists() && !info.isDir()) {
        setup.error = QStringLiteral("Az adatmappa helyén egy file áll: %1").arg(dataFolder);
        return setup;
    }
    if (!ensureFolder(dataFolder, &setup.error, &setup.dataFolderCreated)) return setup;
    const QDir dir(dataFolder);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QString catalogueFile = kCatalogueTable + QStringLiteral(".DB");
    const bool hasCatalogue = std::any_of(entries.cbegin(), entries.cend(), [&](const QString& entry) {
        return entry.compare(catalogueFile, Qt::CaseInsensitive) == 0;
    });
    if (!hasCatalogue) {
        if (!entries.isEmpty()) {
            setup.error = QStringLiteral("A(z) %1 mappában nincs szótárkatalógus (%2), de más file-ok vannak benne; "
                                         "a mappát nem változtattam meg.")
                              .arg(dataFolder, catalogueFile);
            return setup;
        }
        if (!createCatalogue(dataFolder, &setup.error)) return setup;
    }
    setup.ok = true;
    return setup;
}

} // namespace verbalo
