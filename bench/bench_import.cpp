// The plain-text imports through their windows' own code path, offscreen.
//
//   bench_import --pairs FILE --work FOLDER [--long-pairs FILE] [--big FILE] [--sqlite3 PROGRAM]
//                [--headwords N]
//
// Each word-pair file (the default profile's, and the long profile's when given) goes through
// the word-pair import window (loaded into its editor, then "Betölt") into a bilingual table,
// and through the import logic alone into a second one, against the sqlite3 shell's .import of
// the same file into a table with the same primary key, in the same run. A headword list file
// of N (default 100,000) headwords made from the pair file goes through the list import window.
// Each import's peak memory is read from the kernel and set against twice the file's size plus
// 100 MB. With --big, verbalo-cli import-pairs runs on that file as a child process, against
// the shell, with its peak memory from wait4. The work folder is emptied first.

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
#include "exchange/logic/import_line_reader.h"
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
    // The completion message goes on with the tally of stored and refused rows.
    run.finished = sink.texts().size() == 1 && sink.texts().first().startsWith(QStringLiteral("Állomány betöltése kész.\r\n"));
    if (!run.finished) say(QStringLiteral("  messages: ") + sink.texts().join(QStringLiteral(" / ")));
    window.reject();
    return run;
}

int tableRows(store::Database& db, const QString& table) {
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    return q.open().value(0).toInt();
}

// A child started here begins with this process's memory, and the kernel counts this
// process's peak resident size into the child's: the peak is set back to the present size
// first, so that a child's figure is its own (but never below this process's present size).
ChildRun runMeasuredChild(const std::vector<std::string>& args, const std::string& in, const std::string& out) {
    resetPeakMemory();
    return runChild(args, in, out);
}

// The shell's .import of a pair file into a table with the same key, in a database of its own.
ChildRun shellImport(const Options& opt, const QString& pairFile, const QString& name) {
    const std::string plain = (opt.work + QStringLiteral("/%1.db").arg(name)).toStdString();
    const std::string script = (opt.work + QStringLiteral("/%1.sql").arg(name)).toStdString();
    writeFile(script,
              "CREATE TABLE t(nyelv1 TEXT, nyelv2 TEXT, PRIMARY KEY (nyelv1, nyelv2));\n.mode csv\n.separator ;\n.import " +
                  pairFile.toStdString() + " t\n");
    const ChildRun shell = runMeasuredChild({opt.sqlite3.toStdString(), plain}, script, "/dev/null");
    if (shell.status != 0) std::fprintf(stderr, "bench_import: the sqlite3 shell failed (%d)\n", shell.status);
    return shell;
}

