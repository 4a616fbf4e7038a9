#pragma once

#include <QString>

// The texts verbalo-cli prints about itself, all made from the command table.
namespace verbalo::cli {

struct CommandSpec;

// "usage: verbalo-cli [--data FOLDER] lookup --dict NAME|ID [--order nyelv1|nyelv2] [--prefix] WORD..."
QString usageLine(const CommandSpec& command);
// verbalo-cli --help
QString globalHelp();
// verbalo-cli COMMAND --help
QString commandHelp(const CommandSpec& command);
// verbalo-cli.1, in the man macros
QString manPage(const QString& version);
// The completion script, after Debian's bash-completion conventions (_init_completion, _filedir).
QString bashCompletion();

} // namespace verbalo::cli
