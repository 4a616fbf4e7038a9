// The exports on the generated dictionary, through the same logic as the export windows.
//
//   bench_export --pairs FILE --work FOLDER [--sqlite3 PROGRAM]
//
// The pair file is loaded once into a bilingual table in the work folder (kept between runs).
// The delimited export of the whole table is set against the sqlite3 shell's -csv output of
// the same table file to a file, in the same run, and its peak memory against twice the
// file's size plus 100 MB. The worksheet (its 65,535 rows) and the HTML page of 100,000 rows
// report rows per second.

#include "support/bench_support.h"

#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_routines.h"
#include "exchange/logic/data_to_xls.h"
#include "exchange/logic/delimited_export.h"
#include "exchange/logic/html_page_export.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/pair_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace verbalo;
using namespace bench;

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr int kHtmlRows = 100000;

QByteArray readFileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void run(store::Database& db, const QString& sql) {
    store::Query q(db);
    q.setSql(sql);
    q.exec();
}

// The pair file as the bilingual table "angol", and its first rows as "angol100k".
bool loadOnce(store::Database& db, const BenchOptions& opt) {
    if (QFileInfo::exists(opt.work + QStringLiteral("/Data/angol100k.DB"))) return true;
    say(QStringLiteral("loading %1 into the work folder (once)").arg(opt.pairs));
    run(db, createDictionaryTableLines(Bilingual, QStringLiteral("angol")).join(QLatin1Char('\n')));
    const ImportText file = readImportText(opt.pairs);
    if (!file.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(file.error));
        return false;
    }
    store::Table table(db);
    table.setTableName(QStringLiteral("angol"));
    table.open();
    PairImporter importer(table, QLatin1Char(';'));
    forEachLine(file.text, false, [&importer](QStringView line) { return importer.offer(line.toString()) != RowResult::Failed; });
    if (!importer.finish()) {
        std::fprintf(stderr, "load failed: %s\n", qPrintable(importer.failure()));
        return false;
    }
    run(db, createDictionaryTableLines(Bilingual, QStringLiteral("angol100k")).join(QLatin1Char('\n')));
    run(db, QStringLiteral("INSERT INTO angol100k SELECT nyelv1, nyelv2 FROM angol LIMIT %1").arg(kHtmlRows));
    return true;
}

