#pragma once

#include "common/folders.h"
#include "common/ini_file.h"
#include "common/settings.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

class QWidget;

namespace verbalo {

namespace store {
class Database;
}

// What the main program's frame window offers the windows inside it: the shared store
// connection, the folders and settings, and the routines that report the active dictionary.
// The frame implements it; window tests use a small real implementation over a temporary
// data folder.
class FrameServices {
public:
    virtual ~FrameServices() = default;

    virtual store::Database& database() = 0;
    virtual const Folders& folders() const = 0;
    virtual const IniFile& ini() const = 0;
    // The main program's settings record, live from start to exit.
    virtual MainSettings& settings() = 0;

    // The active dictionary's name, position text ("%d/%d", count first), large icon and the
    // language it is ordered by, shown in the frame's title area and status bar.
    virtual void showDictionaryStatus(const QString& name, const QString& position, const QPixmap& largeIcon,
                                      const QString& orderLanguage) = 0;
    // Hands an address, document or program to the desktop; failures are silent.
    virtual void openAddress(const QString& address) = 0;
    // The frame's data sheet command on the active dictionary window.
    virtual void showDataSheet() = 0;
    // The title area for a window that shows no dictionary: its text, and its picture unless
    // that is null (the picture then stays as it was). A frame without a title area ignores it.
    virtual void showTitle(const QString& text, const QPixmap& picture) {
        Q_UNUSED(text);
        Q_UNUSED(picture);
    }
    // Before table files are replaced under them: asks the user to close the dictionary windows
    // showing those tables and closes them. False when a window stays open (the user said no,
    // or it would not close); nothing is closed then without the user's consent. A frame that
    // holds no dictionary windows has none to close.
    virtual bool closeTableWindows(const QStringList& tables) {
        Q_UNUSED(tables);
        return true;
    }
    // Dictionaries were added to the catalogue: the side panel, when shown, lists them. A frame
    // without a side panel has nothing to show.
    virtual void catalogueChanged() {}
    // The frame window, as owner of dialogs; may be null in tests.
    virtual QWidget* frameWindow() = 0;
};

} // namespace verbalo
