#pragma once

#include "common/folders.h"
#include "common/ini_file.h"
#include "common/settings.h"
#include "common/store/database.h"
#include "widgets/frame_services.h"

namespace bench {

// The frame around a window under measurement: the store connection over work/data, the
// settings, and the last status the window showed.
class BenchFrame : public verbalo::FrameServices {
public:
    explicit BenchFrame(const QString& work);

    verbalo::store::Database& database() override { return db_; }
    const verbalo::Folders& folders() const override { return folders_; }
    const verbalo::IniFile& ini() const override { return ini_; }
    verbalo::MainSettings& settings() override { return settings_; }
    void showDictionaryStatus(const QString&, const QString& position, const QPixmap&, const QString&) override;
    void openAddress(const QString&) override {}
    void showDataSheet() override {}
    QWidget* frameWindow() override { return nullptr; }

    QString lastPosition;
    int statusCalls = 0;

private:
    verbalo::Folders folders_;
    verbalo::IniFile ini_;
    verbalo::MainSettings settings_;
    verbalo::store::Database db_;
};

} // namespace bench
