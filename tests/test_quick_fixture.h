#pragma once

// A data folder for the quick finder's tests: a temporary settings folder with Verbalo9.ini,
// a data folder with an empty catalogue, and dictionaries added to it with their word pairs.

#include "common/catalogue.h"
#include "common/folders.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "quickfinder/logic/clipboard_watch.h"

#include <QDir>
#include <QTemporaryDir>

#include <stdexcept>

namespace verbalo::test {

class QuickDataFolder {
public:
    QuickDataFolder() {
        QDir(dir_.path()).mkpath(QStringLiteral("prog"));
        QDir(dir_.path()).mkpath(QStringLiteral("Data"));
        folders_ = computeFolders(dir_.path() + QStringLiteral("/prog"), dir_.path());
        createMissingFolders(folders_, createEmptyCatalogue);
        createEmptyCatalogue(folders_.dataFolder, nullptr);
        db_.connect(QStringLiteral("szotar"), folders_.dataFolder);
    }

    const Folders& folders() const { return folders_; }
    store::Database& db() { return db_; }

    // A catalogue row and its table filled with "first;second" pairs; returns the new id.
    int addDictionary(int type, const QString& name, const QString& table, const QStringList& pairs = {},
                      const QString& language1 = QStringLiteral("magyar"), const QString& language2 = QStringLiteral("angol")) {
        exec(createDictionaryTableLines(type, table).join(QLatin1Char('\n')));
        exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, nyelv1, nyelv2, nyelv1szeles, "
                            "nyelv2szeles, sorrend, ablak, letezik) VALUES (%1, %2, %3, %4, %5, 0.5, 0.5, 'nyelv1', 0, 'I')")
                 .arg(store::quoteLiteral(name), store::quoteLiteral(table))
                 .arg(type)
                 .arg(store::quoteLiteral(language1), store::quoteLiteral(language2)));
        if (!pairs.isEmpty()) addPairs(table, pairs);
        store::Query q(db_);
        q.setSql(QStringLiteral("SELECT max(szotarak) FROM szotarak"));
        return q.open().value(0).toInt();
    }

    void addPairs(const QString& table, const QStringList& pairs) {
        store::Table t(db_);
        t.setTableName(table);
        t.open();
        t.disableControls();
        store::WriteBatch batch(t); // one commit for all the rows
        for (const QString& p : pairs) {
            t.insert();
            t.setValue(QStringLiteral("nyelv1"), p.section(QLatin1Char(';'), 0, 0));
            t.setValue(QStringLiteral("nyelv2"), p.section(QLatin1Char(';'), 1));
            t.post();
        }
        batch.commit();
        t.enableControls();
    }

    int exec(const QString& sql) {
        store::Query q(db_);
        q.setSql(sql);
        return q.exec();
    }

private:
    QTemporaryDir dir_;
    Folders folders_;
    store::Database db_;
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
