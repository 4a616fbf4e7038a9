// verbalo-cli: scripted work on a data folder with the same libraries as the programs.
#include "cli_commands.h"

#include "common/catalogue.h"
#include "common/folders.h"
#include "common/store/database.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <map>

namespace {

void usage(QTextStream& err) {
    err << "usage: verbalo-cli [--data FOLDER] COMMAND [ARGS]\n"
           "without --data: the data folder named in Verbalo9.ini\n"
           "commands:\n"
           "  sql \"STATEMENT\"   run SQL; rows are printed tab-separated with a header line\n"
           "  tables            list the tables of the data folder\n"
           "  check [TABLE]     integrity check of one or every table file\n"
           "  dictionarize --dict NAME|ID [--order nyelv1|nyelv2] FILE\n"
           "                    look every word of a text file up in a bilingual dictionary\n"
           "  import-pairs --dict NAME|ID [--sep CHAR] FILE\n"
           "                    add the word pairs of a text file (one pair a line) to a bilingual dictionary\n"
           "  import-list --dict NAME|ID FILE\n"
           "                    add the \"##\" headword blocks of a text file to a headword list\n"
           "  export-list --dict NAME|ID FILE\n"
           "                    write a headword list as a \"##\" text file\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    QString dataFolder;
    if (args.size() >= 2 && args.first() == QLatin1String("--data")) {
        dataFolder = args.at(1);
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        usage(err);
        return 2;
    }
    if (dataFolder.isEmpty()) {
        // Like the programs: the data folder of Verbalo9.ini, made with an empty catalogue on
        // first use.
        const verbalo::Folders folders = verbalo::currentFolders();
        const verbalo::FolderSetup setup = verbalo::createMissingFolders(folders, verbalo::createEmptyCatalogue);
        if (!setup.ok) {
            err << "error: " << setup.error << '\n';
            return 1;
        }
        dataFolder = folders.dataFolder;
    }
    if (!QFileInfo(dataFolder).isDir()) {
        err << "error: data folder " << dataFolder << " does not exist\n";
        return 1;
    }

    verbalo::store::Database db;
    db.connect(QStringLiteral("szotar"), dataFolder);

    using Command = std::function<int(verbalo::store::Database&, const QStringList&, QTextStream&, QTextStream&)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("sql"), verbalo::cli::runSql},
        {QStringLiteral("tables"), verbalo::cli::runTables},
        {QStringLiteral("check"), verbalo::cli::runCheck},
        {QStringLiteral("dictionarize"), verbalo::cli::runDictionarize},
        {QStringLiteral("import-pairs"), verbalo::cli::runImportPairs},
        {QStringLiteral("import-list"), verbalo::cli::runImportList},
        {QStringLiteral("export-list"), verbalo::cli::runExportList},
    };
    const auto it = commands.find(args.first());
    if (it == commands.end()) {
        err << "error: unknown command " << args.first() << '\n';
        usage(err);
        return 2;
    }
    const int status = it->second(db, args.mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
