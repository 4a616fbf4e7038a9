#pragma once

#include "common/store/query.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace verbalo {

namespace store {
class Database;
}

// Opens a query text as the SQL window's result. The text goes to the store whole; a text of
// more than one statement is refused, since the store would open its first statement alone
// and drop the rest unseen. Throws StoreError with the message to show after "SQL hiba:".
store::ResultSet openSqlQuery(store::Database& db, const QString& text);

// A "BEGIN" the user's statements left without "COMMIT" holds the data folder's shared SQL
// session inside a transaction: its locks would keep the other program waiting, and the
// changes would go at the program's exit without a word. Rolls such a transaction back; true
// when there was one. Throws StoreError when the rollback fails.
bool rollBackOpenTransaction(store::Database& db);

struct StatementRunOutcome {
    bool ok = true;
    int done = 0;  // statements run to their end
    QString error; // the store's message for the statement that failed
};

// Runs statements one after the other on the data folder's SQL session, stopping at the
// first that fails; the ones before it keep their effect. beforeEach(done) comes before each
// statement (the window handles its pending events there), afterEach(done) after each one
// that ran. Pieces holding nothing but blanks, comments and their ";" count without running.
class StatementRun {
public:
    using Step = std::function<void(int done)>;

    explicit StatementRun(store::Database& db) : db_(db) {}

    Step beforeEach;
    Step afterEach;

    StatementRunOutcome run(const QStringList& pieces);

private:
    store::Database& db_;
};

} // namespace verbalo
