// Tfrm_SQL: its commands, menus and tabs, and running the SQL text.
#include "freesql/sql_window.h"

#include "common/messages.h"
#include "common/store/database.h"
#include "exchange/logic/progress_pacer.h"
#include "freesql/logic/query_result_model.h"
#include "freesql/logic/sql_run.h"
#include "freesql/logic/sql_run_text.h"
#include "freesql/sql_editor.h"
#include "widgets/frame_services.h"
#include "widgets/window_commands.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>

namespace verbalo {

namespace {

constexpr int kDesignedWidth = 700;
constexpr int kDesignedHeight = 500;
constexpr int kResultColumnWidth = 64;

} // namespace

Tfrm_SQL::Tfrm_SQL(FrameServices& frame, QWidget* parent) : QMainWindow(parent), frame_(frame) {
    setObjectName(QStringLiteral("frm_SQL"));
    setWindowTitle(QStringLiteral("SQL lekérdezés"));
    setWindowFlag(Qt::Window);
    editor_ = new SqlEditor(this);
    model_ = new QueryResultModel(this);
    connect(model_, &QueryResultModel::readFailed, this,
            [this](const QString& message) { showError(QStringLiteral("SQL hiba:\r\n") + message, this); });
    buildCommands();
    setCentralWidget(buildTabs());
    buildMenusAndToolbar();
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->hide();
    statusBar()->addWidget(progress_, 1);
    statusBar()->setSizeGripEnabled(true);
    // The editor's own keys (Ctrl+N, Ctrl+O, …) come after the window's commands.
    giveCommandsPriority(this, [this] { return commands_; });
    resultOpenChanged();
}

Tfrm_SQL::~Tfrm_SQL() = default;

QAction* Tfrm_SQL::command(const QString& name) const {
    for (QAction* a : commands_)
        if (a->objectName() == name) return a;
    return nullptr;
}

void Tfrm_SQL::buildCommands() {
    const auto add = [this](const char* name, const QString& caption, const QString& hint, const QKeySequence& key,
                            QStyle::StandardPixmap picture, void (Tfrm_SQL::*slot)()) {
        QAction* a = makeWindowCommand(this, name, caption, hint, key, picture);
        connect(a, &QAction::triggered, this, slot);
        commands_ << a;
    };
    add("aUj", QStringLiteral("Új SQL file"), QStringLiteral("Új SQL"), QKeySequence(QStringLiteral("Ctrl+N")),
        QStyle::SP_FileIcon, &Tfrm_SQL::newText);
    add("aMegnyit", QStringLiteral("Megnyit"), QStringLiteral("SQL megnyitása"), QKeySequence(QStringLiteral("Ctrl+O")),
        QStyle::SP_DialogOpenButton, &Tfrm_SQL::chooseFileToOpen);
    add("aMent", QStringLiteral("Mentés"), QStringLiteral("SQL mentése"), QKeySequence(QStringLiteral("Ctrl+S")),
        QStyle::SP_DialogSaveButton, &Tfrm_SQL::chooseFileToSave);
    add("aExport", QStringLiteral("Export"), QStringLiteral("Export"), QKeySequence(QStringLiteral("Ctrl+E")),
        QStyle::SP_ArrowRight, &Tfrm_SQL::exportResult);
    add("aFuttat", QStringLiteral("Futtat"), QStringLiteral("SQL lekérdezés"), QKeySequence(Qt::Key_F5), QStyle::SP_MediaPlay,
        &Tfrm_SQL::run);
    QAction* closing = makeWindowCommand(this, "aBezar", QStringLiteral("Bezár"), QStringLiteral("Bezár"), QKeySequence(),
                                         QStyle::SP_DialogCloseButton);
    connect(closing, &QAction::triggered, this, &QWidget::close);
    commands_ << closing;
}

void Tfrm_SQL::buildMenusAndToolbar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Fájl"));
    file->addActions({command(QStringLiteral("aUj")), command(QStringLiteral("aMegnyit")), command(QStringLiteral("aMent"))});
    file->addSeparator();
    file->addAction(command(QStringLiteral("aExport")));
    file->addSeparator();
    file->addAction(command(QStringLiteral("aBezar")));
    menuBar()->addMenu(QStringLiteral("SQL"))->addAction(command(QStringLiteral("aFuttat")));

