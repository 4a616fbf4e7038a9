#pragma once

#include "app/cli/command_table.h"

#include <QCommandLineParser>

// The command table turned into QCommandLineParser options, and the checks the parser does not
// make itself.
namespace verbalo::cli {

void addOptions(QCommandLineParser& parser, const std::vector<OptionSpec>& options);

// Why a parsed command line does not fit the command (a required option missing, a value not
// among its choices, too few or too many arguments); empty when it fits.
QString commandLineProblem(const CommandSpec& command, const QCommandLineParser& parser);

} // namespace verbalo::cli
