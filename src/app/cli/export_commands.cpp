// export-delimited and export-html: a dictionary's rows as delimited text, a spreadsheet or a page.
#include "app/cli/command_run.h"
#include "app/cli/commands.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "exchange/logic/data_to_xls.h"
#include "exchange/logic/delimited_export.h"
#include "exchange/logic/html_page_export.h"

namespace verbalo::cli {

using namespace verbalo::store;

namespace {

// The dictionary of --dict, of any kind; false after the error is printed.
bool findAnyDictionary(const CommandRun& run, TSzotarak& info) {
    const QString dict = run.value("dict");
    const int id = findDictionaryId(run.db, dict);
    if (id == 0 || !readDictionaryInfo(run.db, id, info, QString())) {
        run.fail(QStringLiteral("no dictionary %1").arg(dict));
        return false;
    }
    return true;
}

// The table in the order its window shows it: a bilingual dictionary by the language it was
// last ordered by, any other by its key.
void openInWindowOrder(Table& table, const TSzotarak& info) {
    table.setTableName(info.tablanev);
    table.open();
    if (info.tipus == Bilingual)
        table.setIndexFieldNames(info.sorrend == kSecondLanguageColumn ? kSecondLanguageColumn : kFirstLanguageColumn);
}

bool parseDelimitedOptions(const CommandRun& run, DelimitedOptions& options, QString& problem) {
    const QString sep = run.isSet("sep") ? run.value("sep") : QStringLiteral(";");
    if (sep == QLatin1String("tab") || sep == QLatin1String("\\t"))
        options.separator = QLatin1Char('\t');
    else if (sep == QLatin1String(";") || sep == QLatin1String(",") || sep == QLatin1String("|"))
        options.separator = sep.at(0);
    else {
        problem = QStringLiteral("--sep: \";\", \"tab\", \",\" or \"|\"");
        return false;
    }
    const QString quote = run.isSet("quote") ? run.value("quote") : QStringLiteral("none");
    if (quote == QLatin1String("\"") || quote == QLatin1String("'"))
        options.quote = quote.at(0);
    else if (quote != QLatin1String("none")) {
        problem = QStringLiteral("--quote: '\"', \"'\" or none");
        return false;
    }
    options.noHeader = run.isSet("no-header");
    options.fieldNames = run.isSet("field-names");
    options.memoLines = run.isSet("memo-lines");
    return true;
}

} // namespace

int runExportDelimited(CommandRun& run) {
    const QString path = run.arguments.first();
    DelimitedOptions options;
    QString problem;
    if (!parseDelimitedOptions(run, options, problem)) return run.usageError(problem);
    try {
        TSzotarak info;
        if (!findAnyDictionary(run, info)) return 1;
        Table table(run.db);
        openInWindowOrder(table, info);
        const std::vector<ExportField> fields = exportFieldsOf(table);
        if (isSpreadsheetFileName(path)) {
            const SpreadsheetResult written = exportSpreadsheet(table, fields, {}, path);
            run.out << path << ": " << written.rows << " rows written (BIFF2 worksheet)\n";
            if (written.rowLimitReached) return run.fail(spreadsheetRowLimitMessage(path));
            return 0;
        }
        const DelimitedResult written = exportDelimited(table, fields, options, path);
        if (!written.ok) return run.fail(written.error);
        run.out << path << ": " << written.rows << " rows written ("
                << (written.encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1250") << ")\n";
    } catch (const ExportError& e) {
        return run.fail(e.message());
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

int runExportHtml(CommandRun& run) {
    const QString path = run.arguments.first();
    try {
        TSzotarak info;
        if (!run.findDictionary(Bilingual, info)) return 1;
        Table table(run.db);
        openInWindowOrder(table, info);
        const HtmlPageResult written =
            writeHtmlPage(table, parseHtmlColumns(bilingualHtmlColumns(info)), info.szotarak_nev, path);
        if (!written.ok) return run.fail(written.error);
        run.out << path << ": " << written.rows << " rows written (" << (written.utf8 ? "UTF-8" : "ISO-8859-2") << ")\n";
    } catch (const ExportError& e) {
        return run.fail(e.message());
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

} // namespace verbalo::cli
