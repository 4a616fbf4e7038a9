#include "dictionaries/pair_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/store/table.h"
#include "dictionaries/dictionarizing_tab.h"
#include "dictionaries/pair_editor.h"
#include "dictionaries/pair_list_model.h"
#include "dictionaries/logic/pair_view_settings.h"
#include "dictionaries/pair_grid.h"
#include "dictionaries/search_tab.h"
#include "dictionaries/text_editor.h"
#include "exchange/delimited_export_window.h"
#include "exchange/pair_import_window.h"
#include "printing/print_commands.h"
#include "widgets/frame_services.h"
#include "common/table_layouts.h"
#include "widgets/icons.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

// Characters typed into the grid that start a search: digits, a to z and the Hungarian
// accented letters, compared in lower case.
bool startsTypeAhead(QChar c) {
    static const QString accented = QStringLiteral("áéíóőöúűü");
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           accented.contains(c);
}

} // namespace

Tfrm_Szotar::Tfrm_Szotar(FrameServices& frame, QWidget* parent)
    : DictionaryWindow(frame, parent), tbl_(std::make_unique<store::Table>(frame.database())), actions_(this) {
    setObjectName(QStringLiteral("frm_Szotar"));
    resize(764, 500);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);

    buildWordListTab();
    dictionarizingTab_ = new DictionarizingTab(pages_);
    dictionarizingTab_->setObjectName(QStringLiteral("TabSheet2"));
    dictionarizingTab_->addToolBar(makeDictionarizingToolBar(actions_, dictionarizingTab_));
    dictionarizingTab_->setActions(&actions_);
    pages_->addTab(dictionarizingTab_, QStringLiteral("Szótárazás"));
    searchTab_ = new SearchTab(pages_);
    searchTab_->setObjectName(QStringLiteral("TabSheet3"));
    searchTab_->addToolBar(makeSearchToolBar(actions_, searchTab_));
    pages_->addTab(searchTab_, QStringLiteral("Kereső"));
    searchTab_->grid()->installEventFilter(this);

    pairModel_->setTable(tbl_.get());
    pairModel_->setFailureHandler([this](const store::StoreError& e) { showStoreFailure(e); });
    dictionarizingTab_->setDictionary(&frame_.database(), tbl_.get(), QString());
    searchTab_->setDictionary(&frame_.database(), tbl_.get(), QString());

    buildPopupMenu();
    connectActions();
    connect(tbl_.get(), &store::Table::currentChanged, this, &Tfrm_Szotar::followCurrentRecord);
    connect(pages_, &QTabWidget::currentChanged, this, &Tfrm_Szotar::tabChanged);
    connect(searchTab_, &SearchTab::orderRequested, this, [this](const QString& column) { setOrder(column); });
    applyFontSize(this, frame_.settings().fontSize);
}

Tfrm_Szotar::~Tfrm_Szotar() = default;

void Tfrm_Szotar::buildWordListTab() {
    auto* page = new QWidget(pages_);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(makeWordListToolBar(actions_, page));

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 6, 2);
    searchBox_ = new QLineEdit(page);
    searchBox_->setObjectName(QStringLiteral("Edit1"));
    searchBox_->setMinimumWidth(220);
    dictionaryNameLabel_ = new QLabel(page);
    dictionaryNameLabel_->setObjectName(QStringLiteral("Panel5"));
    dictionaryNameLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = dictionaryNameLabel_->font();
    bold.setBold(true);
    dictionaryNameLabel_->setFont(bold);
    bar->addWidget(searchBox_);
    bar->addWidget(dictionaryNameLabel_, 1);
    layout->addLayout(bar);

    wordGrid_ = new QTableView(page);
    wordGrid_->setObjectName(QStringLiteral("DBGrid1"));
    configurePairGrid(wordGrid_);
    pairModel_ = new PairListModel(this);
    wordGrid_->setModel(pairModel_);
    layout->addWidget(wordGrid_, 1);
    pages_->addTab(page, QStringLiteral("Szavak listája"));

    searchBox_->installEventFilter(this);
    wordGrid_->installEventFilter(this);
    connect(searchBox_, &QLineEdit::textChanged, this, &Tfrm_Szotar::searchAsTyped);
    connect(wordGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Tfrm_Szotar::gridRowChosen);
    connect(wordGrid_, &QTableView::doubleClicked, this, [this] { editPair(); });
    connect(wordGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const QString field = pairModel_->fieldOfColumn(section).toLower();
        if (!field.isEmpty()) setOrder(field);
        searchBox_->setFocus(Qt::ShortcutFocusReason);
    });
}

