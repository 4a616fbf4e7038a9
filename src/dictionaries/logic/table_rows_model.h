#pragma once

#include "common/store/table.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <functional>

namespace verbalo {

// Two grid columns over a table cursor, for the word lists of the dictionary windows. Rows are
// read only when the grid asks for them, so a long list costs no more than the rows on the
// screen. The row count is kept until the cursor reports added or removed rows, or
// syncRowCount sees that another program changed it. Subclasses say which fields the columns
// show and how a cell looks.
class TableRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The cursor shown; nullptr or a closed cursor shows no rows.
    void setTable(store::Table* table);
    store::Table* table() const { return table_; }
    // Starts again from the cursor's present rows (after it was opened, closed or reordered).
    void reload();
    // Reloads when the cursor's row count no longer matches the one shown.
    void syncRowCount();

    // Who is told when reading the table fails (the row count, a cell): once until the next
    // reload, after the painting or counting that met it, so that a failing table shows one
    // message rather than one per cell. Meanwhile the rows count as none and the cells as empty.
    void setFailureHandler(std::function<void(const store::StoreError&)> handler) { onFailure_ = std::move(handler); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

protected:
    // Looks up the fields the columns show; reload calls it before it counts the rows.
    virtual void readFields() = 0;
    bool tableIsOpen() const { return table_ && table_->isOpen(); }
    void reportFailure(const store::StoreError& error) const;

    QPointer<store::Table> table_;
    int rows_ = 0;

private:
    int currentCount() const;

    std::function<void(const store::StoreError&)> onFailure_;
    mutable bool failureReported_ = false;
};

} // namespace verbalo
