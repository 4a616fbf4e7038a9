#pragma once

// The steps the import commands share.
#include "app/cli/command_run.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/import_session.h"

#include <QTextStream>

namespace verbalo::cli {

inline void printCounts(const QString& file, const ImportCounts& counts, QTextStream& out) {
    out << file << ": " << counts.offered << " offered, " << counts.stored << " stored, " << counts.refused << " refused\n";
}

// The steps every import shares: the dictionary of the kind asked for, the file read as the
// import windows read it, the dictionary's table opened; makeImporter(table) makes the
// importer and feed(importer, text) offers it the file's lines. The counts are printed and a
// stop is reported; the exit code is returned.
template <typename MakeImporter, typename Feed>
int importFile(CommandRun& run, int type, MakeImporter makeImporter, Feed feed) {
    const QString path = run.arguments.first();
    try {
        TSzotarak info;
        if (!run.findDictionary(type, info)) return 1;
        const ImportText file = readImportText(path);
        if (!file.ok) return run.fail(file.error);
        store::Table table(run.db);
        table.setTableName(info.tablanev);
        table.open();
        auto importer = makeImporter(table);
        feed(importer, file.text);
        const bool ok = importer.finish();
        printCounts(path, importer.counts(), run.out);
        if (!ok) return run.fail(QStringLiteral("import stopped: ") + importer.failure());
    } catch (const store::StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

} // namespace verbalo::cli