void Tfrm_Szotar::buildPopupMenu() {
    auto* menu = new QMenu(wordGrid_);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    menu->addAction(actions_.aNyelv1);
    menu->addAction(actions_.aNyelv2);
    menu->addSeparator();
    menu->addAction(actions_.aKeres);
    menu->addSeparator();
    // The frame's own data sheet command carries Alt+Enter; the item only shows it.
    QAction* sheet = menu->addAction(QStringLiteral("Adatlap\tAlt+Enter"), this, [this] { frame_.showDataSheet(); });
    sheet->setObjectName(QStringLiteral("miAdatlap"));
    sheet->setToolTip(QStringLiteral("Tulajdonságok"));
    menu->addSeparator();
    menu->addAction(actions_.aUj);
    menu->addAction(actions_.aSzerkeszt);
    menu->addAction(actions_.aTorol);
    menu->addSeparator();
    menu->addAction(actions_.aBezar);
    wordGrid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(wordGrid_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& pos) { menu->popup(wordGrid_->viewport()->mapToGlobal(pos)); });
}

void Tfrm_Szotar::connectActions() {
    connect(actions_.aNezet, &QAction::triggered, this, &Tfrm_Szotar::toggleFrameTopPanel);
    connect(actions_.aNyelv1, &QAction::triggered, this, [this] { setOrder(kFirstLanguageColumn); });
    connect(actions_.aNyelv2, &QAction::triggered, this, [this] { setOrder(kSecondLanguageColumn); });
    connect(actions_.aKeres, &QAction::triggered, this, [this] {
        // The box's text selected, also when the box has the focus already: what is typed next
        // replaces it.
        QLineEdit* box = isOnTab(0) ? searchBox_ : (isOnTab(2) ? searchTab_->edit() : nullptr);
        if (!box) return;
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    });
    connect(actions_.aUj, &QAction::triggered, this, &Tfrm_Szotar::newPair);
    connect(actions_.aSzerkeszt, &QAction::triggered, this, &Tfrm_Szotar::editPair);
    connect(actions_.aTorol, &QAction::triggered, this, &Tfrm_Szotar::deletePair);
    connect(actions_.aBezar, &QAction::triggered, this, &Tfrm_Szotar::closeWindow);
    connect(actions_.aUreslap, &QAction::triggered, this, [this] {
        if (isOnTab(1)) dictionarizingTab_->clearText();
    });
    connect(actions_.aMegnyit, &QAction::triggered, this, [this] {
        if (isOnTab(1)) dictionarizingTab_->openFile();
    });
    connect(actions_.aSzotaraz, &QAction::triggered, this, [this] {
        if (!isOnTab(0)) dictionarizingTab_->dictionarize();
    });
    connect(actions_.aElofordulas, &QAction::triggered, this, [this] {
        if (isOnTab(1)) dictionarizingTab_->searchCaretWordOccurrences();
    });
    connect(actions_.aMentes, &QAction::triggered, this, [this] {
        if (isOnTab(1)) dictionarizingTab_->saveFocused();
    });
}

bool Tfrm_Szotar::isOnTab(int tab) const {
    return pages_->currentIndex() == tab;
}

store::Table* Tfrm_Szotar::table() {
    return tbl_.get();
}