    QToolBar* bar = addToolBar(QStringLiteral("SQL"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->addActions({command(QStringLiteral("aUj")), command(QStringLiteral("aMegnyit")), command(QStringLiteral("aMent"))});
    bar->addSeparator();
    bar->addAction(command(QStringLiteral("aExport")));
    bar->addSeparator();
    bar->addAction(command(QStringLiteral("aFuttat")));
    bar->addSeparator();
    bar->addAction(command(QStringLiteral("aBezar")));

    editor_->setContextCommands({command(QStringLiteral("aFuttat")), nullptr, command(QStringLiteral("aUj")),
                                 command(QStringLiteral("aMegnyit")), command(QStringLiteral("aMent"))});
}

QWidget* Tfrm_SQL::buildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    tabs_->addTab(editor_, QStringLiteral("SQL"));
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid_->addAction(command(QStringLiteral("aExport")));
    tabs_->addTab(grid_, QStringLiteral("Eredmény"));
    return tabs_;
}

void Tfrm_SQL::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        restoreWindowBounds(frame_.ini(), this, kDesignedWidth, kDesignedHeight);
        applyFontSize(this, frame_.settings().fontSize);
        editor_->setTextPointSize(frame_.settings().fontSize + 2);
        editor_->setFocus();
    }
    QMainWindow::showEvent(event);
}

void Tfrm_SQL::closeEvent(QCloseEvent* event) {
    // A close in the middle of a statement list would leave it half run behind the user's back.
    if (running_) {
        event->ignore();
        return;
    }
    saveWindowBounds(frame_.ini(), this);
    closeResult();
    try {
        if (rollBackOpenTransaction(frame_.database()))
            showInfo(QStringLiteral("A BEGIN utáni, COMMIT nélkül maradt változások nem kerültek mentésre: a tranzakció "
                                    "visszavonva."),
                     this);
    } catch (const store::StoreError& e) {
        showError(QStringLiteral("SQL hiba:\r\n") + e.message(), this);
    }
    QMainWindow::closeEvent(event);
}

void Tfrm_SQL::run() {
    if (running_) return;
    closeResult();
    const QString text = editor_->hasSelectedText() ? editor_->selectedText() : editor_->text();
    if (runKindOf(text) == SqlRunKind::Query)
        runQuery(text);
    else
        runStatements(text);
}

void Tfrm_SQL::runQuery(const QString& text) {
    try {
        model_->setResult(openSqlQuery(frame_.database(), text));
    } catch (const store::StoreError& e) {
        resultOpenChanged();
        showError(QStringLiteral("SQL hiba:\r\n") + e.message(), this);
        return;
    }
    resultSql_ = text;
    resultOpenChanged();
    tabs_->setCurrentWidget(grid_);
    for (int c = 0; c < model_->columnCount(); ++c) grid_->setColumnWidth(c, kResultColumnWidth);
}

void Tfrm_SQL::runStatements(const QString& text) {
    const QStringList pieces = statementPieces(text);
    progress_->setRange(0, std::max<int>(1, static_cast<int>(pieces.size())));
    progress_->setValue(0);
    progress_->show();
    setRunning(true);
    ProgressPacer pacer;
    StatementRun statements(frame_.database());
    // The window repaints and answers between statements, but not after every one: a long
    // list would otherwise spend its time painting.
    statements.beforeEach = [&pacer](int) {
        if (pacer.due()) QCoreApplication::processEvents();
    };
    statements.afterEach = [this](int done) { progress_->setValue(done); };
    const StatementRunOutcome outcome = statements.run(pieces);
    setRunning(false);
    if (!outcome.ok) {
        showError(QStringLiteral("SQL hiba:\r\n") + outcome.error, this);
        return;
    }
    showInfo(QStringLiteral("SQL futtatás kész."), this);
    progress_->hide();
}

void Tfrm_SQL::setRunning(bool running) {
    running_ = running;
    command(QStringLiteral("aFuttat"))->setEnabled(!running);
    command(QStringLiteral("aBezar"))->setEnabled(!running);
}

void Tfrm_SQL::closeResult() {
    if (model_->isOpen()) model_->clear();
    resultSql_.clear();
    resultOpenChanged();
}

void Tfrm_SQL::resultOpenChanged() {
    command(QStringLiteral("aExport"))->setEnabled(model_->isOpen());
}

void Tfrm_SQL::newText() {
    editor_->clear();
}

void showFreeSqlWindow(FrameServices& frame, QWidget* owner) {
    QPointer<Tfrm_SQL> window = new Tfrm_SQL(frame, owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec(QEventLoop::DialogExec);
}

} // namespace verbalo
