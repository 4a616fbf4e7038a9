#include "dictionaries/headword_list_model.h"

#include "common/table_layouts.h"

#include "common/store/store_error.h"
#include "common/store/table.h"
#include "exchange/logic/list_import.h"
#include "widgets/editing_dialog.h"

#include <QBrush>

namespace verbalo {

QString headwordTextPreview(const QVariant& text) {
    const QString whole = text.isNull() ? QString() : text.toString();
    return trimBlanksAndControls(QStringView(whole).left(37)).toString() + QStringLiteral("...");
}

HeadwordListModel::HeadwordListModel(QObject* parent) : TableRowsModel(parent) {}

void HeadwordListModel::readFields() {
    const bool open = tableIsOpen();
    headwordField_ = open ? table_->fieldIndex(kFirstLanguageColumn) : -1;
    textField_ = open ? table_->fieldIndex(QStringLiteral("megjegyzes")) : -1;
}

QVariant HeadwordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || !table_ || !table_->isOpen()) return QVariant();
    if (role == Qt::BackgroundRole) return index.column() == 0 ? QVariant(QBrush(kSortColumnColor)) : QVariant();
    if (role != Qt::DisplayRole) return QVariant();
    try {
        if (index.column() == 0) {
            const QVariant headword = table_->valueAt(index.row(), headwordField_);
            return headword.isNull() ? QString() : headword.toString();
        }
        QString preview = headwordTextPreview(table_->valueAt(index.row(), textField_));
        // A grid row is one line: each line break of the preview shows as one blank, a stored
        // CR LF included.
        preview.replace(QLatin1String("\r\n"), QLatin1String(" "));
        for (QChar& c : preview)
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
        return preview;
    } catch (const store::StoreError& e) {
        // An empty cell; the window says it once.
        reportFailure(e);
        return QVariant();
    }
}

QVariant HeadwordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("címszó") : QStringLiteral("leírás");
}

Qt::ItemFlags HeadwordListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace verbalo
