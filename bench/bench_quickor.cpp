// The quick finder's lookup on a dictionary of a million pairs.
//
//   bench_quickor --pairs FILE --work FOLDER
//
// One lookup is what the quick finder does for each new word under the caret: open the
// dictionary table, seek the word on the search column's index, read its translations, close
// the table. Its times are set beside the same work done straight through the SQLite C API on
// the same file (open, one prepared keyed SELECT, close), measured in the same run. A caret
// move within the same word must not reach the store at all; the store reads are counted.
// The work folder keeps the loaded dictionary between runs; it is loaded again when the pair
// file changes.

#include "bench_rng.h"
#include "support/bench_support.h"

#include "common/store/collation.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "common/word_at_caret.h"
#include "quickfinder/logic/word_lookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace verbalo;
using namespace bench;

namespace {

constexpr double kGoalMedianMs = 5.0;
constexpr double kGoalRatio = 1.5;

struct Stats {
    double median = 0, p90 = 0, max = 0;
};

Stats statsOf(std::vector<double> v) {
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.median = v[v.size() / 2];
    s.p90 = v[std::min(v.size() - 1, v.size() * 9 / 10)];
    s.max = v.back();
    return s;
}

struct Options {
    QString pairs;
    QString work;
};

bool parseArgs(const QStringList& args, Options& opt) {
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--pairs"))
            opt.pairs = args[i + 1];
        else if (args[i] == QLatin1String("--work"))
            opt.work = args[i + 1];
        else
            return false;
    }
    return !opt.pairs.isEmpty() && !opt.work.isEmpty();
}

// The headwords of the pair file, in file order.
std::vector<QString> readHeadwords(const QString& path) {
    std::vector<QString> words;
    std::ifstream f(path.toStdString(), std::ios::binary);
    std::string line;
    while (std::getline(f, line)) {
        const size_t sep = line.find(';');
        if (sep != std::string::npos) words.push_back(QString::fromUtf8(line.data(), static_cast<qsizetype>(sep)));
    }
    return words;
}

// Loads the pair file into angol.DB through the store, unless the work folder already holds
// it for this very file.
bool ensureDictionary(const Options& opt) {
    const QFileInfo source(opt.pairs);
    const QString stamp = QStringLiteral("%1 %2 %3")
                              .arg(source.absoluteFilePath())
                              .arg(source.size())
                              .arg(source.lastModified().toMSecsSinceEpoch());
    const QString stampFile = opt.work + QStringLiteral("/angol.stamp");
    QFile stampIn(stampFile);
    if (stampIn.open(QIODevice::ReadOnly) && QString::fromUtf8(stampIn.readAll()) == stamp &&
        QFileInfo::exists(opt.work + QStringLiteral("/angol.DB"))) {
        std::printf("dictionary angol.DB already loaded from this pair file\n");
        return true;
    }
    QDir(opt.work).removeRecursively();
    QDir().mkpath(opt.work);
    const auto start = Clock::now();
    store::Database db;
    db.connect(QStringLiteral("szotar"), opt.work);
    store::Query create(db);
    create.setSql(QStringLiteral("CREATE TABLE angol ( nyelv1 CHAR(50), nyelv2 CHAR(50), PRIMARY KEY (nyelv1,nyelv2));"));
    create.exec();
    store::Table t(db);
    t.setTableName(QStringLiteral("angol"));
    t.open();
    t.disableControls();
    store::WriteBatch batch(t);
    std::ifstream f(opt.pairs.toStdString(), std::ios::binary);
    std::string line;
    long rows = 0;
    while (std::getline(f, line)) {
        const size_t sep = line.find(';');
        if (sep == std::string::npos) continue;
        t.insert();
        t.setValue(QStringLiteral("nyelv1"), QString::fromUtf8(line.data(), static_cast<qsizetype>(sep)));
        t.setValue(QStringLiteral("nyelv2"),
                   QString::fromUtf8(line.data() + sep + 1, static_cast<qsizetype>(line.size() - sep - 1)));
        t.post();
        ++rows;
    }
    batch.commit();
    t.enableControls();
    t.close();
    QFile stampOut(stampFile);
    if (!stampOut.open(QIODevice::WriteOnly) || stampOut.write(stamp.toUtf8()) < 0) return false;
    std::printf("loaded %ld pairs into angol.DB in %.1f s (made once, kept for later runs)\n", rows, msSince(start) / 1000.0);
    return true;
}

// The words a user looks up: existing headwords in their own case, some with a capital or in
// capitals, and some that are not in the dictionary.
std::vector<QString> lookupWords(const std::vector<QString>& headwords, int count) {
    BenchRng rng(0x9C1C0E5EEDULL);
    std::vector<QString> words;
    while (static_cast<int>(words.size()) < count) {
        QString w = headwords[rng.below(static_cast<std::uint32_t>(headwords.size()))];
        if (w.contains(QLatin1Char(' '))) continue; // a caret word has no blank
        if (rng.chance(10))
            w = w.left(1).toUpper() + w.mid(1);
        else if (rng.chance(5))
            w = w.toUpper();
        else if (rng.chance(20))
            w += QStringLiteral("xq");
        if (!words.empty() && words.back() == w) continue;
        words.push_back(w);
    }
    return words;
}

