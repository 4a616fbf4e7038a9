#include "dictionaries/list_window_widths.h"

#include "common/store/store_error.h"
#include "common/table_layouts.h"
#include "common/text_routines.h"
#include "widgets/store_messages.h"

#include <QWidget>

#include <algorithm>

namespace verbalo::headword_widths {

int panelWidthForShare(int windowWidth, double share) {
    return std::max(0, roundHalfEven(windowWidth * share));
}

ColumnWidths sharedColumns(int gridWidth) {
    return ColumnWidths{std::max(0, roundHalfEven((gridWidth - 44) * 0.33)), std::max(0, roundHalfEven((gridWidth - 44) * 0.67))};
}

ColumnWidths equalColumns(int gridWidth) {
    const int half = std::max(0, static_cast<int>(std::trunc((gridWidth - 40) * 0.5)));
    return ColumnWidths{half, half};
}

double panelShare(int panelWidth, int windowWidth) {
    return windowWidth > 0 ? double(panelWidth) / windowWidth : 0.5;
}

QString saveShareStatement(int id, double share) {
    return QStringLiteral("UPDATE szotarak SET nyelv1szeles=") + floatToStrDot(share) + QStringLiteral(",nyelv2szeles=") +
           floatToStrDot(1.0 - share) + QStringLiteral(" WHERE szotarak=") + QString::number(id) + QLatin1Char(';');
}

void storePanelShare(store::Database& db, TSzotarak& info, int panelWidth, int windowWidth, QWidget* owner) {
    const double share = panelShare(panelWidth, windowWidth);
    info.nyelv1szeles = share;
    info.nyelv2szeles = 1.0 - share;
    try {
        runStatement(db, saveShareStatement(info.szotarak, share));
    } catch (const store::StoreError& e) {
        showStoreError(e, kCatalogueTable, owner);
    }
}

} // namespace verbalo::headword_widths
