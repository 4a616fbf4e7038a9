#pragma once

#include "common/table_layouts.h"
#include "common/folders.h"
#include "common/ini_file.h"

#include <QString>

// Each program's settings record, read from Verbalo9.ini at start and written back at exit.
// Each program writes only its own keys, so the other program's keys survive.
namespace verbalo {

// What both programs say when their keys could not be written at exit, before the reason.
inline const QString kSettingsNotSaved = QStringLiteral("A beállítások nem menthetők, a korábbiak maradnak érvényben:\r\n");

// The main program's settings.
struct MainSettings {
    QString dataFolder;
    QString htmlFolder;
    bool fullScreen = false;
    bool mdiFullScreen = true; // every new child window opens maximised
    int left = 10;
    int top = 10;
    int width = 770;
    int height = 550;
    int lastDict = -1; // -1: no dictionary to reopen
    bool openList = true;
    int fontSize = 9;
    // The maker's web server that the advert line, the list downloads and the help addresses
    // are built on. Set by hand in the file; the programs never write it.
    QString server = QStringLiteral("http://127.0.0.1:8080");
};

// Missing or unreadable keys keep the defaults above; the folders default to those of folders.
MainSettings loadSettings(const IniFile& ini, const Folders& folders);

// Writes the main program's keys in a fixed order, all in one rewrite of the file. The caller
// puts the side panel's visibility and the main window's present bounds into settings first.
// False, with the file as it was and the reason in error, when the file could not be written.
bool saveSettings(const IniFile& ini, const MainSettings& settings, QString* error = nullptr);

// The quick finder's settings.
struct QuickFinderSettings {
    int lastDict = 59;
    QString orderColumn = kFirstLanguageColumn; // "nyelv1" or "nyelv2"
    QString dataFolder;
    // The window's bounds; the defaults are its designed size.
    int left = 10;
    int top = 10;
    int width = 431;
    int height = 345;
};

QuickFinderSettings loadQuickFinderSettings(const IniFile& ini, const Folders& folders);

// Writes the quick finder's own keys; the data folder belongs to the main program and is
// never written from here.
bool saveQuickFinderSettings(const IniFile& ini, const QuickFinderSettings& settings, QString* error = nullptr);

} // namespace verbalo
