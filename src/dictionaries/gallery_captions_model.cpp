#include "dictionaries/gallery_captions_model.h"

#include "common/table_layouts.h"

#include "widgets/editing_dialog.h"

#include <QBrush>

namespace verbalo {

void GalleryCaptionsModel::readFields() {
    captionField_ = tableIsOpen() ? table_->fieldIndex(kFirstLanguageColumn) : -1;
}

QVariant GalleryCaptionsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || !tableIsOpen()) return QVariant();
    if (role == Qt::BackgroundRole) return QBrush(kSortColumnColor);
    if (role != Qt::DisplayRole) return QVariant();
    try {
        const QVariant caption = table_->valueAt(index.row(), captionField_);
        return caption.isNull() ? QString() : caption.toString();
    } catch (const store::StoreError& e) {
        // An empty cell; the window says it once.
        reportFailure(e);
        return QVariant();
    }
}

QVariant GalleryCaptionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QStringLiteral("címszó");
}

Qt::ItemFlags GalleryCaptionsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace verbalo
