#pragma once

#include <QString>
#include <vector>

// SQL scripts run one statement at a time, so that a failure can name the line its statement
// starts on and the statements before it stay done.
namespace verbalo {

struct ScriptStatement {
    QString text; // without its closing ";"
    int line = 1; // 1-based line of the statement's first character after blanks and comments
};

// Splits a script into its statements: a ";" ends one only where SQLite's own tokenizer
// (sqlite3_complete) says the text before it is complete, so quotes, comments and trigger
// bodies are respected. A last statement without ";" counts too; pieces holding only blanks
// and comments are dropped. CR LF, CR and LF each end a line.
std::vector<ScriptStatement> splitScript(const QString& script);

} // namespace verbalo
