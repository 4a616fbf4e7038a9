#pragma once

// A portable program folder in a temporary directory (Verbalo9.ini beside the program), with its
// data folder and empty catalogue, for the frame window's tests.
#include "common/catalogue.h"
#include "common/folders.h"
#include "common/ini_file.h"
#include "common/messages.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "support/data_folder.h"
#include "common/table_layouts.h"
#include "main/splash_window.h"
#include "main/frame_window.h"
#include "widgets/dictionary_window.h"
#include "widgets/dictionary_window_factory.h"

#include <QDir>
#include <QPointer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace verbalo::test {

// A clock the test moves by hand: each call to `fire` runs the callbacks now due.
class ManualClock : public SplashClock {
public:
    void after(int milliseconds, QObject* context, std::function<void()> tick) override {
        pending.push_back({milliseconds, QPointer<QObject>(context), std::move(tick)});
    }
    // Runs the oldest pending callback; false when there is none.
    bool fireNext(int* delay = nullptr) {
        if (pending.empty()) return false;
        Pending p = std::move(pending.front());
        pending.erase(pending.begin());
        if (delay) *delay = p.milliseconds;
        if (p.context) p.tick();
        return true;
    }
    struct Pending {
        int milliseconds;
        QPointer<QObject> context;
        std::function<void()> tick;
    };
    std::vector<Pending> pending;
};

// A dictionary window that opens when its catalogue row's name does not start with "rossz" and
// records what the frame asks of it.
class StubDictionaryWindow : public DictionaryWindow {
public:
    using DictionaryWindow::DictionaryWindow;
    static inline int opened = 0;
    static inline QStringList calls;
    bool refuseClose = false;

    bool openDictionary(int id) override {
        id_ = id;
        ++opened;
        readDictionaryInfo(frame_.database(), id, info_, frame_.folders().programFolder);
        if (info_.szotarak_nev.startsWith(QLatin1String("rossz"))) {
            showError(QStringLiteral("nem nyitható"), this);
            return false;
        }
        setWindowTitle(info_.szotarak_nev);
        return true;
    }
    store::Table* table() override { return nullptr; }
    // Offers every command, to show what the frame does with each.
    bool offers(Command) const override { return true; }
    void printList() override { calls << QStringLiteral("print"); }
    bool printDictionaryFormat(int columns) override {
        calls << QStringLiteral("format%1").arg(columns);
        return info_.tipus == Bilingual;
    }
    void importData() override { calls << QStringLiteral("import"); }
    void exportData() override { calls << QStringLiteral("export"); }
    void saveLayoutForDataSheet() override { calls << QStringLiteral("saveLayout"); }
    void reloadDictionaryInfo() override { calls << QStringLiteral("reload"); }
    bool queryClose() override {
        calls << QStringLiteral("queryClose");
        return !refuseClose;
    }
    void reportActive() override {
        frame_.settings().lastDict = id_;
        frame_.showDictionaryStatus(info_.szotarak_nev, QStringLiteral("10/1"), QPixmap(), QStringLiteral("magyar"));
    }
};

class MainFrameFixture {
public:
    MainFrameFixture() {
        StubDictionaryWindow::opened = 0;
        StubDictionaryWindow::calls.clear();
        for (int type : {int(Bilingual), int(ImageGallery), int(RecipeBook)})
            registerDictionaryWindow(type, [](FrameServices& f, QWidget* parent) { return new StubDictionaryWindow(f, parent); });
    }

    IniFile ini() const { return IniFile(folders.configFile); }

    // Adds a catalogue row (with its table when makeTable) and returns its id.
    int addDictionary(int type, const QString& name, const QString& table, bool makeTable = true,
                      const QString& exists = QString()) {
        DictionaryRow row;
        row.makeTable = makeTable;
        row.exists = exists;
        row.withLayout = false;
        return data.addDictionary(type, name, table, row);
    }

    std::unique_ptr<Tfrm_Main> makeFrame() {
        auto frame = std::make_unique<Tfrm_Main>(folders);
        frame->setSplashClock(&clock);
        frame->setAddressOpener([this](const QString& a) { openedAddresses << a; });
        return frame;
    }

    // Verbalo9.ini beside the program makes the program folder the settings folder.
    DataFolder data{DataFolder::Layout{true, true}};
    Folders& folders = data.folders();
    store::Database& db = data.db();
    RecordingMessageSink messages;
    ScopedMessageSink sinkGuard{&messages};
    ManualClock clock;
    QStringList openedAddresses;
};

} // namespace verbalo::test
