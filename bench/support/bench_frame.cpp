#include "bench_frame.h"

namespace bench {

BenchFrame::BenchFrame(const QString& work) : ini_(work + QStringLiteral("/Verbalo9.ini")) {
    folders_.programFolder = work;
    folders_.settingsFolder = work;
    folders_.configFile = work + QStringLiteral("/Verbalo9.ini");
    folders_.dataFolder = work + QStringLiteral("/data");
    folders_.htmlFolder = work;
    db_.connect(QStringLiteral("szotar"), folders_.dataFolder);
}

void BenchFrame::showDictionaryStatus(const QString&, const QString& position, const QPixmap&, const QString&) {
    lastPosition = position;
    ++statusCalls;
}

} // namespace bench
