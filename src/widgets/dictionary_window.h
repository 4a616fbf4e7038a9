#pragma once

#include "common/catalogue.h"
#include "widgets/frame_child.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

class QAction;

namespace verbalo {

class FrameServices;

namespace store {
class StoreError;
class Table;
} // namespace store

// A child window of the frame that shows one dictionary. The frame opens it by id, hands the
// program-wide commands (print, import, export, data sheet) to the active one, and asks it
// before closing. Each kind of dictionary implements the commands it supports.
class DictionaryWindow : public QWidget, public FrameChild {
    Q_OBJECT
public:
    DictionaryWindow(FrameServices& frame, QWidget* parent = nullptr);

    // True when the window has read its catalogue row, set its caption and opened its table;
    // false after it has shown its own message. The id stays readable either way.
    virtual bool openDictionary(int id) = 0;
    int dictionaryId() const { return id_; }
    const TSzotarak& info() const { return info_; }
    virtual store::Table* table() = 0;

    // The frame's commands (FrameChild): the data sheet is every dictionary window's; print,
    // the dictionary format and export are refused by the kinds of dictionary that cannot be
    // printed or exported so.
    bool offers(Command command) const override { return command == Command::DataSheet; }
    QString refusal(Command command) const override;

    // Data sheet: the layout goes to the catalogue first, the catalogue row is read again after.
    virtual void saveLayoutForDataSheet() {}
    virtual void reloadDictionaryInfo() {}
    // The close-query steps; false keeps the window open.
    virtual bool queryClose() { return true; }

    // Reports this window to the frame (status, last dictionary); call when it becomes active.
    virtual void reportActive() = 0;

    // The record count and the current record's number of the window's table, count first:
    // "2500/17"; "0/0" when the table cannot say.
    QString positionText();

protected:
    // The commands whose shortcuts come before the frame's while the focus is inside the window.
    virtual QList<QAction*> windowCommands() const { return {}; }

    // Reads the catalogue row of id into info_ and shows its name and icons; false after
    // "Hiba az adatbázis megnyitásakor:" with the store's message.
    bool readDictionaryForOpening(int id);
    // "Hiba az adatbázis megnyitásakor:" and the store's message, when the table will not open.
    void showOpenFailed(const QString& storeMessage);
    void showOpenFailed(const store::StoreError& error);
    // A failure of the store while the window works on its table, in the user's words with the
    // table named (storeFailureText).
    void showStoreFailure(const store::StoreError& error);
    // Reads the catalogue row again (the data sheet may have changed it); false, with info_ as
    // it was and the store's message shown, when it cannot be read.
    bool rereadDictionaryInfo();

    // The row commands of a list over the window's table; each shows the store's message when
    // it fails. The first two return true when the entry editor should run: "Új sor" appends,
    // "Szerkeszt" edits the current row or, on an empty list, adds the first one.
    bool startNewRow();
    bool startEditingRow();
    // The question ("Valóban töröljem a sort?") and, on yes, the current row goes.
    void deleteCurrentRow(const QString& question = QStringLiteral("Valóban töröljem a sort?"));
    // The grid's row chosen by the user becomes the table's current record (1-based).
    void moveToRow(int row);
    // The incremental search: the nearest key at or after the typed text becomes current.
    void gotoTyped(const QString& text);

    // "Nézet": the frame's top panel (Panel1) is shown or hidden.
    void toggleFrameTopPanel();
    // "Bezár": closes the MDI child holding the window, or the window itself.
    void closeWindow();

    FrameServices& frame_;
    int id_ = -1;
    TSzotarak info_;
    QPixmap largeIcon_; // the dictionary's large icon for the frame's status panel
};

} // namespace verbalo
