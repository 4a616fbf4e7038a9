#pragma once

#include "dictionaries/logic/table_rows_model.h"

namespace verbalo {

// The gallery's captions as one grid column "címszó" on the sort colour.
class GalleryCaptionsModel : public TableRowsModel {
    Q_OBJECT
public:
    using TableRowsModel::TableRowsModel;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    void readFields() override;

private:
    int captionField_ = -1;
};

} // namespace verbalo
