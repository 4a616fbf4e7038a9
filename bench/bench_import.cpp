// The plain-text imports through their windows' own code path, offscreen.
//
//   bench_import --pairs FILE --work FOLDER [--sqlite3 PROGRAM] [--headwords N]
//
// The word-pair file goes through the word-pair import window (loaded into its editor, then
// "Betölt") into a bilingual table, against the sqlite3 shell's .import of the same file into a
// table with the same primary key, in the same run. A headword list file of N (default 100,000)
// headwords made from the pair file goes through the list import window. Each import's peak
// memory is read from the kernel and set against twice the file's size plus 100 MB. The work
// folder is emptied first.

#include "support/bench_frame.h"
#include "support/bench_support.h"

#include "common/messages.h"
#include "common/settings.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "common/text_routines.h"
#include "exchange/list_import_window.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/pair_import.h"
#include "exchange/pair_import_window.h"
#include "widgets/frame_services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QSet>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace verbalo;
using namespace bench;

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

using Options = bench::BenchOptions;

void makeTable(store::Database& db, int type, const QString& name) {
    store::Query q(db);
    q.setSql(createDictionaryTableLines(type, name).join(QLatin1Char('\n')));
    q.exec();
}

// A headword list made from the pair file: its first distinct headwords, each with one to four
// body lines of translations, written as the list export writes (Windows-1250, CR LF).
bool writeListFile(const Options& opt, const QString& path, qint64* lines) {
    QFile in(opt.pairs);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QStringList out;
    QSet<QString> seen;
    QStringList translations;
    int entries = 0;
    while (!in.atEnd() && entries < opt.headwords) {
        QByteArray l = in.readLine();
        while (l.endsWith('\n') || l.endsWith('\r')) l.chop(1);
        const int sep = l.indexOf(';');
        if (sep < 0) continue;
        const QString headword = QString::fromUtf8(l.constData(), sep);
        translations << QString::fromUtf8(l.constData() + sep + 1, l.size() - sep - 1);
        if (seen.contains(headword)) continue;
        seen.insert(headword);
        out << QStringLiteral("##") + headword;
        const int bodyLines = 1 + entries % 4;
        for (int b = 0; b < bodyLines; ++b) {
            QStringList words;
            for (int w = 0; w < 6; ++w) words << translations.at((entries * 7 + b * 3 + w) % translations.size());
            out << words.join(QLatin1Char(' ')) + QLatin1Char('.');
        }
        if (translations.size() > 4096) translations = translations.mid(2048);
        ++entries;
    }
    *lines = out.size();
    return writeTextFile(path, out).ok;
}

// One import window on a file: loading it for viewing, then "Betölt"; finished when the window
// reported the end of the import and nothing else.
struct WindowRun {
    double loadSeconds = 0;
    double importSeconds = 0;
    int repaints = 0;
    long peakKiB = 0;
    bool finished = false;
};

WindowRun runWindow(ImportWindow& window, const QString& file, RecordingMessageSink& sink) {
    WindowRun run;
    window.show();
    QApplication::processEvents();
    auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QObject::connect(bar, &QProgressBar::valueChanged, &window, [&run] { ++run.repaints; });
    sink.clear();
    auto start = Clock::now();
    window.setFileName(file);
    window.loadNamedFile();
    QApplication::processEvents();
    run.loadSeconds = secondsSince(start);
    start = Clock::now();
    window.runImport();
    run.importSeconds = secondsSince(start);
    run.peakKiB = statusKiB("VmHWM:");
    run.finished = sink.texts() == QStringList{QStringLiteral("Állomány betöltése kész.")};
    if (!run.finished) say(QStringLiteral("  messages: ") + sink.texts().join(QStringLiteral(" / ")));
    window.reject();
    return run;
}

