#include "dictionaries/list_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/store/table.h"
#include "dictionaries/pair_grid.h"
#include "dictionaries/headword_editor.h"
#include "dictionaries/headword_list_model.h"
#include "dictionaries/list_window_widths.h"
#include "dictionaries/search_box_keys.h"
#include "exchange/list_import_window.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/list_text_writer.h"
#include "widgets/frame_services.h"
#include "common/table_layouts.h"
#include "printing/print_commands.h"
#include "widgets/icons.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

using namespace headword_widths;

const QString kHeadwordOrder = QStringLiteral("címszó");

// The memo shows a text with its line breaks; a line too long to lay out at once is shown
// in pieces, as the memo wraps it anyway.
QString memoText(const QVariant& value) {
    QString text = value.isNull() ? QString() : value.toString();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return breakLongLines(text);
}

} // namespace

Tfrm_Szotar2::Tfrm_Szotar2(FrameServices& frame, QWidget* parent)
    : DictionaryWindow(frame, parent), tbl_(std::make_unique<store::Table>(frame.database())), actions_(this) {
    setObjectName(QStringLiteral("frm_Szotar2"));
    setWindowTitle(QStringLiteral("Lista"));
    resize(764, 500);

    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("Edit1"));
    searchBox_->setMinimumWidth(220);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(searchBox_);
    bar->addWidget(makeSzotar2ToolBar(actions_, this), 1);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setChildrenCollapsible(false);
    listPanel_ = new QWidget(splitter_);
    listPanel_->setObjectName(QStringLiteral("Panel1"));
    listPanel_->setMinimumWidth(1);
    headwordGrid_ = new SearchBoxGrid(listPanel_);
    headwordGrid_->setObjectName(QStringLiteral("DBGrid1"));
    headwordGrid_->setMinimumWidth(1);
    configurePairGrid(headwordGrid_);
    model_ = new HeadwordListModel(this);
    model_->setFailureHandler([this](const store::StoreError& e) { showStoreFailure(e); });
    headwordGrid_->setModel(model_);
    auto* panelLayout = new QVBoxLayout(listPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(headwordGrid_);
    bodyView_ = new QPlainTextEdit(splitter_);
    bodyView_->setObjectName(QStringLiteral("DBMemo1"));
    bodyView_->setReadOnly(true);
    bodyView_->setMinimumWidth(1);
    bodyView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bodyView_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    splitter_->addWidget(listPanel_);
    splitter_->addWidget(bodyView_);
    splitter_->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(splitter_, 1);

    new SearchBoxKeys(searchBox_, headwordGrid_, true, [this](const QString& text) { searchAsTyped(text); });
    connect(searchBox_, &QLineEdit::textChanged, this, &Tfrm_Szotar2::searchAsTyped);
    connect(headwordGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Tfrm_Szotar2::gridRowChosen);
    connect(headwordGrid_, &QTableView::doubleClicked, this, [this] { editEntry(); });
    // The list is always ordered by headword: a title click only goes to the search box.
    connect(headwordGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { searchBox_->setFocus(Qt::ShortcutFocusReason); });
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        panelWidth_ = listPanel_->width();
        applySharedColumns();
    });
    connect(tbl_.get(), &store::Table::currentChanged, this, &Tfrm_Szotar2::followCurrentRecord);
    buildPopupMenu();
    connectActions();
    applyFontSize(this, frame_.settings().fontSize);
}

Tfrm_Szotar2::~Tfrm_Szotar2() = default;

void Tfrm_Szotar2::buildPopupMenu() {
    auto* menu = new QMenu(headwordGrid_);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    menu->addAction(actions_.aKeres);
    menu->addSeparator();
    menu->addAction(actions_.aUj);
    menu->addAction(actions_.aSzerkeszt);
    menu->addAction(actions_.aTorol);
    menu->addSeparator();
    // The frame's data sheet command carries Alt+Enter; the item only shows it.
    QAction* sheet = menu->addAction(QStringLiteral("Tulajdonságok\tAlt+Enter"), this, [this] { frame_.showDataSheet(); });
    sheet->setObjectName(QStringLiteral("miTulajdonsagok"));
    menu->addSeparator();
    menu->addAction(actions_.aBezar);
    headwordGrid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(headwordGrid_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& pos) { menu->popup(headwordGrid_->viewport()->mapToGlobal(pos)); });
}

void Tfrm_Szotar2::connectActions() {
    connect(actions_.aNezet, &QAction::triggered, this, &Tfrm_Szotar2::toggleFrameTopPanel);
    connect(actions_.aKeres, &QAction::triggered, this, [this] { searchBox_->setFocus(Qt::ShortcutFocusReason); });
    connect(actions_.aUj, &QAction::triggered, this, &Tfrm_Szotar2::newEntry);
    connect(actions_.aSzerkeszt, &QAction::triggered, this, &Tfrm_Szotar2::editEntry);
    connect(actions_.aTorol, &QAction::triggered, this, [this] { deleteCurrentRow(); });
    connect(actions_.aBezar, &QAction::triggered, this, &Tfrm_Szotar2::closeWindow);
}

store::Table* Tfrm_Szotar2::table() {
    return tbl_.get();
}

