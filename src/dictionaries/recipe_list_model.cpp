#include "dictionaries/recipe_list_model.h"

#include "common/store/store_error.h"
#include "common/table_layouts.h"
#include "widgets/editing_dialog.h"

#include <QBrush>

namespace verbalo {

void RecipeListModel::readFields() {
    const bool open = tableIsOpen();
    categoryField_ = open ? table_->fieldIndex(kFirstLanguageColumn) : -1;
    dishField_ = open ? table_->fieldIndex(kSecondLanguageColumn) : -1;
}

QVariant RecipeListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || !tableIsOpen()) return QVariant();
    if (role == Qt::BackgroundRole) return index.column() == 0 ? QVariant(QBrush(kSortColumnColor)) : QVariant();
    if (role != Qt::DisplayRole) return QVariant();
    try {
        const QVariant value = table_->valueAt(index.row(), index.column() == 0 ? categoryField_ : dishField_);
        return value.isNull() ? QString() : value.toString();
    } catch (const store::StoreError& e) {
        // An empty cell; the window says it once.
        reportFailure(e);
        return QVariant();
    }
}

QVariant RecipeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("kategória") : QStringLiteral("finomság");
}

Qt::ItemFlags RecipeListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace verbalo