// One pair file through the pair window and through the import logic alone, each into a new
// bilingual table, against the shell; false when the shell failed.
bool pairFigures(BenchFrame& frame, RecordingMessageSink& sink, const Options& opt, const QString& profile,
                 const QString& pairFile, const QString& tableName) {
    store::Database& db = frame.database();
    const double pairBytes = double(QFileInfo(pairFile).size());
    say(QStringLiteral("pair file %1 (%2 MiB, %3 profile)").arg(pairFile).arg(pairBytes / kMiB, 0, 'f', 1).arg(profile));

    const ChildRun shell = shellImport(opt, pairFile, QStringLiteral("plain-") + profile);
    if (shell.status != 0) return false;

    // The word pairs through Tfrm_SzotarBetolt on the dictionary window's table.
    makeTable(db, Bilingual, tableName);
    WindowRun pairs;
    int pairRows = 0;
    {
        store::Table table(db);
        table.setTableName(tableName);
        table.setIndexFieldNames(QStringLiteral("nyelv1"));
        table.open();
        resetPeakMemory();
        Tfrm_SzotarBetolt window(frame, table);
        pairs = runWindow(window, pairFile, sink);
        pairRows = table.recordCount();
    }
    // The same file through the import logic alone, without the window (its editor and its
    // repaints), into a second table, read as verbalo-cli import-pairs reads it: what the
    // window adds to the store's own cost.
    const QString logicTable = tableName + QStringLiteral("2");
    makeTable(db, Bilingual, logicTable);
    double logicSeconds = 0;
    long logicPeakKiB = 0;
    {
        store::Table table(db);
        table.setTableName(logicTable);
        table.setIndexFieldNames(QStringLiteral("nyelv1"));
        table.open();
        resetPeakMemory();
        const auto start = Clock::now();
        ImportLineReader file(pairFile);
        PairImporter importer(table, QLatin1Char(';'));
        const bool read = file.open() && file.forEachLine(true, [&importer](QStringView line) {
            return importer.offer(line.toString()) != RowResult::Failed;
        });
        importer.finish();
        logicSeconds = secondsSince(start);
        logicPeakKiB = statusKiB("VmHWM:");
        if (!read) say(QStringLiteral("  the import logic could not read the file: ") + file.error());
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
    say(QStringLiteral("  sqlite3 .import: %1 s, %2 rows").arg(shell.seconds, 0, 'f', 2).arg(tableRows(db, tableName)));
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
    const double storeRatio = logicSeconds / shell.seconds;
    say(QStringLiteral("  %1 profile: store %2 s / shell %3 s = %4x (goal <= 0.8x) %5; peak memory %6 MiB (goal <= %7 MiB) "
                       "%8; the import logic alone peaks at %9 MiB")
            .arg(profile)
            .arg(logicSeconds, 0, 'f', 2)
            .arg(shell.seconds, 0, 'f', 2)
            .arg(storeRatio, 0, 'f', 2)
            .arg(QLatin1String(verdict(storeRatio <= 0.8 && tableRows(db, logicTable) == pairRows)))
            .arg(pairs.peakKiB / 1024.0, 0, 'f', 0)
            .arg(pairLimit / 1024, 0, 'f', 0)
            .arg(QLatin1String(verdict(pairs.peakKiB <= pairLimit)))
            .arg(logicPeakKiB / 1024.0, 0, 'f', 0));
    return true;
}

// verbalo-cli import-pairs on a large file into a new dictionary, as a child process timed from
// outside, against the shell's .import of the same file; false when a program failed.
bool cliFigure(const Options& opt) {
    const QString folder = opt.work + QStringLiteral("/cli-data");
    QDir().mkpath(folder);
    const std::string cli = (QCoreApplication::applicationDirPath() + QStringLiteral("/verbalo-cli")).toStdString();
    const std::string out = (opt.work + QStringLiteral("/cli-out.txt")).toStdString();
    const double bytes = double(QFileInfo(opt.bigPairs).size());
    say(QStringLiteral("verbalo-cli import-pairs on %1 (%2 MiB)").arg(opt.bigPairs).arg(bytes / kMiB, 0, 'f', 1));
    resetPeakMemory(); // what this process freed goes back first: no child's figure is below it
    const long ownKiB = statusKiB("VmRSS:");
    const ChildRun made = runChild(
        {cli, "--data", folder.toStdString(), "new", "--type", "pairs", "--name", "Angol", "--table", "angol"}, "/dev/null", out);
    if (made.status != 0) {
        std::fprintf(stderr, "bench_import: verbalo-cli new failed (%d): %s\n", made.status, readFile(out).c_str());
        return false;
    }
    const ChildRun shell = shellImport(opt, opt.bigPairs, QStringLiteral("plain-big"));
    const ChildRun run = runMeasuredChild(
        {cli, "--data", folder.toStdString(), "import-pairs", "--dict", "Angol", opt.bigPairs.toStdString()}, "/dev/null", out);
    const QString counts = QString::fromStdString(readFile(out)).trimmed();
    if (shell.status != 0 || run.status != 0) {
        std::fprintf(stderr, "bench_import: verbalo-cli import-pairs failed (%d): %s\n", run.status, qPrintable(counts));
        return false;
    }
    const double ratio = run.seconds / shell.seconds;
    const double limitKiB = 200 * 1024;
    say(QStringLiteral("  %1 (this process held %2 MiB when it started them)").arg(counts).arg(ownKiB / 1024.0, 0, 'f', 0));
    say(QStringLiteral("  command line %1 s / shell %2 s = %3x (goal <= 1.0x) %4; peak memory %5 MiB (goal <= 200 MiB) %6; "
                       "the shell's %7 MiB")
            .arg(run.seconds, 0, 'f', 1)
            .arg(shell.seconds, 0, 'f', 1)
            .arg(ratio, 0, 'f', 2)
            .arg(QLatin1String(verdict(ratio <= 1.0)))
            .arg(run.maxRssKiB / 1024.0, 0, 'f', 0)
            .arg(QLatin1String(verdict(run.maxRssKiB <= limitKiB)))
            .arg(shell.maxRssKiB / 1024.0, 0, 'f', 0));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options opt = bench::parseBenchOptions(app.arguments());
    if (opt.pairs.isEmpty() || opt.work.isEmpty() || !QFileInfo(opt.pairs).isFile()) {
        std::fprintf(stderr,
                     "usage: bench_import --pairs FILE --work FOLDER [--long-pairs FILE] [--big FILE] [--sqlite3 PROGRAM] "
                     "[--headwords N]\n");
        return 2;
    }
    for (QString* file : {&opt.pairs, &opt.longPairs, &opt.bigPairs})
        if (!file->isEmpty()) *file = QFileInfo(*file).absoluteFilePath();
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
    const double listBytes = double(QFileInfo(listFile).size());

    // First, while this process is small: a child's memory figure is never below its size.
    if (!opt.bigPairs.isEmpty() && !cliFigure(opt)) return 1;
    say(QStringLiteral("import: the two import windows, offscreen"));
    if (!pairFigures(frame, sink, opt, QStringLiteral("default"), opt.pairs, QStringLiteral("angol"))) return 1;
    if (!opt.longPairs.isEmpty() &&
        !pairFigures(frame, sink, opt, QStringLiteral("long"), opt.longPairs, QStringLiteral("hosszu")))
        return 1;

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