bool Tfrm_Szotar::openDictionary(int id) {
    if (!readDictionaryForOpening(id)) return false;

    // An order never stored means the first language. The stored order is set before the
    // table opens, so that a large table builds its order only once.
    const QString stored = info_.sorrend.isEmpty() ? kFirstLanguageColumn : info_.sorrend;
    tbl_->setTableName(info_.tablanev);
    tbl_->setIndexFieldNames(stored);
    {
        // Nothing reads the table while it opens: the grid and the status follow afterwards.
        const QSignalBlocker quiet(tbl_.get());
        try {
            tbl_->open();
        } catch (const store::StoreError&) {
            // Perhaps only the stored order lacks its index: open in key order and let setOrder say so.
            tbl_->setIndexFieldNames(QString());
            try {
                tbl_->open();
            } catch (const store::StoreError& e) {
                showOpenFailed(e);
                return false;
            }
        }
    }
    pairModel_->setTable(tbl_.get());
    dictionarizingTab_->setDictionary(&frame_.database(), tbl_.get(), info_.tablanev);
    searchTab_->setDictionary(&frame_.database(), tbl_.get(), info_.tablanev);
    searchTab_->setWholeTableStatement();

    // An order that cannot be applied is said once; the list then goes by the first language.
    if (!setOrder(stored) && !setOrder(kFirstLanguageColumn)) {
        order_ = kFirstLanguageColumn;
        arrangeColumns(true);
        applyColumnWidths();
    }

    const int tab = std::clamp(info_.ablak, 0, pages_->count() - 1);
    {
        const QSignalBlocker quiet(pages_);
        pages_->setCurrentIndex(tab);
    }
    focusFirstControl(tab);
    if (tab == 2) searchTab_->openList();

    actions_.aNyelv1->setIcon(iconFromBytes(info_.nyelv1ikon));
    actions_.aNyelv2->setIcon(iconFromBytes(info_.nyelv2ikon));
    dictionaryNameLabel_->setText(windowTitle());
    followCurrentRecord();
    return true;
}

QString Tfrm_Szotar::orderColumn() const {
    return order_ == kFirstLanguageColumn ? kFirstLanguageColumn : kSecondLanguageColumn;
}

bool Tfrm_Szotar::setOrder(const QString& column) {
    if (!tbl_->isOpen()) return false;
    if (tbl_->indexFieldNames() != column) {
        try {
            tbl_->setIndexFieldNames(column);
        } catch (const store::StoreError& e) {
            // No index on the column is the store's own refusal ("Index hiba"); the table
            // failing is said in full.
            if (e.kind() == store::StoreError::Kind::Other)
                showError(QStringLiteral("Index hiba"), this);
            else
                showStoreFailure(e);
            // The radio group has already moved its check; it goes back to the order in force.
            if (!order_.isEmpty()) (order_ == kFirstLanguageColumn ? actions_.aNyelv1 : actions_.aNyelv2)->setChecked(true);
            return false;
        }
    }
    order_ = column;
    info_.sorrend = column;
    arrangeColumns(column == kFirstLanguageColumn);
    applyColumnWidths();
    followCurrentRecord();
    return true;
}

void Tfrm_Szotar::arrangeColumns(bool firstLanguageFirst) {
    const QString by1 = info_.nyelv1 + QStringLiteral(" szerint");
    const QString by2 = info_.nyelv2 + QStringLiteral(" szerint");
    actions_.aNyelv1->setText(by1);
    actions_.aNyelv1->setToolTip(by1);
    actions_.aNyelv2->setText(by2);
    actions_.aNyelv2->setToolTip(by2);
    (firstLanguageFirst ? actions_.aNyelv1 : actions_.aNyelv2)->setChecked(true);
    const QString column = firstLanguageFirst ? kFirstLanguageColumn : kSecondLanguageColumn;
    const QString& firstTitle = firstLanguageFirst ? info_.nyelv1 : info_.nyelv2;
    const QString& secondTitle = firstLanguageFirst ? info_.nyelv2 : info_.nyelv1;
    pairModel_->setColumns(column, firstTitle, secondTitle);
    searchTab_->setColumns(column, firstTitle, secondTitle);
    dictionarizingTab_->setOrderColumn(column);
}

