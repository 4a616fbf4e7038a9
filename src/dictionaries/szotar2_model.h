#pragma once

#include <QAbstractTableModel>
#include <QPointer>

namespace verbalo {

namespace store {
class Table;
}

// The preview of a headword's text in the list: its first 37 characters without surrounding
// blanks and control characters, followed by "..." (also after a short or empty text).
QString headwordTextPreview(const QVariant& text);

// The headword list as two grid columns over a table cursor: the headword ("címszó", on the
// sort colour) and the preview of its text ("leírás"). Rows are read only when the grid asks
// for them. The row count is kept until the cursor reports added or removed rows, or
// syncRowCount sees that another program changed it.
class HeadwordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HeadwordListModel(QObject* parent = nullptr);

    void setTable(store::Table* table);
    void reload();
    void syncRowCount();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int currentCount() const;

    QPointer<store::Table> table_;
    int headwordField_ = -1;
    int textField_ = -1;
    int rows_ = 0;
};

} // namespace verbalo
