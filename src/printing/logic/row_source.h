#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace verbalo::store {
class Table;
}

// The rows a layout prints, read by position in the table's current order.
namespace verbalo::printing {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int rowCount() = 0;
    // "" for a field the table does not have, so a layout prints on a table that lacks a column.
    virtual QString text(int row, const QString& field) = 0;
    virtual QByteArray bytes(int row, const QString& field) = 0;
};

// An open table in its current order, from its first row. The table's current row does not move.
class TableRows : public RowSource {
public:
    explicit TableRows(store::Table& table);
    int rowCount() override;
    QString text(int row, const QString& field) override;
    QByteArray bytes(int row, const QString& field) override;

private:
    int fieldOf(const QString& field);

    store::Table& table_;
    QHash<QString, int> fields_;
};

} // namespace verbalo::printing
