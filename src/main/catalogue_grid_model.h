#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

namespace verbalo {

namespace store {
class Table;
}

// The picker's grid over the catalogue cursor: name, first and second language, author. Rows
// are read by position from the cursor's order without moving it. A row whose table is not in
// the data folder is drawn greyed.
class CatalogueGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 4;
    // The catalogue column each grid column shows.
    static QString columnField(int column);

    // Colours of a row whose table is missing: its background when not selected, its text.
    struct MissingRowColours {
        QColor background;
        QColor text;
    };

    CatalogueGridModel(store::Table& table, QStringList existingTables, MissingRowColours missing, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Whether the row's table is missing from the data folder.
    bool isMissing(int row) const;
    // Painted in the sort-column colour; -1 for none.
    void setHighlightedColumn(int column);
    int highlightedColumn() const { return highlighted_; }

    // The cursor's rows were added, removed or reordered.
    void reload();
    // The data folder's tables as they are now (a dictionary was just made): its row is no
    // longer drawn as missing.
    void setExistingTables(QStringList tables) { existingTables_ = std::move(tables); }

private:
    store::Table& table_;
    QStringList existingTables_;
    MissingRowColours missing_;
    int highlighted_ = -1;
    int rows_ = 0;
};

} // namespace verbalo
