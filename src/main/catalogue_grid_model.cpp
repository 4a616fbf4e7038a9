#include "main/catalogue_grid_model.h"

#include "common/store/store_error.h"
#include "common/store/table.h"
#include "widgets/editing_dialog.h"

namespace verbalo {

QString CatalogueGridModel::columnField(int column) {
    static const char* const fields[kColumnCount] = {"szotarak_nev", "nyelv1", "nyelv2", "szerzo"};
    return column >= 0 && column < kColumnCount ? QString::fromLatin1(fields[column]) : QString();
}

CatalogueGridModel::CatalogueGridModel(store::Table& table, QStringList existingTables, MissingRowColours missing,
                                       QObject* parent)
    : QAbstractTableModel(parent), table_(table), existingTables_(std::move(existingTables)), missing_(missing) {
    rows_ = table_.isOpen() ? table_.recordCount() : 0;
}

int CatalogueGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CatalogueGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

bool CatalogueGridModel::isMissing(int row) const {
    if (row < 0 || row >= rows_) return false;
    try {
        const QString name = table_.valueAt(row, table_.fieldIndex(QStringLiteral("tablanev"))).toString().trimmed();
        return !existingTables_.contains(name, Qt::CaseInsensitive);
    } catch (const store::StoreError&) {
        // Asked for every cell drawn: a box from here would come once per cell. The picker
        // reads the same row when it becomes current and says the failure there.
        return false;
    }
}

QVariant CatalogueGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= kColumnCount) return QVariant();
    switch (role) {
    case Qt::DisplayRole: try { return table_.valueAt(index.row(), table_.fieldIndex(columnField(index.column()))).toString();
        } catch (const store::StoreError&) {
            // An empty cell; said once by the picker when the row becomes current (see above).
            return QVariant();
        }
    case Qt::BackgroundRole:
        if (isMissing(index.row())) return missing_.background;
        if (index.column() == highlighted_) return kSortColumnColor;
        return QVariant();
    case Qt::ForegroundRole:
        if (isMissing(index.row())) return missing_.text;
        return QVariant();
    default: return QVariant();
    }
}

QVariant CatalogueGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[kColumnCount] = {"szótár neve", "első nyelv", "második nyelv", "szerző"};
    return section >= 0 && section < kColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

void CatalogueGridModel::setHighlightedColumn(int column) {
    highlighted_ = column;
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, kColumnCount - 1), {Qt::BackgroundRole});
}

void CatalogueGridModel::reload() {
    beginResetModel();
    rows_ = table_.isOpen() ? table_.recordCount() : 0;
    endResetModel();
}

} // namespace verbalo
