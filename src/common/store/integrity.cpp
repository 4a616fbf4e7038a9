#include "integrity.h"

#include "database.h"
#include "sqlite_handle.h"

namespace verbalo::store {

QStringList checkTableIntegrity(Database& db, const QString& tableName) {
    QStringList problems;
    try {
        Connection conn = db.openTableFile(tableName);
        Statement s(conn, QStringLiteral("PRAGMA integrity_check"));
        StatementResetter r(s);
        while (s.step()) {
            const QString line = s.text(0);
            if (line != QLatin1String("ok")) problems << line;
        }
    } catch (const StoreError& e) {
        problems << e.message();
    }
    return problems;
}

} // namespace verbalo::store
