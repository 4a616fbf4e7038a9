#include "dictionaries/logic/table_rows_model.h"

#include "common/store/store_error.h"

namespace verbalo {

void TableRowsModel::setTable(store::Table* table) {
    if (table_ != table) {
        if (table_) disconnect(table_, nullptr, this, nullptr);
        table_ = table;
        if (table_) connect(table_, &store::Table::rowsChanged, this, &TableRowsModel::reload);
    }
    reload();
}

int TableRowsModel::currentCount() const {
    if (!tableIsOpen()) return 0;
    try {
        return table_->recordCount();
    } catch (const store::StoreError& e) {
        reportFailure(e);
        return 0;
    }
}

void TableRowsModel::reportFailure(const store::StoreError& error) const {
    if (failureReported_ || !onFailure_) return;
    failureReported_ = true;
    auto* self = const_cast<TableRowsModel*>(this);
    QMetaObject::invokeMethod(
        self,
        [self, error] {
            if (self->onFailure_) self->onFailure_(error);
        },
        Qt::QueuedConnection);
}

void TableRowsModel::reload() {
    failureReported_ = false;
    beginResetModel();
    readFields();
    rows_ = currentCount();
    endResetModel();
}

void TableRowsModel::syncRowCount() {
    if (currentCount() != rows_) reload();
}

int TableRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

} // namespace verbalo