void Tfrm_Szotar::applyColumnWidths() {
    const bool first = order_ == kFirstLanguageColumn;
    const auto apply = [first, this](QTableView* grid, int usable) {
        const PairColumnWidths w = pairColumnWidths(usable, info_.nyelv1szeles, info_.nyelv2szeles);
        grid->setColumnWidth(first ? 0 : 1, std::max(0, w.nyelv1));
        grid->setColumnWidth(first ? 1 : 0, std::max(0, w.nyelv2));
    };
    apply(wordGrid_, width() - 64);
    apply(searchTab_->grid(), searchTab_->grid()->width() - 48);
}

void Tfrm_Szotar::saveViewSettings() {
    if (id_ < 0) return;
    const bool first = order_ == kFirstLanguageColumn;
    const std::optional<double> share =
        nyelv1ShareOf(wordGrid_->columnWidth(first ? 0 : 1), wordGrid_->columnWidth(first ? 1 : 0));
    if (share) {
        info_.nyelv1szeles = *share;
        info_.nyelv2szeles = 1.0 - *share;
    }
    try {
        verbalo::saveViewSettings(frame_.database(), id_, share, order_, pages_->currentIndex());
    } catch (const store::StoreError& e) {
        showStoreError(e, kCatalogueTable, this);
    }
}

void Tfrm_Szotar::reloadDictionaryInfo() {
    if (!rereadDictionaryInfo()) return;
    setOrder(info_.sorrend.isEmpty() ? kFirstLanguageColumn : info_.sorrend);
}

void Tfrm_Szotar::exportData() {
    if (tbl_ && tbl_->isOpen()) openDelimitedExport(frame_, *tbl_, {}, this);
}

// The record as the window shows it: ordered by its present column, not the one last saved.
void Tfrm_Szotar::printList() {
    if (!tbl_ || !tbl_->isOpen()) return;
    TSzotarak shown = info_;
    shown.sorrend = orderColumn();
    printBilingualList(frame_, shown, *tbl_, this);
}

bool Tfrm_Szotar::printDictionaryFormat(int columns) {
    if (!tbl_ || !tbl_->isOpen()) return true;
    TSzotarak shown = info_;
    shown.sorrend = orderColumn();
    verbalo::printDictionaryFormat(frame_, shown, *tbl_, columns, this);
    return true;
}

void Tfrm_Szotar::showStatus() {
    if (!tbl_->isOpen()) return;
    frame_.showDictionaryStatus(info_.szotarak_nev, positionText(), largeIcon_,
                                order_ == kFirstLanguageColumn ? info_.nyelv1 : info_.nyelv2);
}

void Tfrm_Szotar::reportActive() {
    frame_.settings().lastDict = id_;
    showStatus();
    dictionaryNameLabel_->setText(windowTitle());
}

void Tfrm_Szotar::followCurrentRecord() {
    if (!tbl_->isOpen() || following_) return;
    following_ = true;
    try {
        selectRecordRow(wordGrid_, *pairModel_, tbl_->recNo(), RowReveal::TopWhenOutside);
    } catch (const store::StoreError& e) {
        following_ = false;
        showStoreFailure(e);
        return;
    }
    following_ = false;
    showStatus();
}

void Tfrm_Szotar::gridRowChosen(const QModelIndex& current) {
    if (following_ || !current.isValid()) return;
    moveToRow(current.row() + 1);
}

void Tfrm_Szotar::searchAsTyped(const QString& text) {
    gotoTyped(text);
}

void Tfrm_Szotar::tabChanged(int index) {
    focusFirstControl(index);
    if (index == 2)
        searchTab_->reopenListIfTyped();
    else
        searchTab_->closeList();
}

