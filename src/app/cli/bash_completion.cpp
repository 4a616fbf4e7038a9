#include "app/cli/command_table.h"
#include "app/cli/help_texts.h"

#include <QStringList>

namespace verbalo::cli {

namespace {

// The case branches for the value of an option, by what the option takes.
QString valueCases(const std::vector<OptionSpec>& options) {
    QString cases;
    for (const OptionSpec& o : options) {
        if (o.valueName.isEmpty() || o.hidden) continue;
        QString complete; // a value without completion offers nothing
        switch (o.completion) {
        case Completion::Choices:
            complete = QStringLiteral("COMPREPLY=($(compgen -W '") + o.choices.join(QLatin1Char(' ')) +
                       QStringLiteral("' -- \"$cur\")); ");
            break;
        case Completion::File: complete = QStringLiteral("_filedir; "); break;
        case Completion::Folder: complete = QStringLiteral("_filedir -d; "); break;
        case Completion::None: break;
        }
        cases += QStringLiteral("                --") + o.name + QStringLiteral(") ") + complete + QStringLiteral("return ;;\n");
    }
    return cases;
}

QString optionWords(const std::vector<OptionSpec>& options) {
    QStringList words;
    for (const OptionSpec& o : options)
        if (!o.hidden) words << QStringLiteral("--") + o.name;
    words << QStringLiteral("--help");
    words.removeDuplicates();
    return words.join(QLatin1Char(' '));
}

} // namespace

QString bashCompletion() {
    QStringList commandNames;
    for (const CommandSpec& c : commandTable()) commandNames << c.name;
    QString script = QStringLiteral("# bash completion for verbalo-cli                               -*- shell-script -*-\n"
                                    "# Made by verbalo-cli --bash-completion from the table its --help comes from.\n\n"
                                    "_verbalo_cli()\n{\n"
                                    "    local cur prev words cword\n"
                                    "    _init_completion || return\n\n"
                                    "    local i command=\n"
                                    "    for ((i = 1; i < cword; i++)); do\n"
                                    "        case ${words[i]} in\n"
                                    "            --data) ((i++)) ;;\n"
                                    "            -*) ;;\n"
                                    "            *) command=${words[i]}; break ;;\n"
                                    "        esac\n"
                                    "    done\n\n"
                                    "    case $command in\n"
                                    "        '')\n"
                                    "            case $prev in\n");
    script += valueCases(globalOptions());
    script += QStringLiteral("            esac\n"
                             "            COMPREPLY=($(compgen -W '") +
              optionWords(globalOptions()) + QLatin1Char(' ') + commandNames.join(QLatin1Char(' ')) +
              QStringLiteral("' -- \"$cur\"))\n"
                             "            ;;\n");
    for (const CommandSpec& c : commandTable()) {
        script += QStringLiteral("        ") + c.name + QStringLiteral(")\n            case $prev in\n");
        script += valueCases(c.options);
        script += QStringLiteral("            esac\n"
                                 "            if [[ $cur == -* ]]; then\n"
                                 "                COMPREPLY=($(compgen -W '") +
                  optionWords(c.options) + QStringLiteral("' -- \"$cur\"))\n");
        if (c.arguments.completion == Completion::File) script += QStringLiteral("            else\n                _filedir\n");
        script += QStringLiteral("            fi\n            ;;\n");
    }
    script += QStringLiteral("    esac\n} &&\n    complete -F _verbalo_cli verbalo-cli\n\n# ex: filetype=sh\n");
    return script;
}

} // namespace verbalo::cli