int tableRows(store::Database& db, const QString& table) {
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    return q.open().value(0).toInt();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options opt = bench::parseBenchOptions(app.arguments());
    if (opt.pairs.isEmpty() || opt.work.isEmpty() || !QFileInfo(opt.pairs).isFile()) {
        std::fprintf(stderr, "usage: bench_import --pairs FILE --work FOLDER [--sqlite3 PROGRAM] [--headwords N]\n");
        return 2;
    }
    opt.pairs = QFileInfo(opt.pairs).absoluteFilePath();
    QDir(opt.work).removeRecursively();
    QDir().mkpath(opt.work + QStringLiteral("/data"));
    opt.work = QFileInfo(opt.work).absoluteFilePath();

    RecordingMessageSink sink;
    ScopedMessageSink sinkGuard(&sink);
    BenchFrame frame(opt.work);
    store::Database& db = frame.database();

    const QString listFile = opt.work + QStringLiteral("/list-%1.txt").arg(opt.headwords);
    qint64 listLines = 0;
    if (!writeListFile(opt, listFile, &listLines)) {
        std::fprintf(stderr, "bench_import: cannot make %s\n", qPrintable(listFile));
        return 1;
    }
    const double pairBytes = double(QFileInfo(opt.pairs).size());
    const double listBytes = double(QFileInfo(listFile).size());

    say(QStringLiteral("import: the two import windows, offscreen"));
    say(QStringLiteral("pair file %1 (%2 MiB)").arg(opt.pairs).arg(pairBytes / kMiB, 0, 'f', 1));

    // The reference: the shell's .import into a table with the same key.
    const std::string plain = (opt.work + QStringLiteral("/plain.db")).toStdString();
    const std::string script = (opt.work + QStringLiteral("/import.sql")).toStdString();
    {
        std::ofstream s(script);
        s << "CREATE TABLE t(nyelv1 TEXT, nyelv2 TEXT, PRIMARY KEY (nyelv1, nyelv2));\n.mode csv\n.separator ;\n.import "
          << opt.pairs.toStdString() << " t\n";
    }
    const ChildRun shell = runChild({opt.sqlite3.toStdString(), plain}, script, "/dev/null");
    if (shell.status != 0) {
        std::fprintf(stderr, "bench_import: the sqlite3 shell failed (%d)\n", shell.status);
        return 1;
    }

    // The word pairs through Tfrm_SzotarBetolt on the dictionary window's table.
    makeTable(db, Bilingual, QStringLiteral("angol"));
    WindowRun pairs;
    int pairRows = 0;
    {
        store::Table table(db);
        table.setTableName(QStringLiteral("angol"));
        table.setIndexFieldNames(QStringLiteral("nyelv1"));
        table.open();
        resetPeakMemory();
        Tfrm_SzotarBetolt window(frame, table);
        pairs = runWindow(window, opt.pairs, sink);
        pairRows = table.recordCount();
    }
    // The same file through the import logic alone, without the window (its editor and its
    // repaints), into a second table: what the window adds to the store's own cost.
    makeTable(db, Bilingual, QStringLiteral("angol2"));
    double logicSeconds = 0;
    {
        store::Table table(db);
        table.setTableName(QStringLiteral("angol2"));
        table.setIndexFieldNames(QStringLiteral("nyelv1"));
        table.open();
        const auto start = Clock::now();
        const ImportText file = readImportText(opt.pairs);
        PairImporter importer(table, QLatin1Char(';'));
        forEachLine(file.text, true,
                    [&importer](QStringView line) { return importer.offer(line.toString()) != RowResult::Failed; });
        importer.finish();
        logicSeconds = secondsSince(start);
    }
    const double pairTotal = pairs.loadSeconds + pairs.importSeconds;
    const double ratio = pairTotal / shell.seconds;
    say(QStringLiteral("  window: load into the editor %1 s, import %2 s (commit and the list's order included), %3 rows, "
                       "%4 repaints of the progress bar")
            .arg(pairs.loadSeconds, 0, 'f', 2)
            .arg(pairs.importSeconds, 0, 'f', 2)
            .arg(pairRows)
            .arg(pairs.repaints));
    say(QStringLiteral("  the import logic alone, no window: %1 s (the window adds %2 s)")
            .arg(logicSeconds, 0, 'f', 2)
            .arg(pairTotal - logicSeconds, 0, 'f', 2));
    say(QStringLiteral("  sqlite3 .import: %1 s, %2 rows")
            .arg(shell.seconds, 0, 'f', 2)
            .arg(tableRows(db, QStringLiteral("angol"))));
    say(QStringLiteral("  file to table: window %1 s / shell %2 s = %3x (goal <= 1.5x) %4")
            .arg(pairTotal, 0, 'f', 2)
            .arg(shell.seconds, 0, 'f', 2)
            .arg(ratio, 0, 'f', 2)
            .arg(QLatin1String(verdict(ratio <= 1.5 && pairs.finished))));
    const double pairLimit = 2 * pairBytes / 1024 + 100 * 1024;
    say(QStringLiteral("  peak memory %1 MiB (goal <= 2 x file + 100 MiB = %2 MiB) %3; the shell's %4 MiB")
            .arg(pairs.peakKiB / 1024.0, 0, 'f', 0)
            .arg(pairLimit / 1024, 0, 'f', 0)
            .arg(QLatin1String(verdict(pairs.peakKiB <= pairLimit)))
            .arg(shell.maxRssKiB / 1024.0, 0, 'f', 0));

    // The headword list through Tfrm_ListaBetolt.
    say(QStringLiteral("list file %1: %2 headwords, %3 lines (%4 MiB, Windows-1250)")
            .arg(listFile)
            .arg(opt.headwords)
            .arg(listLines)
            .arg(listBytes / kMiB, 0, 'f', 1));
    makeTable(db, HeadwordList, QStringLiteral("lexikon"));
    WindowRun list;
    int listRows = 0;
    {
        store::Table table(db);
        table.setTableName(QStringLiteral("lexikon"));
        table.setIndexFieldNames(QStringLiteral("nyelv1"));
        table.open();
        resetPeakMemory();
        Tfrm_ListaBetolt window(frame, table);
        list = runWindow(window, listFile, sink);
        listRows = table.recordCount();
    }
    say(QStringLiteral("  window: preview %1 s, import %2 s, %3 rows = %4 rows/s, %5 lines/s, %6 repaints %7")
            .arg(list.loadSeconds, 0, 'f', 2)
            .arg(list.importSeconds, 0, 'f', 2)
            .arg(listRows)
            .arg(listRows / list.importSeconds, 0, 'f', 0)
            .arg(listLines / list.importSeconds, 0, 'f', 0)
            .arg(list.repaints)
            .arg(QLatin1String(list.finished && listRows == opt.headwords ? "" : "(incomplete)")));
    const double listLimit = 2 * listBytes / 1024 + 100 * 1024;
    say(QStringLiteral("  peak memory %1 MiB (goal <= 2 x file + 100 MiB = %2 MiB) %3")
            .arg(list.peakKiB / 1024.0, 0, 'f', 0)
            .arg(listLimit / 1024, 0, 'f', 0)
            .arg(QLatin1String(verdict(list.peakKiB <= listLimit))));
    return 0;
}
