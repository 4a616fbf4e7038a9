#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <vector>

// What the benchmark programs share: timing, figures over repeated runs, printing, the
// process's memory readings and running another program (the sqlite3 shell) timed from outside.
namespace bench {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start);
double msSince(Clock::time_point start);

// The value below which the share p (0..1) of the figures lie; 0 for none.
double percentile(std::vector<double> v, double p);
double median(std::vector<double> v);

// "PASS" when a goal is met, "MISS" otherwise.
const char* verdict(bool met);
// One line on stdout, flushed at once so that a long run shows its progress.
void say(const QString& text);

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); 0 when it is not there.
long statusKiB(const char* field);
// Starts a new peak: what was freed goes back to the system, and the kernel's high-water mark
// is set to the present resident size.
void resetPeakMemory();

struct ChildRun {
    double seconds = 0;
    long maxRssKiB = 0;
    int status = -1; // the exit code; -1 when it did not start or did not exit normally
};

// Runs a program with stdin from a file and stdout to a file, timed from outside; the child's
// own peak memory comes from wait4.
ChildRun runChild(const std::vector<std::string>& args, const std::string& in, const std::string& out);

void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);

// The options every suite takes: --pairs FILE --work FOLDER [--sqlite3 PROGRAM], plus
// --headwords N, --long-pairs FILE and --big FILE for the import suite.
struct BenchOptions {
    QString pairs;
    QString work;
    QString sqlite3 = QStringLiteral("sqlite3");
    int headwords = 100000;
    QString longPairs; // a file of verbalo-genpairs' long profile
    QString bigPairs;  // a large file for the command-line import
};
BenchOptions parseBenchOptions(const QStringList& args);

} // namespace bench
