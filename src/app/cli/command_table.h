#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// verbalo-cli's commands as data: the parser, --help, the man page and the bash completion are
// all made from this one table, so they cannot tell different stories.
namespace verbalo::cli {

struct CommandRun;

// What the shell should offer for a value.
enum class Completion { None, File, Folder, Choices };

struct OptionSpec {
    QString name;      // without the leading "--"
    QString valueName; // empty for a switch
    QString description;
    QStringList choices; // the values allowed; empty: any value
    Completion completion = Completion::None;
    bool required = false;
    bool hidden = false; // left out of --help, the man page and the completion
};

// The words after the options.
struct ArgumentSpec {
    QString name; // empty: the command takes none
    QString description;
    int min = 0;
    int max = 0; // -1: no limit
    Completion completion = Completion::None;
};

struct CommandSpec {
    QString name;
    QString summary; // one line
    QString details; // paragraphs separated by "\n\n", for --help and the man page
    std::vector<OptionSpec> options;
    ArgumentSpec arguments;
    int (*run)(CommandRun&) = nullptr;
};

// The options given before the command.
const std::vector<OptionSpec>& globalOptions();
const std::vector<CommandSpec>& commandTable();
// nullptr for a name that is not a command.
const CommandSpec* findCommand(const QString& name);

} // namespace verbalo::cli