int runBench(const BenchOptions& opt) {
    QDir().mkpath(opt.work + QStringLiteral("/Data"));
    store::Database db;
    db.connect(QStringLiteral("szotar"), opt.work + QStringLiteral("/Data"));
    if (!loadOnce(db, opt)) return 1;
    store::Table table(db);
    table.setTableName(QStringLiteral("angol"));
    table.open();
    table.setIndexFieldNames(QStringLiteral("nyelv1"));
    const int rows = table.recordCount();

    // --- delimited, against the sqlite3 shell writing the same table as CSV ------------------
    const std::string storeFile = (opt.work + QStringLiteral("/Data/angol.DB")).toStdString();
    const std::string shellOut = (opt.work + QStringLiteral("/shell.csv")).toStdString();
    writeFile((opt.work + QStringLiteral("/csv.sql")).toStdString(), ".mode csv\n.once " + shellOut + "\nSELECT * FROM angol;\n");
    const ChildRun shell =
        runChild({opt.sqlite3.toStdString(), storeFile}, (opt.work + QStringLiteral("/csv.sql")).toStdString(), "/dev/null");
    if (shell.status != 0) {
        std::fprintf(stderr, "sqlite3 -csv failed (status %d)\n", shell.status);
        return 1;
    }
    const QString csv = opt.work + QStringLiteral("/export.csv");
    resetPeakMemory();
    const long before = statusKiB("VmHWM:");
    auto start = Clock::now();
    const DelimitedResult delimited = exportDelimited(table, exportFieldsOf(table), {}, csv);
    const double delimitedSeconds = secondsSince(start);
    const double peakMiB = (statusKiB("VmHWM:") - before) / 1024.0;
    if (!delimited.ok) {
        std::fprintf(stderr, "delimited export failed: %s\n", qPrintable(delimited.error));
        return 1;
    }
    const double fileMiB = QFileInfo(csv).size() / kMiB;
    const double ratio = delimitedSeconds / shell.seconds;
    say(QStringLiteral("delimited  %1 rows: %2 s, sqlite3 -csv %3 s: %4x (goal <= 1.0) %5")
            .arg(rows)
            .arg(delimitedSeconds, 0, 'f', 2)
            .arg(shell.seconds, 0, 'f', 2)
            .arg(ratio, 0, 'f', 2)
            .arg(QString::fromLatin1(verdict(ratio <= 1.0))));
    say(QStringLiteral("           peak memory above the start %1 MiB for a %2 MiB file (goal <= %3 MiB) %4")
            .arg(peakMiB, 0, 'f', 0)
            .arg(fileMiB, 0, 'f', 1)
            .arg(2 * fileMiB + 100, 0, 'f', 0)
            .arg(QString::fromLatin1(verdict(peakMiB <= 2 * fileMiB + 100))));

    // The same export through the table's cursor, the way it went before it read its rows in
    // one statement: for comparison, and to see that both give the same file.
    const QString cursorCsv = opt.work + QStringLiteral("/export-cursor.csv");
    start = Clock::now();
    const DelimitedResult throughCursor =
        exportDelimited(table, exportFieldsOf(table), {}, cursorCsv, {}, RowReading::Cursor);
    const double cursorSeconds = secondsSince(start);
    const bool sameFile = throughCursor.ok && readFileBytes(csv) == readFileBytes(cursorCsv);
    say(QStringLiteral("           through the cursor %1 s: %2x the sqlite3 shell, %3x the export; same bytes: %4")
            .arg(cursorSeconds, 0, 'f', 2)
            .arg(cursorSeconds / shell.seconds, 0, 'f', 2)
            .arg(cursorSeconds / delimitedSeconds, 0, 'f', 2)
            .arg(sameFile ? QStringLiteral("yes") : QStringLiteral("NO")));

    // --- the worksheet: as many rows as BIFF2 holds ------------------------------------------
    start = Clock::now();
    const SpreadsheetResult sheet = exportSpreadsheet(table, exportFieldsOf(table), {}, opt.work + QStringLiteral("/export.xls"));
    const double sheetSeconds = secondsSince(start);
    say(QStringLiteral("worksheet  %1 rows: %2 s, %3 rows/s")
            .arg(sheet.rows)
            .arg(sheetSeconds, 0, 'f', 2)
            .arg(sheet.rows / sheetSeconds, 0, 'f', 0));

    // --- the HTML page of 100,000 rows ---------------------------------------------------------
    store::Table small(db);
    small.setTableName(QStringLiteral("angol100k"));
    small.open();
    small.setIndexFieldNames(QStringLiteral("nyelv1"));
    start = Clock::now();
    const HtmlPageResult page =
        writeHtmlPage(small, parseHtmlColumns({QStringLiteral("nyelv1;magyar;50;"), QStringLiteral("nyelv2;angol;50;")}),
                      QStringLiteral("Angol"), opt.work + QStringLiteral("/export.htm"));
    const double pageSeconds = secondsSince(start);
    if (!page.ok) {
        std::fprintf(stderr, "HTML page failed: %s\n", qPrintable(page.error));
        return 1;
    }
    say(QStringLiteral("HTML page  %1 rows: %2 s, %3 rows/s")
            .arg(page.rows)
            .arg(pageSeconds, 0, 'f', 2)
            .arg(page.rows / pageSeconds, 0, 'f', 0));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const BenchOptions opt = parseBenchOptions(app.arguments());
    if (opt.pairs.isEmpty() || opt.work.isEmpty()) {
        std::fprintf(stderr, "usage: bench_export --pairs FILE --work FOLDER [--sqlite3 PROGRAM]\n");
        return 2;
    }
    return runBench(opt);
}