void Tfrm_Szotar::focusFirstControl(int tab) {
    if (tab == 0)
        searchBox_->setFocus(Qt::ShortcutFocusReason);
    else if (tab == 1)
        dictionarizingTab_->editor()->setFocus(Qt::ShortcutFocusReason);
    else
        searchTab_->edit()->setFocus(Qt::ShortcutFocusReason);
}

void Tfrm_Szotar::newPair() {
    if (isOnTab(0) && startNewRow()) runEditor();
}

void Tfrm_Szotar::editPair() {
    if (isOnTab(0) && startEditingRow()) runEditor();
}

void Tfrm_Szotar::runEditor() {
    const QString order = orderColumn();
    editWordPair(*tbl_, order, otherLanguageColumn(order), info_.nyelv1, info_.nyelv2, wordGrid_->font(), wordGrid_->font(),
                 frame_.ini(), frame_.settings().fontSize, this);
    followCurrentRecord();
}

void Tfrm_Szotar::importData() {
    if (!tbl_->isOpen()) return;
    Tfrm_SzotarBetolt::run(frame_, *tbl_, info_, this);
    pairModel_->reload();
    followCurrentRecord();
}

void Tfrm_Szotar::deletePair() {
    if (isOnTab(0)) deleteCurrentRow();
}

bool Tfrm_Szotar::queryClose() {
    // The table stays open: another window may still refuse to close, and this one would
    // then go on showing its list.
    saveViewSettings();
    return true;
}

void Tfrm_Szotar::closeEvent(QCloseEvent* event) {
    if (!closed_ && id_ >= 0) {
        closed_ = true;
        saveViewSettings();
        searchTab_->closeList();
        pairModel_->setTable(nullptr);
        tbl_->close();
        try {
            runStatement(frame_.database(), closingUpdateStatement(order_, pages_->currentIndex(), id_));
        } catch (const store::StoreError& e) {
            showStoreError(e, kCatalogueTable, this);
        }
    }
    event->accept();
}

void Tfrm_Szotar::resizeEvent(QResizeEvent* event) {
    DictionaryWindow::resizeEvent(event);
    for (const char* name : {"ToolBar1", "ToolBar2", "ToolBar3"})
        if (auto* bar = findChild<QToolBar*>(QLatin1String(name))) fitToolBar(bar, actions_, width());
    applyColumnWidths();
}

void Tfrm_Szotar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        for (QTableView* grid : {wordGrid_, searchTab_->grid()})
            grid->verticalHeader()->setDefaultSectionSize(pairGridRowHeight(grid));
    }
    DictionaryWindow::changeEvent(event);
}

bool Tfrm_Szotar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchBox_) {
        if (event->type() == QEvent::FocusIn) {
            // Entering the box selects its text; a letter typed into the grid comes without
            // a reason and keeps its caret after the letter.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::OtherFocusReason)
                QTimer::singleShot(0, searchBox_, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                searchBox_->selectAll();
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                wordGrid_->setFocus();
                return true;
            }
        }
    } else if (watched == wordGrid_ && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text().toLower();
        if (typed.size() == 1 && startsTypeAhead(typed.at(0))) {
            searchBox_->setFocus(Qt::OtherFocusReason);
            // The same letter again searches again: the box holds it already, and the row
            // chosen since is left for the letter's nearest key.
            if (searchBox_->text() == typed)
                searchAsTyped(typed);
            else
                searchBox_->setText(typed);
            searchBox_->setCursorPosition(1);
            searchBox_->deselect();
            return true;
        }
    } else if (watched == searchTab_->grid() && event->type() == QEvent::Resize) {
        const bool first = order_ == kFirstLanguageColumn;
        QTableView* grid = searchTab_->grid();
        const PairColumnWidths w = pairColumnWidths(grid->width() - 48, info_.nyelv1szeles, info_.nyelv2szeles);
        grid->setColumnWidth(first ? 0 : 1, std::max(0, w.nyelv1));
        grid->setColumnWidth(first ? 1 : 0, std::max(0, w.nyelv2));
    }
    return DictionaryWindow::eventFilter(watched, event);
}

} // namespace verbalo
