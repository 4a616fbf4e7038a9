#include "freesql/logic/query_result_model.h"

#include "exchange/logic/export_fields.h"

namespace verbalo {

QueryResultModel::QueryResultModel(QObject* parent) : QAbstractTableModel(parent) {}

template <typename F>
void QueryResultModel::reset(F&& change) {
    resetting_ = true;
    beginResetModel();
    result_.close();
    fields_.clear();
    rows_.clear();
    readError_.clear();
    open_ = false;
    try {
        change();
    } catch (...) {
        result_.close();
        fields_.clear();
        rows_.clear();
        open_ = false;
        endResetModel();
        resetting_ = false;
        throw;
    }
    endResetModel();
    resetting_ = false;
}

void QueryResultModel::setResult(store::ResultSet result) {
    reset([&] {
        result_ = std::move(result);
        fields_ = result_.fields();
        open_ = true;
        readRows(kChunkRows);
    });
}

void QueryResultModel::clear() {
    reset([] {});
}

void QueryResultModel::readRows(int count) {
    const int columns = static_cast<int>(fields_.size());
    for (int n = 0; n < count && !result_.eof(); ++n) {
        std::vector<QVariant> row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) row.push_back(result_.value(c));
        rows_.push_back(std::move(row));
        result_.next();
    }
}

int QueryResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int QueryResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant QueryResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return QVariant();
    const auto row = static_cast<size_t>(index.row());
    const auto column = static_cast<size_t>(index.column());
    if (row >= rows_.size() || column >= fields_.size()) return QVariant();
    const QVariant& value = rows_[row][column];
    // A memo may be stored as a blob; it is text all the same.
    if (fields_[column].kind == store::FieldKind::Memo && value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return fieldDisplayText(value, fields_[column].kind);
}

QVariant QueryResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && static_cast<size_t>(section) < fields_.size() ? fields_[static_cast<size_t>(section)].name
                                                                             : QVariant();
    return section + 1;
}

bool QueryResultModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && open_ && !resetting_ && !result_.eof() && readError_.isEmpty();
}

void QueryResultModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    // The rows read before a failure stay; the rest of the query is not read again.
    std::vector<std::vector<QVariant>> chunk;
    const int first = static_cast<int>(rows_.size());
    std::swap(chunk, rows_);
    try {
        readRows(kChunkRows);
    } catch (const store::StoreError& e) {
        readError_ = e.message();
    }
    std::swap(chunk, rows_);
    if (!chunk.empty()) {
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(chunk.size()) - 1);
        for (auto& row : chunk) rows_.push_back(std::move(row));
        endInsertRows();
    }
    if (!readError_.isEmpty()) emit readFailed(readError_);
}

} // namespace verbalo
