#include "main/catalogue_picker.h"

#include "common/messages.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/text_routines.h"
#include "main/catalogue_grid_model.h"
#include "main/logic/catalogue_editing.h"
#include "main/properties_window.h"
#include "widgets/icons.h"
#include "common/table_layouts.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

constexpr int kDesignedWidth = 600;
constexpr int kDesignedHeight = 420;

// A selected row whose table is missing is drawn grey instead of in the highlight colour.
class MissingRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* model = qobject_cast<const CatalogueGridModel*>(index.model());
        if (model && (option->state & QStyle::State_Selected) && model->isMissing(index.row())) {
            option->palette.setColor(QPalette::Highlight, QColor(128, 128, 128));
            option->palette.setColor(QPalette::HighlightedText, Qt::white);
        }
    }
};

CatalogueGridModel::MissingRowColours missingColours(PickerMode mode) {
    if (mode == PickerMode::MainProgram) return {QColor(233, 233, 233), QColor(128, 128, 128)};
    const QColor face = QApplication::palette().color(QPalette::Button);
    const RgbColor light = lightenColor(RgbColor{face.red(), face.green(), face.blue()}, 15);
    return {QColor(light.red, light.green, light.blue), QColor(192, 192, 192)};
}

QAction* makeAction(QObject* parent, const char* name, const char* caption, const char* hint, const QList<QKeySequence>& keys) {
    auto* a = new QAction(QString::fromUtf8(caption), parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(QString::fromUtf8(hint));
    a->setStatusTip(QString::fromUtf8(hint));
    a->setShortcuts(keys);
    return a;
}

} // namespace

Tfrm_TorzsSzotar::Tfrm_TorzsSzotar(PickerContext& context, QWidget* parent)
    : QDialog(parent), context_(context), table_(std::make_unique<store::Table>(context.db)) {
    setObjectName(QStringLiteral("frm_TorzsSzotar"));
    setWindowTitle(QStringLiteral("Szótár állományok"));
    buildUi();
    buildActions();
}

Tfrm_TorzsSzotar::~Tfrm_TorzsSzotar() = default;

store::Table& Tfrm_TorzsSzotar::table() {
    return *table_;
}

void Tfrm_TorzsSzotar::buildUi() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("ToolBar1"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(toolbar_);

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Panel1"));
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(6, 4, 6, 4);
    header_ =
        new QLabel(context_.mode == PickerMode::MainProgram ? QStringLiteral("Szótárak  ") : QStringLiteral("Szótárak"), strip);
    header_->setObjectName(QStringLiteral("Label1"));
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    search_ = new QLineEdit(strip);
    search_->setObjectName(QStringLiteral("Edit1"));
    stripLayout->addWidget(header_);
    stripLayout->addWidget(search_, 1);
    layout->addWidget(strip);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setItemDelegate(new MissingRowDelegate(grid_));
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    body->addWidget(grid_, 1);

    auto* side = new QVBoxLayout;
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("Image1"));
    icon_->setFixedSize(48, 48);
    icon_->setAlignment(Qt::AlignCenter);
    note_ = new QPlainTextEdit(this);
    note_->setObjectName(QStringLiteral("DBMemo1"));
    note_->setReadOnly(true);
    // The note is there to be read; Tab goes past it between the search box and the grid.
    note_->setFocusPolicy(Qt::ClickFocus);
    note_->setFixedWidth(150);
    side->addWidget(icon_, 0, Qt::AlignHCenter);
    side->addWidget(note_, 1);
    body->addLayout(side);
    layout->addLayout(body, 1);

    connect(search_, &QLineEdit::textChanged, this, &Tfrm_TorzsSzotar::searchChanged);
    search_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, [this] { accept(); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &Tfrm_TorzsSzotar::sortByColumn);
    resize(kDesignedWidth, kDesignedHeight);
}

