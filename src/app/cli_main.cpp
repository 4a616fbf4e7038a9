// verbalo-cli: scripted work on a data folder with the same libraries as the programs.
#include "app/cli/command_line.h"
#include "app/cli/command_run.h"
#include "app/cli/command_table.h"
#include "app/cli/help_texts.h"

#include "common/catalogue.h"
#include "common/folders.h"
#include "common/store/database.h"
#include "common/store/store_error.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

using namespace verbalo;
using namespace verbalo::cli;

namespace {

int usageError(QTextStream& err, const QString& reason) {
    if (!reason.isEmpty()) err << "error: " << reason << '\n';
    err << "usage: verbalo-cli [--data FOLDER] COMMAND [OPTIONS] [ARGUMENTS]\n"
           "(verbalo-cli --help lists the commands)\n";
    return 2;
}

// The data folder of --data, made with its empty catalogue when new or empty; without --data
// the folder of Verbalo9.ini, as the programs make it at their first start.
bool prepareFolder(QString& dataFolder, QTextStream& err) {
    FolderSetup setup;
    if (dataFolder.isEmpty()) {
        const Folders folders = currentFolders();
        setup = createMissingFolders(folders, createEmptyCatalogue);
        dataFolder = folders.dataFolder;
    } else {
        setup = prepareDataFolder(dataFolder, createEmptyCatalogue);
    }
    if (!setup.ok) err << "error: " << setup.error << '\n';
    return setup.ok;
}

int runCommand(const QStringList& programArgs, QTextStream& out, QTextStream& err) {
    QCommandLineParser global;
    // Everything from the command on is the command's.
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    addOptions(global, globalOptions());
    if (!global.parse(programArgs)) return usageError(err, global.errorText());
    if (global.isSet(QStringLiteral("man-page"))) {
        out << manPage(QCoreApplication::applicationVersion());
        return 0;
    }
    if (global.isSet(QStringLiteral("bash-completion"))) {
        out << bashCompletion();
        return 0;
    }
    QStringList rest = global.positionalArguments();
    if (global.isSet(QStringLiteral("help")) && rest.isEmpty()) {
        out << globalHelp();
        return 0;
    }
    if (rest.isEmpty()) return usageError(err, QString());
    const CommandSpec* command = findCommand(rest.first());
    if (!command) return usageError(err, QStringLiteral("unknown command ") + rest.first());

    QCommandLineParser parser;
    addOptions(parser, command->options);
    parser.addOption(QCommandLineOption(QStringLiteral("help")));
    rest.first() = programArgs.first() + QLatin1Char(' ') + command->name;
    const bool parsed = parser.parse(rest);
    if (global.isSet(QStringLiteral("help")) || (parsed && parser.isSet(QStringLiteral("help")))) {
        out << commandHelp(*command);
        return 0;
    }
    QString dataFolder = global.value(QStringLiteral("data"));
    store::Database db;
    CommandRun run{*command, db, parser, parser.positionalArguments(), out, err};
    if (!parsed) return run.usageError(parser.errorText());
    if (const QString problem = commandLineProblem(*command, parser); !problem.isEmpty()) return run.usageError(problem);

    if (!prepareFolder(dataFolder, err)) return 1;
    try {
        db.connect(QStringLiteral("szotar"), dataFolder);
    } catch (const store::StoreError& e) {
        return run.fail(e.message());
    }
    return command->run(run);
}

// The command word: the first argument that is neither a global option nor its value.
bool isPrintCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0) {
            ++i;
            continue;
        }
        if (argv[i][0] != '-') return std::strcmp(argv[i], "print") == 0;
    }
    return false;
}

// Printing measures text with the installed fonts, which takes a GUI application; it runs
// offscreen, so that scripts print with no display.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    if (!isPrintCommand(argc, argv)) return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("verbalo-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VERBALO_VERSION));
    // Qt writes UTF-8 here whatever LANG or LC_ALL say, so pipes get the same bytes everywhere.
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const int status = runCommand(app.arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
