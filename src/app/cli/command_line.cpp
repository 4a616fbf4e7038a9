#include "app/cli/command_line.h"

namespace verbalo::cli {

void addOptions(QCommandLineParser& parser, const std::vector<OptionSpec>& options) {
    for (const OptionSpec& o : options) {
        QCommandLineOption option(o.name, o.description, o.valueName);
        if (o.hidden) option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString commandLineProblem(const CommandSpec& command, const QCommandLineParser& parser) {
    for (const OptionSpec& o : command.options) {
        if (o.required && !parser.isSet(o.name)) return QStringLiteral("hiányzik: --%1").arg(o.name);
        if (!o.choices.isEmpty() && parser.isSet(o.name) && !o.choices.contains(parser.value(o.name)))
            return QStringLiteral("--%1: %2 helyett ezek egyike kell: %3")
                .arg(o.name, parser.value(o.name), o.choices.join(QStringLiteral(", ")));
        if (!o.valueName.isEmpty() && parser.values(o.name).size() > 1)
            return QStringLiteral("--%1 csak egyszer adható meg").arg(o.name);
    }
    const qsizetype given = parser.positionalArguments().size();
    const ArgumentSpec& a = command.arguments;
    if (given < a.min) return QStringLiteral("hiányzik: %1").arg(a.name);
    if (a.max >= 0 && given > a.max)
        return a.max == 0 ? QStringLiteral("a parancs nem vár argumentumot: %1").arg(parser.positionalArguments().first())
                          : QStringLiteral("fölösleges argumentum: %1").arg(parser.positionalArguments().at(a.max));
    return QString();
}

} // namespace verbalo::cli
