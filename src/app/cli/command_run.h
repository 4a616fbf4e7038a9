#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

namespace verbalo {
struct TSzotarak;
namespace store {
class Database;
}
} // namespace verbalo

namespace verbalo::cli {

struct CommandSpec;

// One command as the user gave it, with the data folder it works on.
struct CommandRun {
    const CommandSpec& command;
    store::Database& db;
    const QCommandLineParser& parser;
    QStringList arguments; // the words after the options
    QTextStream& out;
    QTextStream& err;

    bool isSet(const char* option) const { return parser.isSet(QLatin1String(option)); }
    QString value(const char* option) const { return parser.value(QLatin1String(option)); }

    // "error: " and the message on stderr; returns 1.
    int fail(const QString& message) const;
    // The reason and the command's usage on stderr; returns 2.
    int usageError(const QString& reason) const;
    // The dictionary of --dict when it is of the type wanted; false after the error is printed.
    bool findDictionary(int type, TSzotarak& info) const;
};

} // namespace verbalo::cli
