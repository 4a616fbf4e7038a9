#include "freesql/logic/sql_run.h"

#include "common/sql_script.h"
#include "common/store/database.h"
#include "common/store/sql_session.h"

namespace verbalo {

store::ResultSet openSqlQuery(store::Database& db, const QString& text) {
    if (splitScript(text).size() > 1)
        throw store::StoreError(QStringLiteral("a lekérdezés egyetlen SELECT utasítás lehet; a „;” után álló utasításokat "
                                               "külön futtassa"));
    store::Query query(db);
    query.setSql(text);
    return query.open();
}

bool rollBackOpenTransaction(store::Database& db) {
    store::SqlSession& session = db.session();
    if (!session.connection().inTransaction()) return false;
    session.execute(QStringLiteral("ROLLBACK"));
    return true;
}

StatementRunOutcome StatementRun::run(const QStringList& pieces) {
    StatementRunOutcome outcome;
    for (const QString& piece : pieces) {
        if (beforeEach) beforeEach(outcome.done);
        // ";;" or a commented-out line before its ";": there is nothing for the engine to run.
        if (!splitScript(piece).empty()) {
            try {
                db_.session().execute(piece);
            } catch (const store::StoreError& e) {
                outcome.ok = false;
                outcome.error = e.message();
                return outcome;
            }
        }
        ++outcome.done;
        if (afterEach) afterEach(outcome.done);
    }
    return outcome;
}

} // namespace verbalo
