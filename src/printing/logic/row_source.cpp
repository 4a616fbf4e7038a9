#include "printing/logic/row_source.h"

#include "common/store/table.h"
#include "common/store/table_values.h"

namespace verbalo::printing {

TableRows::TableRows(store::Table& table) : table_(table) {}

int TableRows::rowCount() {
    return table_.recordCount();
}

int TableRows::fieldOf(const QString& field) {
    auto it = fields_.constFind(field);
    if (it == fields_.constEnd()) it = fields_.insert(field, table_.fieldIndex(field));
    return *it;
}

QString TableRows::text(int row, const QString& field) {
    const int index = fieldOf(field);
    return index < 0 ? QString() : store::valueText(table_.valueAt(row, index));
}

QByteArray TableRows::bytes(int row, const QString& field) {
    const int index = fieldOf(field);
    return index < 0 ? QByteArray() : table_.valueAt(row, index).toByteArray();
}

} // namespace verbalo::printing