bool Tfrm_Szotar2::openDictionary(int id) {
    if (!readDictionaryForOpening(id)) return false;
    // The stored share holds until the window is next resized.
    laidOutWidth_ = width();
    setPanelWidth(panelWidthForShare(width(), info_.nyelv1szeles));

    tbl_->setTableName(info_.tablanev);
    tbl_->setIndexFieldNames(kFirstLanguageColumn);
    try {
        tbl_->open();
    } catch (const store::StoreError& e) {
        showOpenFailed(e);
        return false;
    }
    model_->setTable(tbl_.get());
    searchBox_->setFocus(Qt::OtherFocusReason);
    followCurrentRecord();
    return true;
}

void Tfrm_Szotar2::reloadDictionaryInfo() {
    rereadDictionaryInfo();
}

void Tfrm_Szotar2::showStatus(const QString& orderLanguage) {
    if (!tbl_->isOpen()) return;
    frame_.showDictionaryStatus(info_.szotarak_nev, positionText(), largeIcon_, orderLanguage);
}

void Tfrm_Szotar2::reportActive() {
    frame_.settings().lastDict = id_;
    showStatus(info_.sorrend == kFirstLanguageColumn ? info_.nyelv1 : info_.nyelv2);
}

void Tfrm_Szotar2::followCurrentRecord() {
    if (!tbl_->isOpen() || following_) return;
    following_ = true;
    QVariant text;
    try {
        selectRecordRow(headwordGrid_, *model_, tbl_->recNo(), RowReveal::Nearest);
        if (tbl_->state() == store::Table::State::Browse) text = tbl_->value(QStringLiteral("megjegyzes"));
    } catch (const store::StoreError& e) {
        bodyView_->setPlainText(QString());
        following_ = false;
        showStoreFailure(e);
        return;
    }
    bodyView_->setPlainText(memoText(text));
    following_ = false;
    showStatus(kHeadwordOrder);
}

void Tfrm_Szotar2::gridRowChosen(const QModelIndex& current) {
    if (following_ || !current.isValid()) return;
    moveToRow(current.row() + 1);
}

void Tfrm_Szotar2::searchAsTyped(const QString& text) {
    gotoTyped(text);
}

void Tfrm_Szotar2::setPanelWidth(int width) {
    const bool changed = width != panelWidth_;
    panelWidth_ = width;
    applyPanelWidth();
    if (changed) applySharedColumns();
}

void Tfrm_Szotar2::applyPanelWidth() {
    splitter_->setSizes({panelWidth_, std::max(1, splitter_->width() - panelWidth_ - splitter_->handleWidth())});
}

void Tfrm_Szotar2::applySharedColumns() {
    const ColumnWidths w = sharedColumns(panelWidth_);
    headwordGrid_->setColumnWidth(0, w.headword);
    headwordGrid_->setColumnWidth(1, w.text);
}

void Tfrm_Szotar2::applyEqualColumns() {
    const ColumnWidths w = equalColumns(panelWidth_);
    headwordGrid_->setColumnWidth(0, w.headword);
    headwordGrid_->setColumnWidth(1, w.text);
}

void Tfrm_Szotar2::resizeEvent(QResizeEvent* event) {
    DictionaryWindow::resizeEvent(event);
    if (width() == laidOutWidth_) {
        // Shown at the size it was opened with: the stored share stays.
        applyPanelWidth();
        return;
    }
    laidOutWidth_ = width();
    setPanelWidth(width() / 2);
    applyEqualColumns();
}

void Tfrm_Szotar2::saveShare() {
    if (id_ < 0) return;
    storePanelShare(frame_.database(), info_, listPanel_->width(), width(), this);
}

bool Tfrm_Szotar2::queryClose() {
    // The table stays open: another window may still refuse to close, and this one would then
    // go on showing its list.
    saveShare();
    return true;
}

void Tfrm_Szotar2::closeEvent(QCloseEvent* event) {
    if (!closed_ && id_ >= 0) {
        closed_ = true;
        saveShare();
        model_->setTable(nullptr);
        tbl_->close();
    }
    event->accept();
}

void Tfrm_Szotar2::importData() {
    if (!tbl_->isOpen()) return;
    Tfrm_ListaBetolt::run(frame_, *tbl_, info_, this);
    followCurrentRecord();
}

void Tfrm_Szotar2::printList() {
    if (tbl_ && tbl_->isOpen()) printHeadwordList(frame_, info_, *tbl_, this);
}

void Tfrm_Szotar2::exportData() {
    exportListText();
}

void Tfrm_Szotar2::exportListText() {
    QFileDialog dialog(this, QStringLiteral("Adatbázis export"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Szöveges állományok (*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    exportListTextTo(dialog.selectedFiles().constFirst());
}

void Tfrm_Szotar2::exportListTextTo(const QString& path) {
    if (!tbl_->isOpen()) return;
    try {
        const TextWriteResult written = writeListText(*tbl_, path);
        if (!written.ok) {
            showError(QStringLiteral("Hiba az állomány mentésekor:\r\n") + written.error, this);
            return;
        }
        tbl_->first();
    } catch (const store::StoreError& e) {
        showStoreError(e, info_.tablanev, this, QStringLiteral("Hiba az állomány mentésekor:"));
        return;
    }
    showInfo(QDir::toNativeSeparators(path) + QStringLiteral(" állomány mentése kész."), this);
}

void Tfrm_Szotar2::newEntry() {
    if (startNewRow()) runEditor();
}

void Tfrm_Szotar2::editEntry() {
    if (startEditingRow()) runEditor();
}

void Tfrm_Szotar2::runEditor() {
    editHeadword(*tbl_, headwordGrid_->font(), headwordGrid_->font(), frame_.ini(), frame_.settings().fontSize, this);
    followCurrentRecord();
}

} // namespace verbalo
