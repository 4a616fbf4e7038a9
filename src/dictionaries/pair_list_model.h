#pragma once

#include "common/table_layouts.h"
#include "dictionaries/logic/table_rows_model.h"

#include <QString>

namespace verbalo {

// The word list of a bilingual dictionary as two grid columns over a table cursor: the first
// shows the order column on the sort colour, the second the other language. The cursor reads a
// row by its id, nothing is scanned, so a list of a million pairs stays quick.
class PairListModel : public TableRowsModel {
    Q_OBJECT
public:
    explicit PairListModel(QObject* parent = nullptr);

    // Which column comes first, and the titles of the two grid columns.
    void setColumns(const QString& orderColumn, const QString& firstTitle, const QString& secondTitle);
    const QString& orderColumn() const { return orderColumn_; }
    // The field shown in a grid column ("nyelv1" or "nyelv2").
    QString fieldOfColumn(int column) const;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    void readFields() override;

private:
    QString orderColumn_ = kFirstLanguageColumn;
    QString titles_[2];
    int fields_[2] = {-1, -1};
};

} // namespace verbalo
