#include "quickfinder/quick_finder_window.h"

#include "common/messages.h"
#include "common/store/store_error.h"
#include "main/splash_window.h"
#include "quickfinder/logic/clipboard_watch.h"
#include "quickfinder/system_clipboard.h"
#include "quickfinder/logic/edge_snap.h"
#include "quickfinder/logic/occurrence_query.h"
#include "quickfinder/logic/quick_finder_session.h"
#include "common/word_at_caret.h"
#include "quickfinder/quick_about.h"
#include "quickfinder/quick_editor.h"
#include "quickfinder/quick_picker.h"
#include "quickfinder/quick_result_pane.h"
#include "common/table_layouts.h"
#include "widgets/icons.h"
#include "widgets/store_messages.h"
#include "widgets/window_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo::quickfinder {

namespace {

constexpr int kResultPaneHeight = 119;
constexpr int kExpressionBoxNarrowing = 25;
// The window is pulled to a screen edge once it has stood still this long after a move.
constexpr int kSnapDelayMs = 150;
// Moves while the window is being placed (at its showing, when it becomes a new native window)
// are the program's own: only the user's later moves snap, so saved bounds come back as read.
constexpr int kPlacementSettleMs = 500;
const QColor kHeadlineColor(255, 0, 0);
const QString kIndent = QStringLiteral("   ");

// A language's small icon; a dictionary that has none, and no default icon beside the
// program, gets the language's first letters instead of an empty button.
QIcon languageIcon(const QByteArray& bytes, const QString& language) {
    QIcon icon = iconFromBytes(bytes);
    if (!icon.isNull()) return icon;
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(70, 110, 170));
    QPainter p(&pixmap);
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, language.left(2).toUpper());
    return QIcon(pixmap);
}

QAction* makeAction(QWidget* owner, const char* name, const QString& caption, const QKeySequence& shortcut,
                    QStyle::StandardPixmap picture) {
    auto* action = new QAction(owner->style()->standardIcon(picture), caption, owner);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(caption);
    action->setStatusTip(caption);
    action->setShortcut(shortcut);
    owner->addAction(action);
    return action;
}

} // namespace

Tfrm_Main::Tfrm_Main(const Folders& folders, QuickFinderOptions options, QWidget* parent)
    : QMainWindow(parent), session_(std::make_unique<QuickFinderSession>(folders)), options_(options) {
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Quickor"));
    setWindowIcon(iconFromProgramFolder(folders.programFolder, QStringLiteral("Ico/quickor.ico")));
    // A small tool window: no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) options_.checkClipboardOnActivation = true;

    if (!options_.clipboard) {
        ownClipboard_ = std::make_unique<SystemClipboard>();
        options_.clipboard = ownClipboard_.get();
    }
    if (!options_.clock) options_.clock = new TimerClock(this);
    watch_ = new ClipboardWatch(*options_.clipboard, *options_.clock, this);
    watch_->setSearchTabActive([this] { return tabs_->currentIndex() == 0; });
    connect(watch_, &ClipboardWatch::textArrived, this, &Tfrm_Main::bringInClipboardText);

    buildActions();
    buildTabs();
    // The window's commands come before the editing area's own keys.
    giveCommandsPriority(
        this, [this] { return QList<QAction*>{aMindigFelul_, aSzotarNyit_, aNyelv1_, aNyelv2_, aNevjegy_, aTalcara_}; });
    snapTimer_.setSingleShot(true);
    placing_.setSingleShot(true);
    connect(&snapTimer_, &QTimer::timeout, this, &Tfrm_Main::snapToScreenEdges);

    // The saved bounds are taken as they are, also when they lie off every present screen.
    const QuickFinderSettings& s = session_->settings();
    move(s.left, s.top);
    resize(s.width, s.height);
    start();
}

Tfrm_Main::~Tfrm_Main() {
    watch_->stop();
}

