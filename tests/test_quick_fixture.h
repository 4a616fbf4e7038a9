#pragma once

// A data folder for the quick finder's tests: a temporary settings folder with Verbalo9.ini,
// a data folder with an empty catalogue, and dictionaries added to it with their word pairs.

#include "common/catalogue.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "support/data_folder.h"
#include "quickfinder/logic/clipboard_watch.h"

#include <stdexcept>

namespace verbalo::test {

// The quick finder's data folder: dictionaries added to the catalogue with their word pairs.
class QuickDataFolder : public DataFolder {
public:
    // A catalogue row and its table filled with "first;second" pairs; returns the new id.
    int addDictionary(int type, const QString& name, const QString& table, const QStringList& pairs = {},
                      const QString& language1 = QStringLiteral("magyar"), const QString& language2 = QStringLiteral("angol")) {
        DictionaryRow row;
        row.language1 = language1;
        row.language2 = language2;
        const int id = DataFolder::addDictionary(type, name, table, row);
        if (!pairs.isEmpty()) addPairs(table, pairs);
        return id;
    }
};

// A small bilingual dictionary with case variants, accents and several translations.
inline QStringList samplePairs() {
    return {QStringLiteral("alma;apple"),          QStringLiteral("Alma;Alma (surname)"), QStringLiteral("almafa;apple tree"),
            QStringLiteral("ablak;window"),        QStringLiteral("ház;house"),           QStringLiteral("házas;married"),
            QStringLiteral("kert;garden"),         QStringLiteral("kert;yard"),           QStringLiteral("körte;pear"),
            QStringLiteral("zöld ház;greenhouse"), QStringLiteral("O'Brien;O'Brien"),     QStringLiteral("100%-os;complete"),
            QStringLiteral("a_b;underscore")};
}

// A clock the test moves by hand.
class ManualClock : public WatchClock {
public:
    void start(int intervalMs) override {
        active_ = true;
        interval_ = intervalMs;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    void fire() {
        if (active_) emit tick();
    }
    int interval() const { return interval_; }

private:
    bool active_ = false;
    int interval_ = 0;
};

// A clipboard whose content the test sets; it can be made to fail like a busy clipboard.
class ScriptedClipboard : public ClipboardSource {
public:
    ClipboardText read() override {
        ++reads;
        if (failNext) {
            failNext = false;
            throw std::runtime_error("clipboard busy");
        }
        return content;
    }
    void setText(const QString& text) { content = ClipboardText{true, text}; }
    ClipboardText content;
    bool failNext = false;
    int reads = 0;
};

} // namespace verbalo::test
