#pragma once

#include "common/folders.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QAction;
class QLineEdit;
class QSplitter;
class QTabWidget;

namespace verbalo {
class ClipboardSource;
class ClipboardWatch;
class QuickFinderSession;
class WatchClock;
} // namespace verbalo

namespace verbalo::quickfinder {

class QuickEditor;
class QuickResultPane;

// Shown when the chosen dictionary is not a bilingual one.
inline const QString kOnlyBilingualDictionaries = QStringLiteral("Gyorskeresésre csak normál szótár állomány használható.");

// Seams for tests: where the clipboard is read, what paces its watch, whether the splash
// appears. Null members take the real ones.
struct QuickFinderOptions {
    ClipboardSource* clipboard = nullptr;
    WatchClock* clock = nullptr;
    bool showSplash = true;
    // Also look at the clipboard whenever the window is activated; on by itself on Wayland,
    // where a window without the focus is told nothing of the clipboard.
    bool checkClipboardOnActivation = false;
};

// The quick finder's window: a small window that looks up, in one bilingual dictionary, the
// word at the caret of its editing area and brings in text copied anywhere else. The search
// tab ("Keresés") shows the word's translations, the occurrence tab ("Előfordulás") every entry
// holding an expression.
class Tfrm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrm_Main(const Folders& folders, QuickFinderOptions options = {}, QWidget* parent = nullptr);
    ~Tfrm_Main() override;

    // Opens a catalogue id; refuses, with a message, anything but a bilingual dictionary and
    // keeps the dictionary open before. True when it was opened.
    bool openDictionary(int id);
    // Makes "nyelv1" or "nyelv2" the search column.
    void applySearchColumn(const QString& column);

    QuickFinderSession& session() { return *session_; }
    ClipboardWatch& clipboardWatch() { return *watch_; }

    // The placement timers, for tests that check snapping without waiting on a clock: the
    // window's own placement is still settling (moves do not snap yet), a snap is due after the
    // user's last move; the *Now() calls do at once what the timers would do.
    bool placementSettling() const { return placing_.isActive(); }
    bool snapPending() const { return snapTimer_.isActive(); }
    void settlePlacementNow() { placing_.stop(); }
    void snapNow() {
        snapTimer_.stop();
        snapToScreenEdges();
    }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildActions();
    void buildTabs();
    void start();
    void chooseDictionary();
    void setStayOnTop(bool on);
    void snapToScreenEdges();
    void onEditorStateChanged();
    void lookUpCaretWord();
    void bringInClipboardText(const QString& text);
    void runOccurrenceSearch();
    void showLanguageCommands(bool shown);

    std::unique_ptr<QuickFinderSession> session_;
    std::unique_ptr<ClipboardSource> ownClipboard_;
    QuickFinderOptions options_;
    ClipboardWatch* watch_ = nullptr;

    QAction* aMindigFelul_ = nullptr;
    QAction* aSzotarNyit_ = nullptr;
    QAction* aNyelv1_ = nullptr;
    QAction* aNyelv2_ = nullptr;
    QAction* aNevjegy_ = nullptr;
    QAction* aTalcara_ = nullptr;
    QAction* aBezar_ = nullptr;

    QTabWidget* tabs_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QuickEditor* editor_ = nullptr;
    QuickResultPane* results_ = nullptr;
    QLineEdit* expression_ = nullptr;
    QuickResultPane* occurrences_ = nullptr;

    QTimer snapTimer_;
    QTimer placing_; // running while the window's own placement settles
    bool shownOnce_ = false;
};

} // namespace verbalo::quickfinder
