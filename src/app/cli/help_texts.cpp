#include "app/cli/help_texts.h"

#include "app/cli/command_table.h"

#include <QStringList>

namespace verbalo::cli {

namespace {

const QString kExitStatus = QStringLiteral("0 when the command did its work; 1 after an error, whose message goes to "
                                           "stderr; 2 for a usage error (an unknown command or option, a missing or "
                                           "extra argument), with the usage on stderr.");
const QString kOutput = QStringLiteral("Output is UTF-8 whatever the locale.");

QString valueText(const OptionSpec& o) {
    return o.choices.isEmpty() ? o.valueName : o.choices.join(QLatin1Char('|'));
}

QString optionSynopsis(const OptionSpec& o) {
    QString s = QStringLiteral("--") + o.name;
    if (!o.valueName.isEmpty()) s += QLatin1Char(' ') + valueText(o);
    return o.required ? s : QLatin1Char('[') + s + QLatin1Char(']');
}

QString argumentSynopsis(const ArgumentSpec& a) {
    if (a.name.isEmpty()) return QString();
    const QString s = a.max == 1 ? a.name : a.name + QStringLiteral("...");
    return a.min == 0 ? QLatin1Char('[') + s + QLatin1Char(']') : s;
}

QString commandSynopsis(const CommandSpec& c) {
    QStringList parts{c.name};
    for (const OptionSpec& o : c.options) parts << optionSynopsis(o);
    if (!c.arguments.name.isEmpty()) parts << argumentSynopsis(c.arguments);
    return parts.join(QLatin1Char(' '));
}

void addEntry(QString& text, const QString& term, const QString& description) {
    text += QStringLiteral("  ") + term + QLatin1Char('\n');
    text += QStringLiteral("      ") + description + QLatin1Char('\n');
}

// Text for a man page line: backslashes and minus signs escaped, and no line starting with a
// control character.
QString roff(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\\'), QLatin1String("\\e"));
    t.replace(QLatin1Char('-'), QLatin1String("\\-"));
    QStringList lines = t.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.startsWith(QLatin1Char('.')) || l.startsWith(QLatin1Char('\''))) l.prepend(QLatin1String("\\&"));
    return lines.join(QLatin1Char('\n'));
}

QString roffParagraphs(const QString& text) {
    return roff(text).replace(QLatin1String("\n\n"), QLatin1String("\n.PP\n"));
}

QString roffOption(const OptionSpec& o) {
    QString s = QStringLiteral(".TP\n\\fB") + roff(QStringLiteral("--") + o.name) + QStringLiteral("\\fR");
    if (!o.valueName.isEmpty()) s += QStringLiteral(" \\fI") + roff(valueText(o)) + QStringLiteral("\\fR");
    return s + QLatin1Char('\n') + roff(o.description) + (o.required ? QStringLiteral(" (required)") : QString()) +
           QLatin1Char('\n');
}

} // namespace

QString usageLine(const CommandSpec& command) {
    return QStringLiteral("usage: verbalo-cli [--data FOLDER] ") + commandSynopsis(command);
}

QString globalHelp() {
    QString text = QStringLiteral("usage: verbalo-cli [--data FOLDER] COMMAND [OPTIONS] [ARGUMENTS]\n"
                                  "Scripted work on a data folder with the libraries of Verbalo9 and Quickor.\n\n"
                                  "options:\n");
    for (const OptionSpec& o : globalOptions())
        if (!o.hidden) addEntry(text, optionSynopsis(o).remove(QLatin1Char('[')).remove(QLatin1Char(']')), o.description);
    text += QStringLiteral("\ncommands:\n");
    for (const CommandSpec& c : commandTable()) addEntry(text, commandSynopsis(c), c.summary);
    text += QStringLiteral("\nexit status: ") + kExitStatus + QLatin1Char('\n') + kOutput + QLatin1Char('\n');
    return text;
}

QString commandHelp(const CommandSpec& command) {
    QString text = usageLine(command) + QStringLiteral("\n\n") + command.summary + QStringLiteral(".\n");
    if (!command.details.isEmpty()) text += QLatin1Char('\n') + command.details + QLatin1Char('\n');
    text += QStringLiteral("\noptions:\n");
    for (const OptionSpec& o : command.options)
        addEntry(text, QStringLiteral("--") + o.name + (o.valueName.isEmpty() ? QString() : QLatin1Char(' ') + valueText(o)),
                 o.description + (o.required ? QStringLiteral(" (required)") : QString()));
    addEntry(text, QStringLiteral("--help"), QStringLiteral("show this help"));
    if (!command.arguments.name.isEmpty()) {
        text += QStringLiteral("\narguments:\n");
        addEntry(text, argumentSynopsis(command.arguments), command.arguments.description);
    }
    text += QStringLiteral("\nexit status: ") + kExitStatus + QLatin1Char('\n');
    return text;
}

QString manPage(const QString& version) {
    QString page = QStringLiteral(".TH VERBALO\\-CLI 1 \"\" \"Verbalo %1\" \"User Commands\"\n").arg(roff(version));
    page += QStringLiteral(".SH NAME\nverbalo\\-cli \\- scripted work on a Verbalo data folder\n");
    page +=
        QStringLiteral(".SH SYNOPSIS\n.B verbalo\\-cli\n[\\fB\\-\\-data\\fR \\fIFOLDER\\fR] \\fICOMMAND\\fR [\\fIOPTIONS\\fR] "
                       "[\\fIARGUMENTS\\fR]\n");
    page += QStringLiteral(".SH DESCRIPTION\n") +
            roff(QStringLiteral("verbalo-cli works on the data folder of Verbalo9 and Quickor (the catalogue and the "
                                "dictionary tables) with the same libraries as the programs, so that it can be used "
                                "from scripts. ")) +
            roff(kOutput) + QLatin1Char('\n');
    page += QStringLiteral(".SH OPTIONS\n");
    for (const OptionSpec& o : globalOptions())
        if (!o.hidden) page += roffOption(o);
    page += QStringLiteral(".SH COMMANDS\n");
    for (const CommandSpec& c : commandTable()) {
        page += QStringLiteral(".SS \"") + roff(commandSynopsis(c)) + QStringLiteral("\"\n") + roff(c.summary) +
                QStringLiteral(".\n");
        if (!c.details.isEmpty()) page += QStringLiteral(".PP\n") + roffParagraphs(c.details) + QLatin1Char('\n');
        for (const OptionSpec& o : c.options) page += roffOption(o);
        if (!c.arguments.name.isEmpty())
            page += QStringLiteral(".TP\n\\fI") + roff(argumentSynopsis(c.arguments)) + QStringLiteral("\\fR\n") +
                    roff(c.arguments.description) + QLatin1Char('\n');
    }
    page += QStringLiteral(".SH \"EXIT STATUS\"\n") + roff(kExitStatus) + QLatin1Char('\n');
    return page;
}

} // namespace verbalo::cli
