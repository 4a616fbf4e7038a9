#pragma once

#include "common/catalogue.h"
#include "common/messages.h"
#include "support/data_folder.h"
#include "widgets/frame_services.h"

#include <QStringList>

namespace verbalo::test {

// A frame for window tests: a real data folder with an empty catalogue in a temporary
// directory, settings in a Verbalo9.ini there, and a record of what windows reported.
class TestFrame : public FrameServices {
public:
    TestFrame();

    store::Database& database() override { return data_.db(); }
    const Folders& folders() const override { return data_.folders(); }
    const IniFile& ini() const override { return ini_; }
    MainSettings& settings() override { return settings_; }
    void showDictionaryStatus(const QString& name, const QString& position, const QPixmap& largeIcon,
                              const QString& orderLanguage) override;
    void openAddress(const QString& address) override { openedAddresses << address; }
    void showDataSheet() override { ++dataSheetRequests; }
    void showTitle(const QString& text, const QPixmap& picture) override {
        title = text;
        titleHasPicture = !picture.isNull();
    }
    bool closeTableWindows(const QStringList& tables) override {
        tablesToClose << tables;
        return closeTablesAnswer;
    }
    void catalogueChanged() override { ++catalogueChanges; }
    QWidget* frameWindow() override { return nullptr; }

    // Adds a catalogue row and makes its table; returns the new id.
    int addDictionary(int type, const QString& name, const QString& table, const QString& language1 = QStringLiteral("magyar"),
                      const QString& language2 = QStringLiteral("angol"));
    // The catalogue row of id in the given columns ("sorrend, ablak"), its cells joined by "|".
    QString catalogueCells(int id, const QString& columns) { return data_.catalogueCells(id, columns); }
    DataFolder& data() { return data_; }

    struct Status {
        QString name, position, orderLanguage;
        bool hasIcon = false;
    };
    QList<Status> statuses;
    QStringList openedAddresses;
    int dataSheetRequests = 0;
    QString title;
    bool titleHasPicture = false;
    QStringList tablesToClose;
    bool closeTablesAnswer = true;
    int catalogueChanges = 0;
    RecordingMessageSink messages;

private:
    DataFolder data_;
    IniFile ini_;
    MainSettings settings_;
    ScopedMessageSink sinkGuard_;
};

} // namespace verbalo::test
