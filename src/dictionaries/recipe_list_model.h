#pragma once

#include "dictionaries/logic/table_rows_model.h"

namespace verbalo {

// The recipe list as two grid columns over a table cursor: the category ("kategória", on the
// sort colour) and the dish ("finomság").
class RecipeListModel : public TableRowsModel {
    Q_OBJECT
public:
    using TableRowsModel::TableRowsModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    void readFields() override;

private:
    int categoryField_ = -1;
    int dishField_ = -1;
};

} // namespace verbalo
