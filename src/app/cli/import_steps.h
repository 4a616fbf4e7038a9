#pragma once

// The steps the import commands share.
#include "app/cli/command_run.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/import_line_reader.h"
#include "exchange/logic/import_session.h"

#include <QTextStream>

namespace verbalo::cli {

inline void printCounts(const QString& file, const ImportCounts& counts, QTextStream& out) {
    out << file << ": " << counts.offered << " offered, " << counts.stored << " stored, " << counts.refused << " refused\n";
}

// The steps every import shares: the dictionary of the kind asked for, the file opened
// (openFile() gives its error, or nothing), the dictionary's table opened; makeImporter(table)
// makes the importer and feed(importer) offers it the file's lines, giving the error that
// stopped reading the file, or nothing. The counts are printed and a stop is reported; the exit
// code is returned.
template <typename OpenFile, typename MakeImporter, typename Feed>
int importWith(CommandRun& run, int type, OpenFile openFile, MakeImporter makeImporter, Feed feed) {
    const QString path = run.arguments.first();
    try {
        TSzotarak info;
        if (!run.findDictionary(type, info)) return 1;
        const QString openError = openFile();
        if (!openError.isEmpty()) return run.fail(openError);
        store::Table table(run.db);
        table.setTableName(info.tablanev);
        table.open();
        auto importer = makeImporter(table);
        const QString readError = feed(importer);
        const bool ok = importer.finish();
        printCounts(path, importer.counts(), run.out);
        if (!readError.isEmpty()) return run.fail(QStringLiteral("import stopped: ") + readError);
        if (!ok) return run.fail(QStringLiteral("import stopped: ") + importer.failure());
    } catch (const store::StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

// An import that needs the file's whole text at once (it looks ahead of the line it is at):
// feed(importer, text) offers it the lines.
template <typename MakeImporter, typename Feed>
int importFile(CommandRun& run, int type, MakeImporter makeImporter, Feed feed) {
    ImportText file;
    return importWith(
        run, type,
        [&] {
            file = readImportText(run.arguments.first());
            return file.error;
        },
        makeImporter,
        [&](auto& importer) {
            feed(importer, file.text);
            return QString();
        });
}

// An import that takes the file line by line: the file is read a chunk at a time, the same
// lines as the whole text gives (keepEmptyLastLine as forEachLine's), and offer(importer, line)
// stops the import by giving false.
template <typename MakeImporter, typename Offer>
int importFileLines(CommandRun& run, int type, bool keepEmptyLastLine, MakeImporter makeImporter, Offer offer) {
    ImportLineReader file(run.arguments.first());
    return importWith(
        run, type, [&] { return file.open() ? QString() : file.error(); }, makeImporter,
        [&](auto& importer) {
            const bool read = file.forEachLine(keepEmptyLastLine, [&](QStringView line) { return offer(importer, line); });
            return read ? QString() : file.error();
        });
}

} // namespace verbalo::cli
