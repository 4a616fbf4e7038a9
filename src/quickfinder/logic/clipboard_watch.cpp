#include "quickfinder/logic/clipboard_watch.h"

#include <QMimeData>

namespace verbalo {

namespace {

const QString kPasswordHint = QStringLiteral("x-kde-passwordManagerHint");

// The longest start of text whose UTF-8 form fits in limit bytes, never splitting a character.
QString cutToUtf8Bytes(const QString& text, int limit) {
    if (text.size() <= limit / 3) return text; // at most three bytes per UTF-16 unit
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                               ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : text.at(i).unicode();
        const int width = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (bytes + width > limit) break;
        bytes += width;
        i += c >= 0x10000 ? 2 : 1;
    }
    return text.left(i);
}

} // namespace

ClipboardText clipboardTextOf(const QMimeData* data) {
    ClipboardText result;
    if (!data || !data->hasText()) return result;
    if (data->hasFormat(kPasswordHint) && data->data(kPasswordHint).trimmed() == "secret") return result;
    result.hasText = true;
    result.text = cutToUtf8Bytes(data->text(), kClipboardTextLimit);
    return result;
}

TimerClock::TimerClock(QObject* parent) : WatchClock(parent) {
    connect(&timer_, &QTimer::timeout, this, &WatchClock::tick);
}

ClipboardWatch::ClipboardWatch(ClipboardSource& source, WatchClock& clock, QObject* parent)
    : QObject(parent), source_(source), clock_(clock) {
    connect(&clock_, &WatchClock::tick, this, &ClipboardWatch::check);
}

void ClipboardWatch::start() {
    running_ = true;
    clock_.start(kIntervalMs);
}

void ClipboardWatch::stop() {
    running_ = false;
    clock_.stop();
}

void ClipboardWatch::check() {
    if (!running_) return;
    try {
        if (searchTabActive_ && !searchTabActive_()) return;
        const ClipboardText content = source_.read();
        if (!content.hasText || content.text == lastSeen_) return;
        lastSeen_ = content.text;
        emit textArrived(content.text);
    } catch (...) {
        // A clipboard held by another program, a window that may not take the focus: the
        // next tick tries again.
    }
}

} // namespace verbalo
