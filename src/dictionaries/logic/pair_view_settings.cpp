#include "dictionaries/logic/pair_view_settings.h"

#include "common/store/sqlite_handle.h"
#include "common/store/table.h"
#include "common/table_layouts.h"

#include "common/text_routines.h"

namespace verbalo {

PairColumnWidths pairColumnWidths(int usableWidth, double nyelv1Share, double nyelv2Share) {
    return {roundHalfEven(usableWidth * nyelv1Share), roundHalfEven(usableWidth * nyelv2Share)};
}

std::optional<double> nyelv1ShareOf(int nyelv1Width, int nyelv2Width) {
    const int sum = nyelv1Width + nyelv2Width;
    if (sum <= 0) return std::nullopt;
    return static_cast<double>(nyelv1Width) / sum;
}

bool saveViewSettings(store::Database& db, int id, std::optional<double> nyelv1Share, const QString& order, int tab) {
    store::Table catalogue(db);
    catalogue.setTableName(kCatalogueTable);
    catalogue.open();
    if (!catalogue.locate(QStringLiteral("szotarak"), id)) return false;
    catalogue.edit();
    try {
        if (nyelv1Share) {
            catalogue.setValue(QStringLiteral("nyelv1szeles"), *nyelv1Share);
            catalogue.setValue(QStringLiteral("nyelv2szeles"), 1.0 - *nyelv1Share);
        }
        catalogue.setValue(QStringLiteral("sorrend"), order);
        catalogue.setValue(QStringLiteral("ablak"), tab);
        catalogue.post();
    } catch (const store::StoreError&) {
        try {
            catalogue.cancel();
        } catch (const store::StoreError&) {
            // The first failure is the one to tell; the row is dropped with the cursor anyway.
        }
        throw;
    }
    return true;
}

QString closingUpdateStatement(const QString& order, int tab, int id) {
    return QStringLiteral("UPDATE szotarak SET sorrend=") + store::quoteLiteral(order) + QStringLiteral(",ablak=") +
           QString::number(tab) + QStringLiteral(" WHERE szotarak=") + QString::number(id) + QLatin1Char(';');
}

} // namespace verbalo
