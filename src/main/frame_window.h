#pragma once

#include "common/folders.h"
#include "common/ini_file.h"
#include "common/settings.h"
#include "common/store/database.h"
#include "main/splash_window.h"
#include "main/picker_context.h"
#include "widgets/frame_child.h"
#include "widgets/frame_services.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace verbalo {

class DictionaryPanel;
class DictionaryWindow;
class FrameActions;

// The main program's frame: every dictionary and tool window opens inside it. It owns the store
// connection to the data folder and the settings record, shows the active dictionary in its
// title area and status bar, and carries the program-wide menu and toolbar commands.
class Tfrm_Main : public QMainWindow, public FrameServices {
    Q_OBJECT
public:
    static constexpr int kStatusPanelCount = 5;

    // Reads the settings, connects the store, refreshes the catalogue's existence flags, builds
    // the side panel when configured and fetches the advert line. A data folder whose catalogue
    // cannot be opened is reported and the window still comes up.
    explicit Tfrm_Main(const Folders& folders, QWidget* parent = nullptr);
    ~Tfrm_Main() override;

    // FrameServices
    store::Database& database() override { return db_; }
    const Folders& folders() const override { return folders_; }
    const IniFile& ini() const override { return ini_; }
    MainSettings& settings() override { return settings_; }
    void showDictionaryStatus(const QString& name, const QString& position, const QPixmap& largeIcon,
                              const QString& orderLanguage) override;
    void openAddress(const QString& address) override;
    void showDataSheet() override;
    void showTitle(const QString& text, const QPixmap& picture) override;
    bool closeTableWindows(const QStringList& tables) override;
    // The catalogue changed (a dictionary was made or installed): existence flags and the side
    // panel anew.
    void catalogueChanged() override;
    QWidget* frameWindow() override { return this; }

    // Brings the dictionary's window forward, or opens one of its type. An id the catalogue
    // does not hold (a dictionary deleted since, another data folder) opens nothing, says
    // nothing, and is no longer the last dictionary.
    void openDictionaryWindow(int id);
    // The download and more-programs windows: the one of its kind brought forward, or opened.
    void showInternetWindow();
    void showProgramsWindow();
    // Rebuilds the side panel's list and shows the panel.
    void showDictionaryPanel();
    // Sets the frame's and every child window's font size to the settings' FontSize.
    void applyFontSize();
    void showSettings();
    // "Szabad lekérdezés": the free SQL window, modal; returns when it is closed.
    void showSqlWindow();

    // Raises the window, restoring it when minimised (a later start of the program asks this).
    void bringToFront();

    // The dictionary windows inside the frame, in the order they were opened.
    QList<DictionaryWindow*> dictionaryWindows() const;
    DictionaryWindow* activeDictionaryWindow() const;
    // The active child window as the frame's commands see it; null with no child or one that
    // takes no part in them.
    FrameChild* activeFrameChild() const;
    QMdiArea* mdiArea() const { return mdi_; }
    DictionaryPanel* dictionaryPanel() const { return panel_; }
    QAction* action(const QString& name) const;
    QString statusPanelText(int panel) const;
    int statusPanelWidth(int panel) const;
    // The advert label in the status bar; null when there is no advert.
    QLabel* advertLabel() const { return advertLabel_; }
    QString advertLink() const { return advertLink_; }
    // Whether the catalogue could be opened while the window was made.
    bool catalogueOpened() const { return catalogueOpened_; }
    PickerContext pickerContext();

    // Seams for tests: where addresses go instead of the desktop, and the splash window's clock
    // (null: no splash window).
    void setAddressOpener(std::function<void(const QString&)> opener) { addressOpener_ = std::move(opener); }
    void setSplashClock(SplashClock* clock) { splashClock_ = clock; }
    // The splash window while it is up.
    Tfrm_Logo* splashWindow() const { return splash_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void buildStatusBar();
    void connectActions();
    void showAdvert(const QString& text, const QString& link);
    void openPanelKey(const QString& key);
    void firstShow();
    void fillWindowMenu();
    void subWindowActivated(QMdiSubWindow* window);
    // Runs one command; a store error or other failure it does not catch is shown and ends it.
    void runCommand(const std::function<void()>& command);
    // Turns on the commands the active child runs or answers with its message, and the
    // dictionary format while no child is open (it answers then too); the others are off, as
    // are the commands whose windows are not part of the program yet.
    void enableCommands();
    // The bounds of the settings, applied before the window is first shown.
    void applySavedBounds();

    // Commands on the active child window. A command the child refuses shows its message; one
    // it offers runs; any other does nothing.
    void runOnActiveChild(FrameChild::Command command, const std::function<void(FrameChild&)>& run);
    void printActive();
    void printDictionaryFormat(int columns);
    void importActive();
    void exportActive();
    void zoom(int newSize);
    void tileSubWindows(Qt::Orientation orientation);
    void openDictionaryFromPicker();
    // The first child window of type T brought forward, or a new one made by create.
    template <typename T>
    void showToolWindow(const std::function<T*()>& create);

    Folders folders_;
    IniFile ini_;
    MainSettings settings_;
    store::Database db_;
    bool catalogueOpened_ = false;
    bool firstShown_ = false;

    std::unique_ptr<FrameActions> actions_;
    QMdiArea* mdi_ = nullptr;
    DictionaryPanel* panel_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* titleImage_ = nullptr;
    QWidget* statusPanels_[kStatusPanelCount] = {};
    QLabel* advertLabel_ = nullptr;
    QString advertLink_;
    std::function<void(const QString&)> addressOpener_;
    SplashClock* splashClock_ = nullptr;
    QPointer<Tfrm_Logo> splash_;
    std::unique_ptr<SplashClock> ownClock_;
};

} // namespace verbalo
