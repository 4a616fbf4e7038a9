#include "dictionaries/pair_list_model.h"

#include "common/catalogue.h"
#include "common/store/table.h"
#include "common/store/table_values.h"
#include "common/text_routines.h"

#include <QColor>

namespace verbalo {

PairListModel::PairListModel(QObject* parent) : TableRowsModel(parent) {}

void PairListModel::setColumns(const QString& orderColumn, const QString& firstTitle, const QString& secondTitle) {
    orderColumn_ = orderColumn;
    titles_[0] = firstTitle;
    titles_[1] = secondTitle;
    readFields();
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, 1));
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

QString PairListModel::fieldOfColumn(int column) const {
    if (column == 0) return orderColumn_;
    if (column == 1) return otherLanguageColumn(orderColumn_);
    return QString();
}

void PairListModel::readFields() {
    for (int c = 0; c < 2; ++c) fields_[c] = tableIsOpen() ? table_->fieldIndex(fieldOfColumn(c)) : -1;
}

QVariant PairListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() > 1) return QVariant();
    if (role == Qt::BackgroundRole && index.column() == 0) {
        const RgbColor c = sortColumnColor();
        return QColor(c.red, c.green, c.blue);
    }
    if (role != Qt::DisplayRole) return QVariant();
    const int field = fields_[index.column()];
    if (!table_ || field < 0) return QVariant();
    try {
        return store::valueText(table_->valueAt(index.row(), field));
    } catch (const store::StoreError& e) {
        // A table file that went away while shown: an empty cell, the window goes on and says
        // it once.
        reportFailure(e);
        return QVariant();
    }
}

QVariant PairListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2) return titles_[section];
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
    return QVariant();
}

Qt::ItemFlags PairListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace verbalo
