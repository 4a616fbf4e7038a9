// The table store against plain SQLite on a dictionary of a million pairs.
//
//   bench_store --pairs FILE --work FOLDER [--sqlite3 PROGRAM]
//
// Each figure is measured against a reference taken in the same run on the same data (the
// sqlite3 shell, or the SQLite C API on a plain table), and printed as a ratio with both
// absolute times. The work folder is emptied first; it ends up holding the store's angol.DB
// and the shell's plain.db.

#include "bench_rng.h"
#include "support/bench_support.h"

#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/store_error.h"
#include "common/store/table.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace verbalo::store;
using namespace bench;

namespace {

// Same generator as the pair file's: the seek keys are the same on every machine.
using Rng = BenchRng;

void line(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

struct Options {
    std::string pairs;
    std::string work;
    std::string sqlite3 = "sqlite3";
};

// Keys for go-to-nearest as a user types them: a prefix of an existing headword, sometimes
// with a wrong last letter, sometimes with a capital first letter.
std::vector<QString> seekKeys(const std::vector<QString>& headwords, int count) {
    static const char16_t letters[] = u"abcdefghijklmnoprstuvzáéíóöőúüű";
    const int letterCount = static_cast<int>(std::char_traits<char16_t>::length(letters));
    Rng rng(0x5EEC5EEDULL);
    std::vector<QString> keys;
    keys.reserve(static_cast<size_t>(count));
    while (static_cast<int>(keys.size()) < count) {
        const QString& w = headwords[rng.below(static_cast<std::uint32_t>(headwords.size()))];
        QString k = w.left(1 + static_cast<int>(rng.below(static_cast<std::uint32_t>(w.size()))));
        if (rng.below(100) < 20) k[k.size() - 1] = QChar(letters[rng.below(static_cast<std::uint32_t>(letterCount))]);
        if (rng.below(100) < 10) k[0] = k[0].toUpper();
        keys.push_back(k);
    }
    return keys;
}

int run(const Options& opt) {
    const QString work = QString::fromStdString(opt.work);
    QDir(work).removeRecursively();
    QDir().mkpath(work + QStringLiteral("/data"));
    const std::string dataDir = opt.work + "/data";
    const std::string storeFile = dataDir + "/angol.DB";
    const std::string plainFile = opt.work + "/plain.db";
    const std::string devNull = "/dev/null";
    char buf[1024];

    // --- load: sqlite3 shell .import into a plain table (reference) -------------------------
    writeFile(opt.work + "/import.sql", "CREATE TABLE t(nyelv1 TEXT, nyelv2 TEXT, PRIMARY KEY (nyelv1, nyelv2));\n"
                                        ".mode csv\n.separator ;\n.import '" +
                                            opt.pairs + "' t\n");
    const ChildRun shellLoad = runChild({opt.sqlite3, plainFile}, opt.work + "/import.sql", opt.work + "/import.out");
    if (shellLoad.status != 0) {
        std::fprintf(stderr, "sqlite3 .import failed (status %d): %s\n", shellLoad.status,
                     readFile(opt.work + "/import.out").c_str());
        return 1;
    }

    // --- load: the store's insert/post path into a new bilingual table ----------------------
    std::vector<QString> headwordSample;
    long rows = 0;
    double postSeconds = 0, loadSeconds = 0;
    {
        const auto start = Clock::now();
        Database db;
        db.connect(QStringLiteral("szotar"), QString::fromStdString(dataDir));
        Query create(db);
        create.setSql(QStringLiteral("CREATE TABLE angol ( nyelv1 CHAR(50), nyelv2 CHAR(50), PRIMARY KEY (nyelv1,nyelv2));"));
        create.exec();
        Table t(db);
        t.setTableName(QStringLiteral("angol"));
        t.open();
        QFile in(QString::fromStdString(opt.pairs));
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", opt.pairs.c_str());
            return 1;
        }
        const QString f1 = QStringLiteral("nyelv1"), f2 = QStringLiteral("nyelv2");
        t.disableControls();
        t.beginBatch();
        while (!in.atEnd()) {
            QByteArray l = in.readLine();
            if (l.endsWith('\n')) l.chop(1);
            const int sep = l.indexOf(';');
            if (sep < 0) continue;
            const QString a = QString::fromUtf8(l.constData(), sep);
            const QString b = QString::fromUtf8(l.constData() + sep + 1, l.size() - sep - 1);
            t.insert();
            t.setValue(f1, a);
            t.setValue(f2, b);
            t.post();
            if (rows % 50 == 0) headwordSample.push_back(a);
            ++rows;
        }
        t.endBatch();
        postSeconds = secondsSince(start);
        t.enableControls();
        t.close();
        loadSeconds = secondsSince(start);
    }
    const long loadPeakKiB = statusKiB("VmHWM:");

    std::snprintf(buf, sizeof buf, "Verbalo table store: %ld pairs from %s", rows, opt.pairs.c_str());
    line(buf);
    line("");
    const double loadRatio = loadSeconds / shellLoad.seconds;
    std::snprintf(buf, sizeof buf,
                  "load      store insert/post %.2f s (posts %.2f s + order on enableControls %.2f s)\n"
                  "          sqlite3 .import   %.2f s\n"
                  "          ratio %.2fx   goal <= 1.5x   %s",
                  loadSeconds, postSeconds, loadSeconds - postSeconds, shellLoad.seconds, loadRatio, verdict(loadRatio <= 1.5));
    line(buf);

    // --- open a cursor, count, go to the middle ---------------------------------------------
    std::vector<double> openMs;
    int counted = 0;
    QString middle;
    for (int i = 0; i < 3; ++i) {
        Database db;
        db.connect(QStringLiteral("szotar"), QString::fromStdString(dataDir));
        const auto start = Clock::now();
        Table t(db);
        t.setTableName(QStringLiteral("angol"));
        t.setIndexFieldNames(QStringLiteral("nyelv1"));
        t.open();
        counted = t.recordCount();
        t.setRecNo(500000);
        openMs.push_back(secondsSince(start) * 1000);
        middle = t.text(QStringLiteral("nyelv1"));
    }
    writeFile(opt.work + "/count.sql", "SELECT count(*) FROM angol;\n");
    const ChildRun shellCount = runChild({opt.sqlite3, storeFile}, opt.work + "/count.sql", opt.work + "/count.out");
    std::string countText = shellCount.status == 0 ? readFile(opt.work + "/count.out") : std::string("an error");
    while (!countText.empty() && (countText.back() == '\n' || countText.back() == '\r')) countText.pop_back();
    const double worstOpen = *std::max_element(openMs.begin(), openMs.end());
    std::snprintf(buf, sizeof buf,
                  "\nopen      Table open + recordCount + setRecNo(500000): %.0f / %.0f / %.0f ms (3 runs; %d rows, "
                  "record 500000 = \"%s\")\n"
                  "          sqlite3 SELECT count(*) on angol.DB: %.0f ms (returned %s)\n"
                  "          slowest run %.0f ms   goal <= 300 ms   %s",
                  openMs[0], openMs[1], openMs[2], counted, middle.toUtf8().constData(), shellCount.seconds * 1000,
                  countText.c_str(), worstOpen, verdict(worstOpen <= 300));
    line(buf);

    // --- go-to-nearest + record number ------------------------------------------------------
    const int seekCount = 10000;
    const std::vector<QString> keys = seekKeys(headwordSample, seekCount);
    std::vector<double> storeSeekUs;
    storeSeekUs.reserve(keys.size());
    long long recSum = 0;
    double storeSeekTotal = 0;
    {
        Database db;
        db.connect(QStringLiteral("szotar"), QString::fromStdString(dataDir));
        Table t(db);
        t.setTableName(QStringLiteral("angol"));
        t.setIndexFieldNames(QStringLiteral("nyelv1"));
        t.open();
        const auto all = Clock::now();
        for (const QString& k : keys) {
            const auto start = Clock::now();
            t.gotoNearest({k});
            recSum += t.recNo();
            storeSeekUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        }
        storeSeekTotal = secondsSince(all);
    }
    // The reference counts index entries below the key, which costs a scan per seek: it runs
    // on the same keys in order until a time budget is spent.
    std::vector<double> rawSeekUs;
    {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(plainFile.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* nearest = nullptr;
        sqlite3_stmt* below = nullptr;
        sqlite3_prepare_v2(raw, "SELECT nyelv1 FROM t WHERE nyelv1 >= ? ORDER BY nyelv1 LIMIT 1", -1, &nearest, nullptr);
        sqlite3_prepare_v2(raw, "SELECT COUNT(*) FROM t WHERE nyelv1 < ?", -1, &below, nullptr);
        if (!nearest || !below) {
            std::fprintf(stderr, "cannot prepare the reference seek: %s\n", sqlite3_errmsg(raw));
            return 1;
        }
        std::vector<QByteArray> utf8;
        for (const QString& k : keys) utf8.push_back(k.toUtf8());
        const auto budget = Clock::now();
        for (const QByteArray& k : utf8) {
            const auto start = Clock::now();
            sqlite3_bind_text(nearest, 1, k.constData(), static_cast<int>(k.size()), SQLITE_STATIC);
            if (sqlite3_step(nearest) == SQLITE_ROW) recSum += sqlite3_column_bytes(nearest, 0);
            sqlite3_reset(nearest);
            sqlite3_bind_text(below, 1, k.constData(), static_cast<int>(k.size()), SQLITE_STATIC);
            if (sqlite3_step(below) == SQLITE_ROW) recSum += sqlite3_column_int64(below, 0);
            sqlite3_reset(below);
            rawSeekUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            if (secondsSince(budget) > 30) break;
        }
        sqlite3_finalize(nearest);
        sqlite3_finalize(below);
        sqlite3_close(raw);
    }
    const double storeMedian = median(storeSeekUs);
    const std::vector<double> storeSame(storeSeekUs.begin(), storeSeekUs.begin() + static_cast<std::ptrdiff_t>(rawSeekUs.size()));
    const double rawMedian = median(rawSeekUs);
    const double seekRatio = storeMedian / rawMedian;
    std::snprintf(buf, sizeof buf,
                  "\nseek      store gotoNearest + recNo: median %.1f us, 90th pct %.1f us, max %.0f us "
                  "(%d seeks, %.2f s in all)\n"
                  "          raw SQLite >= ... LIMIT 1 + COUNT(*) < ...: median %.0f us (%zu seeks in a 30 s budget; "
                  "store median on those keys %.1f us)\n"
                  "          median goal <= 50 us   %s;   ratio %.4fx   goal <= 0.2x   %s   (checksum %lld)",
                  storeMedian, percentile(storeSeekUs, 0.9), *std::max_element(storeSeekUs.begin(), storeSeekUs.end()), seekCount,
                  storeSeekTotal, rawMedian, rawSeekUs.size(), median(storeSame), verdict(storeMedian <= 50), seekRatio,
                  verdict(seekRatio <= 0.2), recSum);
    line(buf);

    // --- full scan with Unicode UPPER and LIKE ------------------------------------------------
    const QString likeSql = QStringLiteral("SELECT * FROM angol WHERE UPPER(nyelv1) like '%ABC%'");
    double storeLike = 1e9;
    long likeRows = 0;
    for (int i = 0; i < 2; ++i) {
        Database db;
        db.connect(QStringLiteral("szotar"), QString::fromStdString(dataDir));
        const auto start = Clock::now();
        Query q(db);
        q.setSql(likeSql);
        ResultSet rs = q.open();
        long n = 0;
        while (!rs.eof()) {
            const QVariant a = rs.value(0);
            const QVariant b = rs.value(1);
            n += !a.isNull() && !b.isNull();
            rs.next();
        }
        storeLike = std::min(storeLike, secondsSince(start));
        likeRows = n;
    }
    writeFile(opt.work + "/like.sql", likeSql.toStdString() + ";\n");
    double shellLike = 1e9;
    int shellLikeStatus = 0;
    for (int i = 0; i < 2; ++i) {
        const ChildRun r = runChild({opt.sqlite3, storeFile}, opt.work + "/like.sql", devNull);
        shellLike = std::min(shellLike, r.seconds);
        shellLikeStatus |= r.status;
    }
    const double likeRatio = storeLike / shellLike;
    std::snprintf(buf, sizeof buf,
                  "\nlike      store Query UPPER(nyelv1) like '%%ABC%%': %.3f s (%ld rows; best of 2)\n"
                  "          sqlite3 shell, built-in upper/like, same file: %.3f s%s (best of 2)\n"
                  "          ratio %.2fx   goal <= 2.0x   %s",
                  storeLike, likeRows, shellLike, shellLikeStatus ? " (the shell reported an error)" : "", likeRatio,
                  verdict(likeRatio <= 2.0));
    line(buf);

    std::snprintf(buf, sizeof buf,
                  "\nmemory    peak of the loading process (VmHWM after the load): %.0f MiB\n"
                  "          sqlite3 .import peak (ru_maxrss): %.0f MiB;  this process at the end: %.0f MiB",
                  static_cast<double>(loadPeakKiB) / 1024, static_cast<double>(shellLoad.maxRssKiB) / 1024,
                  static_cast<double>(statusKiB("VmHWM:")) / 1024);
    line(buf);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: bench_store --pairs FILE --work FOLDER [--sqlite3 PROGRAM]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return usage();
        if (a == "--pairs")
            opt.pairs = argv[++i];
        else if (a == "--work")
            opt.work = argv[++i];
        else if (a == "--sqlite3")
            opt.sqlite3 = argv[++i];
        else
            return usage();
    }
    if (opt.pairs.empty() || opt.work.empty()) return usage();
    try {
        return run(opt);
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store error: %s\n", e.what());
        return 1;
    }
}