void Tfrm_TorzsSzotar::buildActions() {
    const bool main = context_.mode == PickerMode::MainProgram;
    if (main) {
        QAction* aUj = makeAction(this, "aUj", "Új szótár", "Új szótár", {QKeySequence(Qt::Key_Insert)});
        QAction* aSzerkeszt = makeAction(this, "aSzerkeszt", "Szerkeszt", "Szerkeszt", {QKeySequence(Qt::Key_F2)});
        QAction* aTorol = makeAction(this, "aTorol", "Töröl", "Töröl", {QKeySequence(Qt::CTRL | Qt::Key_Delete)});
        connect(aUj, &QAction::triggered, this, &Tfrm_TorzsSzotar::newDictionary);
        connect(aSzerkeszt, &QAction::triggered, this, &Tfrm_TorzsSzotar::editDictionary);
        connect(aTorol, &QAction::triggered, this, &Tfrm_TorzsSzotar::deleteDictionary);
        toolbar_->addAction(aUj);
        toolbar_->addAction(aSzerkeszt);
        toolbar_->addAction(aTorol);
        toolbar_->addSeparator();
    }
    QAction* aElfogad =
        makeAction(this, "aElfogad", "Megnyit", "Elfogad", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    QAction* aBezar = makeAction(this, "aBezar", "Bezár", "Bezár", {QKeySequence(Qt::Key_Escape)});
    connect(aElfogad, &QAction::triggered, this, [this] { accept(); });
    connect(aBezar, &QAction::triggered, this, [this] { reject(); });
    toolbar_->addAction(aElfogad);
    toolbar_->addAction(aBezar);
    grid_->addAction(aElfogad);
    grid_->addAction(aBezar);
    // The toolbar's actions carry the dialog's shortcuts wherever the focus is inside it.
    for (QAction* a : toolbar_->actions()) a->setShortcutContext(Qt::WindowShortcut);
}

void Tfrm_TorzsSzotar::openCatalogue(int currentId) {
    existingTables_ = context_.db.tableNames();
    openCatalogueByName(context_.db, *table_, context_.mode == PickerMode::MainProgram);
    if (!model_) {
        model_ = new CatalogueGridModel(*table_, existingTables_, missingColours(context_.mode), this);
        grid_->setModel(model_);
        connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& index) {
            if (index.isValid() && index.row() + 1 != table_->recNo()) table_->setRecNo(index.row() + 1);
        });
        connect(table_.get(), &store::Table::currentChanged, this, &Tfrm_TorzsSzotar::currentRowChanged);
        connect(table_.get(), &store::Table::rowsChanged, this, [this] {
            model_->reload();
            currentRowChanged();
        });
    } else {
        model_->setExistingTables(existingTables_);
        model_->reload();
    }
    if (!table_->locate(QStringLiteral("szotarak"), currentId)) table_->first();
    currentRowChanged();
    fitColumns();
}

int Tfrm_TorzsSzotar::currentId() const {
    if (!table_->isOpen() || table_->recordCount() == 0) return 0;
    try {
        return static_cast<int>(table_->integer(QStringLiteral("szotarak")));
    } catch (const store::StoreError&) {
        // Asked while the list is drawn and when it closes: a row that cannot be read is no
        // row to open; reading it failed visibly where the row was made current.
        return 0;
    }
}

void Tfrm_TorzsSzotar::currentRowChanged() {
    if (!model_) return;
    const int row = table_->recNo() - 1;
    if (row >= 0 && grid_->currentIndex().row() != row) {
        const QModelIndex index = model_->index(row, std::max(0, grid_->currentIndex().column()));
        grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grid_->scrollTo(index);
    }
    // The icon and note follow the current row; a row that cannot be read shows nothing.
    QPixmap picture;
    QString note;
    if (row >= 0) {
        try {
            picture = pixmapFromIconBytes(table_->blob(QStringLiteral("ikon_nagy")), 48);
            note = table_->text(QStringLiteral("megjegyzes"));
        } catch (const store::StoreError& e) {
            showStoreError(e, kCatalogueTable, this);
        }
    }
    icon_->setPixmap(picture);
    note_->setPlainText(note);
}

void Tfrm_TorzsSzotar::searchChanged(const QString& text) {
    if (!table_->isOpen() || text.isEmpty()) return;
    const QString column = table_->indexFieldNames().section(QLatin1Char(';'), 0, 0);
    try {
        table_->locate(column.isEmpty() ? QStringLiteral("szotarak_nev") : column, text, store::LocateOptions{true, true});
    } catch (const store::StoreError& e) {
        // A search that cannot run (no index on the column, the store's own refusal) leaves
        // the current row where it is; the catalogue failing is said.
        if (e.kind() != store::StoreError::Kind::Other) showStoreError(e, kCatalogueTable, this);
    }
}