void Tfrm_Main::buildActions() {
    aMindigFelul_ = makeAction(this, "aMindigFelul", QStringLiteral("Mindig felül"), Qt::Key_F4, QStyle::SP_ArrowUp);
    aMindigFelul_->setCheckable(true);
    connect(aMindigFelul_, &QAction::toggled, this, &Tfrm_Main::setStayOnTop);
    aSzotarNyit_ = makeAction(this, "aSzotarNyit", QStringLiteral("Szótár megnyitása"), QKeySequence(Qt::CTRL | Qt::Key_O),
                              QStyle::SP_DialogOpenButton);
    connect(aSzotarNyit_, &QAction::triggered, this, &Tfrm_Main::chooseDictionary);
    aNyelv1_ = makeAction(this, "aNyelv1", QStringLiteral("Keresés nyelv1 szerint"), Qt::Key_F11, QStyle::SP_FileIcon);
    aNyelv2_ = makeAction(this, "aNyelv2", QStringLiteral("Keresés nyelv2 szerint"), Qt::Key_F12, QStyle::SP_FileIcon);
    auto* languages = new QActionGroup(this);
    for (QAction* a : {aNyelv1_, aNyelv2_}) {
        a->setCheckable(true);
        languages->addAction(a);
    }
    connect(aNyelv1_, &QAction::triggered, this, [this] { applySearchColumn(kFirstLanguageColumn); });
    connect(aNyelv2_, &QAction::triggered, this, [this] { applySearchColumn(kSecondLanguageColumn); });
    showLanguageCommands(false);
    aNevjegy_ = makeAction(this, "aNevjegy", QStringLiteral("Névjegy"), Qt::Key_F1, QStyle::SP_MessageBoxInformation);
    connect(aNevjegy_, &QAction::triggered, this, [this] {
        QuickAbout about(this);
        about.exec();
    });
    aTalcara_ = makeAction(this, "aTalcara", QStringLiteral("Tálcára"), Qt::Key_Escape, QStyle::SP_TitleBarMinButton);
    connect(aTalcara_, &QAction::triggered, this, &QWidget::showMinimized);
    aBezar_ = makeAction(this, "aBezar", QStringLiteral("Bezár"), QKeySequence(), QStyle::SP_DialogCloseButton);
    connect(aBezar_, &QAction::triggered, this, &QWidget::close);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar->addAction(aMindigFelul_);
    toolBar->addSeparator();
    toolBar->addAction(aSzotarNyit_);
    toolBar->addSeparator();
    toolBar->addAction(aNyelv1_);
    toolBar->addAction(aNyelv2_);
    toolBar->addSeparator();
    toolBar->addAction(aNevjegy_);
    toolBar->addSeparator();
    toolBar->addAction(aTalcara_);
    toolBar->addAction(aBezar_);
    addToolBar(toolBar);
}

void Tfrm_Main::buildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    tabs_->setDocumentMode(true);

    auto* searchPage = new QWidget(tabs_);
    searchPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Vertical, searchPage);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setChildrenCollapsible(false);
    editor_ = new QuickEditor(splitter_);
    editor_->setObjectName(QStringLiteral("SynEdit1"));
    results_ = new QuickResultPane(splitter_);
    results_->setObjectName(QStringLiteral("RichEdit1"));
    splitter_->addWidget(editor_);
    splitter_->addWidget(results_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({session_->settings().height, kResultPaneHeight});
    searchLayout->addWidget(splitter_);
    tabs_->addTab(searchPage, QStringLiteral("Keresés"));
    connect(editor_, &QuickEditor::stateChanged, this, &Tfrm_Main::onEditorStateChanged);

    auto* occurrencePage = new QWidget(tabs_);
    occurrencePage->setObjectName(QStringLiteral("TabSheet2"));
    auto* occurrenceLayout = new QVBoxLayout(occurrencePage);
    occurrenceLayout->setContentsMargins(4, 4, 0, 0);
    auto* label = new QLabel(QStringLiteral("Keresendő kifejezés (Enter, ha kész)"), occurrencePage);
    label->setObjectName(QStringLiteral("Label1"));
    occurrenceLayout->addWidget(label);
    expression_ = new QLineEdit(occurrencePage);
    expression_->setObjectName(QStringLiteral("Edit2"));
    occurrenceLayout->addWidget(expression_, 0, Qt::AlignLeft);
    occurrences_ = new QuickResultPane(occurrencePage);
    occurrences_->setObjectName(QStringLiteral("RichEdit2"));
    occurrenceLayout->addWidget(occurrences_, 1);
    tabs_->addTab(occurrencePage, QStringLiteral("Előfordulás"));
    connect(expression_, &QLineEdit::returnPressed, this, [this] {
        expression_->selectAll();
        runOccurrenceSearch();
    });
    setCentralWidget(tabs_);
}

void Tfrm_Main::start() {
    try {
        session_->connect();
    } catch (const store::StoreError& e) {
        // No catalogue, no data folder: the window opens with no dictionary.
        if (session_->database().isConnected() && !session_->database().tableExists(kCatalogueTable))
            showError(missingCatalogueText(session_->settings().dataFolder), this);
        else
            showStoreError(e, kCatalogueTable, this);
        return;
    }
    const int last = session_->settings().lastDict;
    if (last != -1) openDictionary(last);
}

bool Tfrm_Main::openDictionary(int id) {
    QuickFinderSession::OpenResult result;
    try {
        result = session_->openDictionary(id);
    } catch (const store::StoreError& e) {
        showStoreError(e, QString(), this);
        return false;
    }
    if (result == QuickFinderSession::OpenResult::Missing) return false;
    if (result != QuickFinderSession::OpenResult::Opened) {
        showError(kOnlyBilingualDictionaries, this);
        return false;
    }
    watch_->stop();
    showLanguageCommands(false);
    const TSzotarak& info = session_->dictionary();
    setWindowTitle(info.szotarak_nev);
    applySearchColumn(session_->searchColumn());
    aNyelv1_->setIcon(languageIcon(info.nyelv1ikon, info.nyelv1));
    aNyelv2_->setIcon(languageIcon(info.nyelv2ikon, info.nyelv2));
    watch_->start();
    showLanguageCommands(true);
    return true;
}

