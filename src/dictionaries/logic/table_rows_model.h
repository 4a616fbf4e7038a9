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
//
// A grid keeps an entry of its own for every row it is told of (its row header's sizes), some
// 50 instructions and 12 bytes a row, paid at once on every reload: 220 ms for ten million rows.
// A list of up to two growth steps is shown at once (a single reset costs less than two
// steps); a longer one a step at a time: the first at once, the rest from the event loop, so
// that the first rows paint and typing goes on meanwhile. A row asked for beyond what is shown
// (showRowsThrough) is added at once.
class TableRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kGrowthStep = 500000;

    explicit TableRowsModel(QObject* parent = nullptr);

    // The cursor shown; nullptr or a closed cursor shows no rows.
    void setTable(store::Table* table);
    store::Table* table() const { return table_; }
    // Starts again from the cursor's present rows (after it was opened, closed or reordered).
    void reload();
    // Reloads when the cursor's row count no longer matches the one shown.
    void syncRowCount();
    // Shows the rows up to `row` (0-based) when they are not shown yet.
    void showRowsThrough(int row);
    // Every row of the cursor is shown (the growth steps are done).
    bool allRowsShown() const { return rows_ == target_; }
    // Rows added in one step; tests make it small.
    void setGrowthStep(int rows) { growthStep_ = rows > 0 ? rows : kGrowthStep; }

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
    // Shows `rows` rows, up from those shown, and plans the next step while some are missing.
    void growTo(int rows);
    void growOneStep();

    // The cursor's row count the model follows; rows_ of them are shown so far.
    int target_ = 0;
    int growthStep_ = kGrowthStep;
    bool growthPlanned_ = false;

    std::function<void(const store::StoreError&)> onFailure_;
    mutable bool failureReported_ = false;
};

} // namespace verbalo
