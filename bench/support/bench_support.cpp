#include "bench_support.h"

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace bench {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

const char* verdict(bool met) {
    return met ? "PASS" : "MISS";
}

void say(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

long statusKiB(const char* field) {
    std::ifstream f("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(field);
    while (std::getline(f, line))
        if (line.compare(0, n, field) == 0) return std::atol(line.c_str() + n + 1);
    return 0;
}

void resetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

ChildRun runChild(const std::vector<std::string>& args, const std::string& in, const std::string& out) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildRun run;
    const auto start = Clock::now();
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(rc));
        return run;
    }
    struct rusage usage {};
    int status = 0;
    while (wait4(pid, &status, 0, &usage) < 0) {}
    run.seconds = secondsSince(start);
    run.maxRssKiB = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

BenchOptions parseBenchOptions(const QStringList& args) {
    BenchOptions opt;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--pairs"))
            opt.pairs = args[i + 1];
        else if (args[i] == QLatin1String("--work"))
            opt.work = args[i + 1];
        else if (args[i] == QLatin1String("--sqlite3"))
            opt.sqlite3 = args[i + 1];
        else if (args[i] == QLatin1String("--headwords"))
            opt.headwords = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--long-pairs"))
            opt.longPairs = args[i + 1];
        else if (args[i] == QLatin1String("--big"))
            opt.bigPairs = args[i + 1];
    }
    return opt;
}

} // namespace bench