void Tfrm_Main::applySearchColumn(const QString& column) {
    session_->setSearchColumn(column);
    for (QAction* a : {aNyelv1_, aNyelv2_}) {
        const QString caption = session_->searchCommandCaption(a == aNyelv1_ ? kFirstLanguageColumn : kSecondLanguageColumn);
        a->setText(caption);
        a->setToolTip(caption);
        a->setStatusTip(caption);
    }
    (column == kFirstLanguageColumn ? aNyelv1_ : aNyelv2_)->setChecked(true);
}

void Tfrm_Main::showLanguageCommands(bool shown) {
    for (QAction* a : {aNyelv1_, aNyelv2_}) {
        a->setEnabled(shown);
        a->setVisible(shown);
    }
}

void Tfrm_Main::chooseDictionary() {
    int id = -1;
    try {
        id = pickQuickDictionary(*session_, this, -1);
    } catch (const store::StoreError& e) {
        showStoreError(e, kCatalogueTable, this);
        return;
    }
    if (id != -1) openDictionary(id);
}

void Tfrm_Main::setStayOnTop(bool on) {
    if (on == windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return;
    // Changing the flag makes a new native window: keep the place and show it again.
    const QPoint place = pos();
    const QSize size = this->size();
    const bool wasVisible = isVisible();
    placing_.start(kPlacementSettleMs);
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    move(place);
    resize(size);
    if (wasVisible) show();
}

void Tfrm_Main::onEditorStateChanged() {
    if (editor_->length() > 0) lookUpCaretWord();
    results_->scrollToStart();
}

void Tfrm_Main::lookUpCaretWord() {
    const QString word = wordAtCaret(editor_->caretLineText(), editor_->caretColumn());
    expression_->setText(word);
    const std::optional<LookupOutcome> outcome = session_->lookup().lookUp(word);
    if (!outcome) return;
    results_->clear();
    results_->addLine(outcome->word, true, kHeadlineColor);
    for (const QString& translation : outcome->translations) results_->addLine(kIndent + translation);
    if (!outcome->error.isEmpty()) showError(outcome->error, this);
}

void Tfrm_Main::bringInClipboardText(const QString& text) {
    editor_->setText(text);
    editor_->setFocus();
    // Two caret moves, as typing would make them; each is a state change of the editor. The
    // editor reports its own only when it repaints, which a minimised window does not.
    editor_->setCaretOffset(1);
    onEditorStateChanged();
    editor_->setCaretOffset(0);
    onEditorStateChanged();
}

void Tfrm_Main::runOccurrenceSearch() {
    if (tabs_->currentIndex() != 1) return;
    occurrences_->clear();
    // Without a dictionary there is no table to search.
    if (!session_->hasDictionary()) return;
    OccurrenceOutcome outcome;
    try {
        outcome = searchOccurrences(session_->database(), session_->dictionary().tablanev, session_->searchColumn(),
                                    expression_->text());
    } catch (const store::StoreError& e) {
        showStoreError(e, session_->dictionary().tablanev, this);
        return;
    }
    if (outcome.tooShort) {
        showError(kTooShortExpression, this);
        return;
    }
    for (const OccurrenceRow& row : outcome.rows) {
        if (row.matchStart < 0) {
            occurrences_->addLine(row.value);
        } else {
            occurrences_->addLine({PaneSegment{row.value.left(row.matchStart)},
                                   PaneSegment{row.value.mid(row.matchStart, row.matchLength), true},
                                   PaneSegment{row.value.mid(row.matchStart + row.matchLength)}});
        }
        occurrences_->addLine(kIndent + row.translation);
    }
    if (outcome.rows.empty())
        occurrences_->addLine(QStringLiteral("Nincs találat: „%1”").arg(expression_->text()), false, Qt::blue);
    occurrences_->scrollToStart();
}

void Tfrm_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placing_.start(kPlacementSettleMs);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (!options_.showSplash) return;
    // The splash frees itself when it has faded; its clock keeps no state, so one serves all.
    static TimerSplashClock splashClock;
    (new Tfrm_Logo(splashClock))->show();
}

void Tfrm_Main::closeEvent(QCloseEvent* event) {
    watch_->stop();
    session_->close(WindowBounds{x(), y(), width(), height()});
    if (!session_->saveError().isEmpty()) showError(kSettingsNotSaved + session_->saveError(), this);
    event->accept();
}

void Tfrm_Main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    expression_->setFixedWidth(std::max(40, width() - kExpressionBoxNarrowing));
}

void Tfrm_Main::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (isVisible() && !placing_.isActive()) snapTimer_.start(kSnapDelayMs);
}

void Tfrm_Main::snapToScreenEdges() {
    if (isMinimized() || isMaximized() || !screen()) return;
    const QRect frame = frameGeometry();
    const QPoint to = snappedToEdges(frame, screen()->availableGeometry());
    if (to != frame.topLeft()) move(to);
}

void Tfrm_Main::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && options_.checkClipboardOnActivation) watch_->check();
}

} // namespace verbalo::quickfinder
