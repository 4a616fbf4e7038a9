#pragma once

#include <QStandardPaths>
#include <QString>

#include <functional>

// The folders both programs compute at start, before any window exists.
namespace verbalo {

QString configFileName(); // "Verbalo9.ini"

struct Folders {
    QString programFolder;  // the program file's folder, as the file system spells it
    QString settingsFolder; // where Verbalo9.ini lives
    QString configFile;
    QString dataFolder; // the catalogue and the dictionary tables
    QString htmlFolder;

    QString tempFolder() const; // temporary picture files
};

// The folders for a program in programFolder. Verbalo9.ini beside the program makes that
// folder the settings folder (a portable install); otherwise the settings live in
// genericDataLocation + "/Verbalo9", or beside the program when no data location is known.
// The data and HTML folders come from the configuration file, which is read here.
Folders computeFolders(const QString& programFolder, const QString& genericDataLocation);

class IniFile;

// A folder named in the configuration file; defaultFolder when the key is missing or empty.
QString configuredFolder(const IniFile& ini, const QString& section, const QString& key, const QString& defaultFolder);

// computeFolders for the running program and the user's real data location.
Folders currentFolders();

// The running program file's folder, without a trailing slash.
QString programFolder();

// A standard folder of the desktop, "" when it cannot be told.
QString specialFolder(QStandardPaths::StandardLocation location);
QString commonAppDataFolder();
// The user's documents folder, made when it does not exist yet.
QString myDocumentsFolder();

using EmptyCatalogueCreator = std::function<bool(const QString& dataFolder, QString* error)>;

struct FolderSetup {
    bool ok = false;
    QString error;
    bool dataFolderCreated = false;
};

// Creates whichever of the settings, data, HTML and Temp folders is missing; a data folder
// made here gets its empty catalogue from createCatalogue. Existing folders and their
// contents are left alone.
FolderSetup createMissingFolders(const Folders& folders, const EmptyCatalogueCreator& createCatalogue = {});

// A data folder named outright (the command-line tool's --data): a missing folder is made and
// an empty one gets its empty catalogue from createCatalogue, as a first data folder does. A
// folder that holds other files but no catalogue is refused and left as it is: it is most
// likely the wrong folder, and a catalogue written into it would hide that.
FolderSetup prepareDataFolder(const QString& dataFolder, const EmptyCatalogueCreator& createCatalogue);

} // namespace verbalo
