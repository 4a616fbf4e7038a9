#include "internet/list_table_model.h"

#include "common/store/store_error.h"
#include "common/store/table.h"
#include "widgets/editing_dialog.h"

#include <QBrush>

namespace verbalo {

ListTableModel::ListTableModel(QList<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void ListTableModel::setTable(store::Table* table) {
    table_ = table;
    reload();
}

void ListTableModel::reload() {
    beginResetModel();
    rows_ = table_ && table_->isOpen() ? table_->recordCount() : 0;
    endResetModel();
}

void ListTableModel::setHighlightedColumn(int column) {
    highlighted_ = column;
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1), {Qt::BackgroundRole});
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QVariant ListTableModel::fieldValue(int row, const QString& field) const {
    if (!table_ || !table_->isOpen() || row < 0 || row >= rows_) return QVariant();
    const int at = table_->fieldIndex(field);
    if (at < 0) return QVariant();
    try {
        return table_->valueAt(row, at);
    } catch (const store::StoreError&) {
        // The other program replaced the list under the grid: an empty cell, not a crash in
        // painting; the next refresh or opening reads it anew.
        return QVariant();
    }
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return QVariant();
    const ListColumn& c = columns_[index.column()];
    switch (role) {
    case Qt::DisplayRole: {
        const QVariant value = fieldValue(index.row(), c.field);
        return c.format ? c.format(value) : value;
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(c.alignment);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        const QVariant own = cellColours ? cellColours(index.row(), index.column(), role) : QVariant();
        if (own.isValid()) return own;
        if (role == Qt::BackgroundRole && index.column() == highlighted_) return QBrush(kSortColumnColor);
        return QVariant();
    }
    default: return QVariant();
    }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) return QVariant();
    if (role == Qt::DisplayRole) return columns_[section].title;
    return QVariant();
}

} // namespace verbalo
