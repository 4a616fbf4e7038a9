#pragma once

#include <QString>

namespace verbalo {

// What a child window of the frame does with the frame's program-wide commands (print, the
// dictionary format, import, export, data sheet). The frame hands each command to the active
// child: a dictionary window, a list window of the maker's site, the SQL window. A child says
// which commands it runs itself (offers) and which it refuses with a message of its own
// (refusal); any other command is simply nothing for it. The defaults are a window that runs
// none of them and says nothing.
class FrameChild {
public:
    enum class Command { Print, PrintDictionaryFormat, Import, Export, DataSheet };

    virtual ~FrameChild() = default;

    virtual bool offers(Command command) const {
        Q_UNUSED(command);
        return false;
    }
    // The message the frame shows when the command is given to this window; empty when the
    // command is offered or simply does nothing here. A refusal comes before offers(). Only a
    // bilingual dictionary prints in dictionary format: every other window says so.
    virtual QString refusal(Command command) const {
        return command == Command::PrintDictionaryFormat ? notPrintableInDictionaryFormat() : QString();
    }
    // The dictionary format's answer, also with no window open.
    static QString notPrintableInDictionaryFormat() {
        return QStringLiteral("Ez a szótártípus nem nyomtatható ebben a formátumban.");
    }

    // Print (FileNyomtat) and the 2-, 3- or 4-column dictionary format; the latter returns
    // false when this window cannot be printed that way.
    virtual void printList() {}
    virtual bool printDictionaryFormat(int columns) {
        Q_UNUSED(columns);
        return false;
    }
    virtual void importData() {}
    virtual void exportData() {}

protected:
    FrameChild() = default;
    FrameChild(const FrameChild&) = default;
    FrameChild& operator=(const FrameChild&) = default;
};

} // namespace verbalo
