#pragma once

#include "common/catalogue.h"

#include <QWidget>

namespace verbalo {

class FrameServices;

namespace store {
class Table;
}

// A child window of the frame that shows one dictionary. The frame opens it by id, hands the
// program-wide commands (print, import, export, data sheet) to the active one, and asks it
// before closing. Each kind of dictionary implements the commands it supports; the defaults
// do nothing, as for a command the window's kind does not have.
class DictionaryWindow : public QWidget {
    Q_OBJECT
public:
    DictionaryWindow(FrameServices& frame, QWidget* parent = nullptr);

    // True when the window has read its catalogue row, set its caption and opened its table;
    // false after it has shown its own message. The id stays readable either way.
    virtual bool openDictionary(int id) = 0;
    int dictionaryId() const { return id_; }
    const TSzotarak& info() const { return info_; }
    virtual store::Table* table() = 0;

    // Print (FileNyomtat) and the 2-, 3- or 4-column dictionary format; the latter returns
    // false when this kind of dictionary cannot be printed that way.
    virtual void printList() {}
    virtual bool printDictionaryFormat(int columns) {
        Q_UNUSED(columns);
        return false;
    }
    virtual void importData() {}
    virtual void exportData() {}
    // Data sheet: the layout goes to the catalogue first, the catalogue row is read again after.
    virtual void saveLayoutForDataSheet() {}
    virtual void reloadDictionaryInfo() {}
    // The close-query steps; false keeps the window open.
    virtual bool queryClose() { return true; }

    // Reports this window to the frame (status, last dictionary); call when it becomes active.
    virtual void reportActive() = 0;

protected:
    FrameServices& frame_;
    int id_ = -1;
    TSzotarak info_;
};

} // namespace verbalo
