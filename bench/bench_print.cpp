// The dictionary format in 3 columns on a dictionary of 100,000 pairs, rendered into a PDF file
// through the same pager and engine as the preview and verbalo-cli print.
//
//   bench_print --work FOLDER
//
// The dictionary is made once in the work folder (kept between runs): 50,000 headwords with two
// translations each, so that every headword prints as a group. The goal: the whole PDF within
// 10 s. The figures are pages per second, and the time the preview waits before it shows page 1
// (laid out on its own and painted at the preview's 80 %) against the time to lay out every
// page, which the preview does afterwards in slices, and against the whole PDF, all in one run.

#include "support/bench_support.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "printing/logic/dictionary_layouts.h"
#include "printing/logic/paged_report.h"
#include "printing/pdf_rendering.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>

using namespace verbalo;
using namespace bench;

namespace {

constexpr int kPairs = 100000;
constexpr double kGoalSeconds = 10.0;

void run(store::Database& db, const QString& sql) {
    store::Query q(db);
    q.setSql(sql);
    q.exec();
}

void makeOnce(store::Database& db, const QString& work) {
    if (QFileInfo::exists(work + QStringLiteral("/Data/nyomtat.DB"))) return;
    say(QStringLiteral("making %1 pairs in the work folder (once)").arg(kPairs));
    run(db, createDictionaryTableLines(Bilingual, QStringLiteral("nyomtat")).join(QLatin1Char('\n')));
    run(db, QStringLiteral("INSERT INTO nyomtat (nyelv1, nyelv2) WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 "
                           "FROM c WHERE i < %1) SELECT printf('szó%06d', i / 2), printf('word%07d translation', i) FROM c")
                .arg(kPairs - 1));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const BenchOptions opt = parseBenchOptions(app.arguments());
    if (opt.work.isEmpty()) {
        say(QStringLiteral("usage: bench_print --work FOLDER"));
        return 2;
    }
    QDir().mkpath(opt.work + QStringLiteral("/Data"));
    store::Database db;
    db.connect(QStringLiteral("szotar"), opt.work + QStringLiteral("/Data"));
    makeOnce(db, opt.work);
    store::Table table(db);
    table.setTableName(QStringLiteral("nyomtat"));
    table.open();
    table.setIndexFieldNames(kFirstLanguageColumn);

    TSzotarak info;
    info.szotarak_nev = QStringLiteral("Benchmark szótár");
    info.sorrend = kFirstLanguageColumn;
    const printing::ReportLayout layout = printing::dictionaryFormatLayout(info, 3, {});

    // What the preview does: page 1 laid out and painted first, then the rest laid out. Text is
    // measured at the printer's resolution, as the preview measures it.
    double firstPageMs = 0;
    double wholeLayoutMs = 0;
    int laidOutPages = 0;
    {
        QPdfWriter measuringDevice(opt.work + QStringLiteral("/measure.pdf"));
        measuringDevice.setResolution(1200);
        printing::prepareA4(measuringDevice);
        const Clock::time_point start = Clock::now();
        store::ReadSpan reading(table);
        printing::TableRows rows(table);
        printing::ReportPainter measuring(measuringDevice);
        printing::PagedReport report(layout, rows, measuring.measure(), QDateTime::currentDateTime());
        const QImage shown = printing::pageImage(report.page(1), 77);
        firstPageMs = msSince(start);
        if (shown.isNull()) return 1;
        while (report.layOutNext()) {
        }
        wholeLayoutMs = msSince(start);
        laidOutPages = report.pageCount();
    }

    const Clock::time_point start = Clock::now();
    store::ReadSpan reading(table);
    printing::TableRows rows(table);
    const printing::PdfResult result =
        printing::renderPdf(opt.work + QStringLiteral("/nyomtat.pdf"), layout, rows, QDateTime::currentDateTime());
    const double seconds = secondsSince(start);
    if (!result.ok) {
        say(result.error);
        return 1;
    }
    say(QStringLiteral("%1 pairs, 3 columns: %2 pages in %3 s, %4 pages/s (goal: within %5 s) %6")
            .arg(table.recordCount())
            .arg(result.pages)
            .arg(seconds, 0, 'f', 2)
            .arg(result.pages / seconds, 0, 'f', 1)
            .arg(kGoalSeconds, 0, 'f', 0)
            .arg(QString::fromLatin1(verdict(seconds <= kGoalSeconds))));
    say(QStringLiteral("preview: page 1 shown after %1 ms; every page laid out after %2 ms (%3 pages), %4x the wait "
                       "for page 1; the whole PDF %5x")
            .arg(firstPageMs, 0, 'f', 1)
            .arg(wholeLayoutMs, 0, 'f', 0)
            .arg(laidOutPages)
            .arg(wholeLayoutMs / firstPageMs, 0, 'f', 0)
            .arg(seconds * 1000 / firstPageMs, 0, 'f', 0));
    return 0;
}