void Tfrm_TorzsSzotar::sortByColumn(int column) {
    const QString field = CatalogueGridModel::columnField(column);
    if (field.isEmpty() || !table_->isOpen()) return;
    const int id = currentId();
    try {
        table_->setIndexFieldNames(field);
        sortColumn_ = column;
    } catch (const store::StoreError& e) {
        // Ordering needs an index on the column; without one the list keeps its order.
        showError(QStringLiteral("Index hiba: ") + e.message(), this);
    }
    model_->reload();
    table_->locate(QStringLiteral("szotarak"), id);
    currentRowChanged();
    model_->setHighlightedColumn(sortColumn_);
    search_->setFocus();
}

void Tfrm_TorzsSzotar::fitColumns() {
    if (!model_) return;
    const int width = grid_->width() - 40;
    static const double shares[CatalogueGridModel::kColumnCount] = {0.45, 0.15, 0.15, 0.25};
    int widths[CatalogueGridModel::kColumnCount];
    int extra = 0;
    for (int c = 0; c < CatalogueGridModel::kColumnCount; ++c) {
        widths[c] = std::max(10, int(width * shares[c]));
        if (c == 0) continue;
        // The title with the header's margins and the sort mark's room.
        const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int needed = grid_->horizontalHeader()->fontMetrics().horizontalAdvance(title) + 16;
        if (widths[c] < needed) {
            extra += needed - widths[c];
            widths[c] = needed;
        }
    }
    widths[0] = std::max(std::min(widths[0], 60), widths[0] - extra);
    for (int c = 0; c < CatalogueGridModel::kColumnCount; ++c) grid_->setColumnWidth(c, widths[c]);
}

void Tfrm_TorzsSzotar::newDictionary() {
    const int id = editDictionaryProperties(context_, -1);
    // The new dictionary is in the list at once, as the current row.
    if (id > 0) openCatalogue(id);
}

void Tfrm_TorzsSzotar::editDictionary() {
    const int id = currentId();
    if (id <= 0) return;
    if (editDictionaryProperties(context_, id) > 0)
        openCatalogue(id);
    else {
        table_->locate(QStringLiteral("szotarak"), id);
        currentRowChanged();
    }
}

void Tfrm_TorzsSzotar::deleteDictionary() {
    if (currentId() <= 0) return;
    if (!askYesNo(QStringLiteral("Valóban töröljem a szótárat?"), QStringLiteral("Megerősítés"), this)) return;
    const QString tableName = table_->text(QStringLiteral("tablanev"));
    table_->remove();
    if (askYesNo(QStringLiteral("Töröljem a szótár állományt is? (") + tableName + QStringLiteral(")"),
                 QStringLiteral("Megerősítés"), this) &&
        !dropDictionaryTable(context_.db, tableName))
        showError(QStringLiteral("A szótár állománya (%1.DB) nem törölhető: foglalt, vagy nincs jog az adatmappához. A szótár "
                                 "kikerült a listából, "
                                 "az állomány megmaradt.")
                      .arg(store::Database::stripExtension(tableName)),
                  this);
}

void Tfrm_TorzsSzotar::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, context_.mode == PickerMode::MainProgram ? context_.fontSize : 9);
        restoreWindowBounds(context_.ini, this, kDesignedWidth, kDesignedHeight);
    }
    QDialog::setVisible(visible);
}

void Tfrm_TorzsSzotar::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    const bool main = context_.mode == PickerMode::MainProgram;
    if (model_) model_->setHighlightedColumn(main ? sortColumn_ : -1);
    search_->setFocus();
    fitColumns();
}

void Tfrm_TorzsSzotar::done(int result) {
    saveWindowBounds(context_.ini, this);
    QDialog::done(result);
}

void Tfrm_TorzsSzotar::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fitColumns();
}

bool Tfrm_TorzsSzotar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_) {
        if (event->type() == QEvent::FocusIn) QTimer::singleShot(0, search_, &QLineEdit::selectAll);
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
            grid_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int pickDictionary(PickerContext& context, int currentId) {
    Tfrm_TorzsSzotar picker(context, context.owner);
    picker.openCatalogue(currentId);
    if (picker.exec() != QDialog::Accepted) return -1;
    return picker.currentId();
}

} // namespace verbalo
