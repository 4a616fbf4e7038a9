#pragma once

#include "common/store/query.h"

#include <QAbstractTableModel>
#include <QVariant>

#include <vector>

namespace verbalo {

// The rows of an open query for a read-only grid, read from the query as the grid asks for
// them: a query of a million rows opens at once, and rows past those shown are read a chunk at
// a time when the grid scrolls towards them (canFetchMore / fetchMore). Once the query is read
// to its end it lets go of its files; until then it holds their read lock, as an open result
// does.
class QueryResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kChunkRows = 256;

    explicit QueryResultModel(QObject* parent = nullptr);

    // Takes the opened query and reads its first chunk. Throws StoreError when that read fails;
    // the model is then empty.
    void setResult(store::ResultSet result);
    void clear();
    bool isOpen() const { return open_; }
    // The columns as the query describes them.
    const std::vector<store::FieldDef>& fields() const { return fields_; }
    // The failure of a read past the first chunk; empty when there was none. The rows read
    // before it stay, and no more are read.
    const QString& readError() const { return readError_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // A read past the first chunk failed, with the store's message: a grid cannot hear a
    // throw from fetchMore.
    void readFailed(const QString& message);

private:
    // Reads up to count rows from the query into the model's rows.
    void readRows(int count);
    // Replaces the model's content inside one reset announcement.
    template <typename F>
    void reset(F&& change);

    store::ResultSet result_;
    std::vector<store::FieldDef> fields_;
    std::vector<std::vector<QVariant>> rows_;
    bool open_ = false;
    bool resetting_ = false; // views ask for more rows while a reset is being announced
    QString readError_;
};

} // namespace verbalo
