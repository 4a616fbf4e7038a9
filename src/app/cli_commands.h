#pragma once

#include <QStringList>
#include <QTextStream>

namespace verbalo::store {
class Database;
}

namespace verbalo::cli {

// One subcommand of verbalo-cli: arguments after its name, the connected data folder and
// the two output streams. Returns the process exit status.
int runSql(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);
int runTables(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);
int runCheck(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);
int runDictionarize(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);
int runImportPairs(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);
int runImportList(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);
int runExportList(verbalo::store::Database& db, const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace verbalo::cli
