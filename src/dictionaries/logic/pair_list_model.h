#pragma once

#include "common/store/table.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QString>

namespace verbalo {

// The word list of a bilingual dictionary as two grid columns over a table cursor: the first
// shows the order column on the sort colour, the second the other language. Rows are read only
// when the grid asks for them (the cursor reads a row by its id, nothing is scanned), so a list
// of a million pairs costs no more than the rows on the screen. The row count is kept until the
// cursor reports added or removed rows, or syncRowCount sees that another program changed it.
class PairListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PairListModel(QObject* parent = nullptr);

    // The cursor shown; nullptr or a closed cursor shows no rows.
    void setTable(store::Table* table);
    store::Table* table() const { return table_; }
    // Which column comes first, and the titles of the two grid columns.
    void setColumns(const QString& orderColumn, const QString& firstTitle, const QString& secondTitle);
    const QString& orderColumn() const { return orderColumn_; }
    // The field shown in a grid column ("nyelv1" or "nyelv2").
    QString fieldOfColumn(int column) const;
    // Starts again from the cursor's present rows (after it was opened, closed or reordered).
    void reload();
    // Reloads when the cursor's row count no longer matches the one shown.
    void syncRowCount();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int currentCount() const;
    void updateFields();

    QPointer<store::Table> table_;
    QString orderColumn_ = QStringLiteral("nyelv1");
    QString titles_[2];
    int fields_[2] = {-1, -1};
    int rows_ = 0;
};

} // namespace verbalo
