#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <functional>

namespace verbalo {

namespace store {
class Table;
}

// One grid column of a list window: the field it shows, its title, alignment, how the value
// reads (empty: as it is) and the field a title click orders by (empty: none).
struct ListColumn {
    QString field;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    std::function<QString(const QVariant&)> format;
    QString orderField;
};

// A read-only grid over a list table's cursor, rows read by position without moving it. The
// window gives the cell colours (the drawing rules of each list) through cellColours.
class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListTableModel(QList<ListColumn> columns, QObject* parent = nullptr);

    // Null while the list is closed (during a refresh): the grid is empty.
    void setTable(store::Table* table);
    store::Table* table() const { return table_; }
    // The cursor's rows changed, or what the colours depend on did.
    void reload();
    const ListColumn& column(int index) const { return columns_[index]; }
    // Painted in the sort-column colour.
    void setHighlightedColumn(int column);
    int highlightedColumn() const { return highlighted_; }
    // A field of any row; a null value for a closed list or an unknown field.
    QVariant fieldValue(int row, const QString& field) const;

    // Qt::BackgroundRole and Qt::ForegroundRole of a cell; an invalid value: the grid's own.
    std::function<QVariant(int row, int column, int role)> cellColours;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ListColumn> columns_;
    store::Table* table_ = nullptr;
    int rows_ = 0;
    int highlighted_ = -1;
};

} // namespace verbalo
