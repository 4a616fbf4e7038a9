#pragma once

#include "dictionaries/logic/table_rows_model.h"

namespace verbalo {

// The preview of a headword's text in the list: its first 37 characters without surrounding
// blanks and control characters, followed by "..." (also after a short or empty text).
QString headwordTextPreview(const QVariant& text);

// The headword list as two grid columns over a table cursor: the headword ("címszó", on the
// sort colour) and the preview of its text ("leírás").
class HeadwordListModel : public TableRowsModel {
    Q_OBJECT
public:
    explicit HeadwordListModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    void readFields() override;

private:
    int headwordField_ = -1;
    int textField_ = -1;
};

} // namespace verbalo
