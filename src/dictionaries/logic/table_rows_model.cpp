#include "dictionaries/logic/table_rows_model.h"

#include "common/store/store_error.h"

#include <QTimer>

#include <algorithm>

namespace verbalo {

TableRowsModel::TableRowsModel(QObject* parent) : QAbstractTableModel(parent) {}

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
    target_ = currentCount();
    rows_ = static_cast<qint64>(target_) <= 2 * static_cast<qint64>(growthStep_) ? target_ : growthStep_;
    endResetModel();
    growTo(rows_);
}

void TableRowsModel::syncRowCount() {
    if (currentCount() != target_) reload();
}

void TableRowsModel::showRowsThrough(int row) {
    growTo(std::min(row + 1, target_));
}

void TableRowsModel::growTo(int rows) {
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    if (rows_ < target_ && !growthPlanned_) {
        growthPlanned_ = true;
        QTimer::singleShot(0, this, &TableRowsModel::growOneStep);
    }
}

void TableRowsModel::growOneStep() {
    growthPlanned_ = false;
    // A reload meanwhile starts the steps again from its own count.
    growTo(std::min(target_, rows_ + growthStep_));
}

int TableRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

} // namespace verbalo
