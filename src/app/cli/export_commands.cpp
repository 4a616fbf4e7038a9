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
#include "printing/logic/dictionary_layouts.h"
#include "printing/maker_contact.h"
#include "printing/pdf_rendering.h"
#include "common/settings.h"

#include <QDateTime>

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

// print: the print layouts into a PDF file.
int runPrint(CommandRun& run) {
    const QString layoutName = run.value("layout");
    const QString path = run.value("pdf");
    const int columns = layoutName.startsWith(QLatin1String("columns")) ? layoutName.mid(7).toInt() : 0;
    if (layoutName != QLatin1String("list") && (columns < 2 || columns > 4))
        return run.usageError(QStringLiteral("--layout: list, columns2, columns3 or columns4"));
    try {
        TSzotarak info;
        if (!findAnyDictionary(run, info)) return 1;
        if (info.tipus != Bilingual && !(info.tipus == HeadwordList && columns == 0))
            return run.fail(QStringLiteral("%1 cannot be printed in the %2 layout").arg(info.szotarak_nev, layoutName));
        Table table(run.db);
        openInWindowOrder(table, info);
        const Folders folders = currentFolders();
        const printing::MakerContact maker = printing::makerContactFor(loadSettings(IniFile(folders.configFile), folders).server);
        const printing::ReportLayout layout = columns > 0               ? printing::dictionaryFormatLayout(info, columns, maker)
                                              : info.tipus == Bilingual ? printing::bilingualListLayout(info, maker)
                                                                        : printing::headwordListLayout(info, maker);
        ReadSpan reading(table);
        printing::TableRows rows(table);
        const printing::PdfResult written = printing::renderPdf(path, layout, rows, QDateTime::currentDateTime());
        if (!written.ok) return run.fail(written.error);
        run.out << path << ": " << written.pages << " pages written\n";
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

} // namespace verbalo::cli