// The same lookup straight on SQLite: open the file, one keyed SELECT with the store's
// collation on the index, read the rows whose headword matches without regard to case, close.
int referenceLookup(const QByteArray& file, const QString& word) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return -1;
    store::registerCollationAndFunctions(db);
    sqlite3_stmt* stmt = nullptr;
    int found = 0;
    if (sqlite3_prepare_v2(db,
                           "SELECT nyelv1, nyelv2 FROM angol WHERE nyelv1 COLLATE VERBALO >= ?1 "
                           "ORDER BY nyelv1 COLLATE VERBALO, nyelv2 COLLATE VERBALO, rowid",
                           -1, &stmt, nullptr) == SQLITE_OK) {
        const QByteArray lower = word.toLower().toUtf8();
        const QByteArray key = lower; // the lower-case form sorts first among its case variants
        sqlite3_bind_text(stmt, 1, key.constData(), key.size(), SQLITE_TRANSIENT);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const QString head = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            if (head.toLower().toUtf8() != lower) break;
            ++found;
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return found;
}

QString queryPlan(const QByteArray& file) {
    sqlite3* db = nullptr;
    QString plan;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return plan;
    store::registerCollationAndFunctions(db);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db,
                           "EXPLAIN QUERY PLAN SELECT * FROM angol WHERE nyelv1 COLLATE VERBALO >= 'a' "
                           "ORDER BY nyelv1 COLLATE VERBALO, nyelv2 COLLATE VERBALO, rowid",
                           -1, &stmt, nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW)
            plan += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + QLatin1Char(' ');
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return plan.trimmed();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options opt;
    if (!parseArgs(app.arguments(), opt)) {
        std::fprintf(stderr, "usage: bench_quickor --pairs FILE --work FOLDER\n");
        return 2;
    }
    const std::vector<QString> headwords = readHeadwords(opt.pairs);
    if (headwords.empty()) {
        std::fprintf(stderr, "bench_quickor: no pairs in %s\n", qPrintable(opt.pairs));
        return 1;
    }
    try {
        if (!ensureDictionary(opt)) {
            std::fprintf(stderr, "bench_quickor: cannot write to %s\n", qPrintable(opt.work));
            return 1;
        }
        const QByteArray file = (opt.work + QStringLiteral("/angol.DB")).toUtf8();
        std::printf("dictionary: %zu pairs; keyed seek plan: %s\n\n", headwords.size(), qPrintable(queryPlan(file)));

        store::Database db;
        db.connect(QStringLiteral("szotar"), opt.work);
        WordLookup lookup(db);
        lookup.setTable(QStringLiteral("angol"));
        const std::vector<QString> words = lookupWords(headwords, 2000);

        // The first lookup of the run also checks the file once (collation version).
        auto start = Clock::now();
        lookup.lookUp(QStringLiteral("kezdő"));
        const double firstMs = msSince(start);

        std::vector<double> storeTimes, referenceTimes;
        long storeFound = 0, referenceFound = 0, failures = 0;
        for (const QString& w : words) {
            start = Clock::now();
            const std::optional<LookupOutcome> outcome = lookup.lookUp(w);
            storeTimes.push_back(msSince(start));
            if (!outcome || !outcome->error.isEmpty())
                ++failures;
            else
                storeFound += outcome->translations.size();
        }
        for (const QString& w : words) {
            start = Clock::now();
            const int n = referenceLookup(file, w);
            referenceTimes.push_back(msSince(start));
            referenceFound += std::max(n, 0);
        }
        const Stats s = statsOf(storeTimes);
        const Stats r = statsOf(referenceTimes);
        std::printf("lookup    %zu words (open table, seek, read translations, close), each timed\n", words.size());
        std::printf("          quick finder: median %.3f ms, p90 %.3f ms, max %.3f ms; first lookup of the run %.3f ms\n",
                    s.median, s.p90, s.max, firstMs);
        std::printf("          SQLite C API: median %.3f ms, p90 %.3f ms, max %.3f ms (open, keyed SELECT, close)\n", r.median,
                    r.p90, r.max);
        std::printf("          ratio %.2fx; translations found %ld (reference %ld); failed lookups %ld\n",
                    r.median > 0 ? s.median / r.median : 0.0, storeFound, referenceFound, failures);
        std::printf("          goal median <= %.1f ms: %s\n", kGoalMedianMs,
                    s.median <= kGoalMedianMs && failures == 0 && storeFound == referenceFound ? "PASS" : "MISS");
        const double ratio = r.median > 0 ? s.median / r.median : 0.0;
        std::printf("          ratio %.2fx   goal <= %.1fx the SQLite C API   %s\n\n", ratio, kGoalRatio,
                    ratio <= kGoalRatio && failures == 0 && storeFound == referenceFound ? "PASS" : "MISS");

        // Caret moves within one word: the word under the caret is found again, the lookup
        // sees the same word and the store is never asked.
        const QString line = QStringLiteral("a %1 b").arg(words.front());
        lookup.lookUp(wordAtCaret(line, 3));
        const quint64 opensBefore = lookup.tableOpens();
        const quint64 readsBefore = lookup.storeReads();
        const int wordLength = static_cast<int>(words.front().toUcs4().size());
        std::vector<double> moveTimes;
        for (int i = 0; i < 10000; ++i) {
            start = Clock::now();
            const QString w = wordAtCaret(line, 3 + i % (wordLength + 1));
            lookup.lookUp(w);
            moveTimes.push_back(msSince(start) * 1000.0);
        }
        const Stats m = statsOf(moveTimes);
        const quint64 opens = lookup.tableOpens() - opensBefore;
        const quint64 reads = lookup.storeReads() - readsBefore;
        std::printf("caret     10000 caret moves within one word: median %.2f us, max %.2f us\n", m.median, m.max);
        std::printf("          table opens %llu, store reads %llu; goal no store access: %s\n",
                    static_cast<unsigned long long>(opens), static_cast<unsigned long long>(reads),
                    opens == 0 && reads == 0 ? "PASS" : "MISS");
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "bench_quickor: %s\n", e.what());
        return 1;
    }
    return 0;
}
