// import-pairs, import-list and export-list: dictionaries to and from text files.
#include "app/cli/command_run.h"
#include "app/cli/commands.h"
#include "app/cli/import_steps.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "common/text_routines.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/list_import.h"
#include "exchange/logic/list_text_writer.h"
#include "exchange/logic/pair_import.h"

namespace verbalo::cli {

using namespace verbalo::store;

int runImportPairs(CommandRun& run) {
    QString separator = run.isSet("sep") ? run.value("sep") : QStringLiteral(";");
    if (separator == QLatin1String("tab") || separator == QLatin1String("\\t")) separator = QStringLiteral("\t");
    if (separator.size() != 1) return run.usageError(QStringLiteral("--sep: one character, \"tab\" or \"\\t\""));
    const QChar sep = separator.at(0);
    // Lines as the import window's editor holds them: a final line break offers an empty line.
    return importFileLines(
        run, Bilingual, true, [sep](Table& table) { return PairImporter(table, sep); },
        [](PairImporter& importer, QStringView line) { return importer.offer(line.toString()) != RowResult::Failed; });
}

int runImportList(CommandRun& run) {
    return importFileLines(
        run, HeadwordList, false, [](Table& table) { return ListImporter(table); },
        [](ListImporter& importer, QStringView line) {
            importer.addLine(line);
            return !importer.failed();
        });
}

int runExportList(CommandRun& run) {
    const QString path = run.arguments.first();
    try {
        TSzotarak info;
        if (!run.findDictionary(HeadwordList, info)) return 1;
        Table table(run.db);
        table.setTableName(info.tablanev);
        table.open();
        const TextWriteResult written = writeListText(table, path);
        if (!written.ok) return run.fail(written.error);
        run.out << path << ": " << table.recordCount() << " entries written ("
                << (written.encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1250") << ")\n";
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

} // namespace verbalo::cli
