#include "internet/catalogue_list_window.h"

#include "common/messages.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "exchange/delimited_export_window.h"
#include "internet/list_table_model.h"
#include "internet/logic/catalogue_transfer.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTableView>

namespace verbalo {

CatalogueListWindow::CatalogueListWindow(FrameServices& frame, const ListArchive& list, QList<ListColumn> columns,
                                         QWidget* parent)
    : QWidget(parent), frame_(frame), list_(list) {
    setAttribute(Qt::WA_DeleteOnClose);
    model_ = new ListTableModel(std::move(columns), this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setHighlightSections(false);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) { orderByColumn(section); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CatalogueListWindow::followCursor);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->hide();
}

CatalogueListWindow::~CatalogueListWindow() = default;

store::Table* CatalogueListWindow::table() const {
    return table_ && table_->isOpen() ? table_.get() : nullptr;
}

bool CatalogueListWindow::openList(const QString& orderField) {
    auto table = std::make_unique<store::Table>(frame_.database());
    try {
        table->setTableName(list_.table);
        table->setIndexFieldNames(orderField);
        table->open();
    } catch (const store::StoreError& e) {
        model_->setTable(nullptr);
        showStoreError(e, list_.table, this);
        return false;
    }
    table_ = std::move(table);
    model_->setTable(table_.get());
    if (model_->rowCount() > 0) grid_->selectRow(0);
    currentRowChanged();
    return true;
}

void CatalogueListWindow::closeList() {
    model_->setTable(nullptr);
    table_.reset();
    currentRowChanged();
}

void CatalogueListWindow::showProgress(int minimum, int maximum) {
    progress_->setRange(minimum, maximum);
    progress_->show();
}

void CatalogueListWindow::setProgress(qint64 position) {
    progress_->setValue(int(std::clamp<qint64>(position, progress_->minimum(), progress_->maximum())));
}

void CatalogueListWindow::refreshList() {
    const QString order = table_ ? table_->indexFieldNames() : QString();
    closeList();
    CatalogueTransfer transfer(frame_.database(), frame_.folders().settingsFolder, {},
                               {[this](int lo, int hi) { showProgress(lo, hi); }, [this](qint64 at) { setProgress(at); }});
    const TransferOutcome outcome = transfer.refreshList(list_, frame_.settings().server);
    if (!reportOutcome(outcome, outcome.kind == TransferOutcome::Kind::UnpackFailed)) return;
    progress_->hide();
    if (openList(order.isEmpty() ? model_->column(0).orderField : order))
        showInfo(QStringLiteral("Lista frissítése kész."), this);
}

bool CatalogueListWindow::reportOutcome(const TransferOutcome& outcome, bool hideBarOnFailure) {
    if (outcome.ok()) return true;
    if (hideBarOnFailure) progress_->hide();
    showError(outcome.message(), this);
    return false;
}

void CatalogueListWindow::orderByColumn(int column) {
    const QString field = model_->column(column).orderField;
    if (field.isEmpty() || !table_) return;
    try {
        table_->setIndexFieldNames(field);
    } catch (const store::StoreError& e) {
        showStoreError(e, list_.table, this);
        return;
    }
    model_->setHighlightedColumn(column);
    model_->reload();
    const int row = table_->recNo() - 1;
    if (row >= 0) grid_->selectRow(row);
}

int CatalogueListWindow::currentRow() const {
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() : (model_->rowCount() > 0 ? 0 : -1);
}

void CatalogueListWindow::followCursor() {
    const int row = currentRow();
    if (table_ && row >= 0 && table_->recNo() != row + 1) {
        try {
            table_->setRecNo(row + 1);
        } catch (const store::StoreError& e) {
            showStoreError(e, list_.table, this);
        }
    }
    currentRowChanged();
}

void CatalogueListWindow::exportData() {
    if (table_ && table_->isOpen()) openDelimitedExport(frame_, *table_, {}, this);
}

void CatalogueListWindow::setTitle(const QString& text, const QString& programIcon) {
    titleText_ = text;
    const QString path = frame_.folders().programFolder + programIcon;
    titlePicture_ = QFile::exists(path) ? QIcon(path).pixmap(48, 48) : QPixmap();
}

void CatalogueListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The frame reports dictionary windows; this window says its own title when its
    // sub-window becomes the active one.
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (activationHooked_ || !sub || !sub->mdiArea()) return;
    activationHooked_ = true;
    connect(sub->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
        if (active == sub) frame_.showTitle(titleText_, titlePicture_);
    });
    if (sub->mdiArea()->activeSubWindow() == sub) frame_.showTitle(titleText_, titlePicture_);
}

} // namespace verbalo
