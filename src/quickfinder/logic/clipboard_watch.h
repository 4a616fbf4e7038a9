#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QMimeData;

namespace verbalo {

// At most this much of a clipboard text is taken (counted in UTF-8 bytes); the rest is
// ignored, so that a huge copy elsewhere cannot stall the editing area.
inline constexpr int kClipboardTextLimit = 256 * 1024;

// What the clipboard offers the quick finder at one look.
struct ClipboardText {
    bool hasText = false;
    QString text;
};

// The text of clipboard content: none when there is no content or no text, and none when a
// password manager marks it as secret (x-kde-passwordManagerHint "secret"), so a copied
// password never lands in the window. A longer text is cut to kClipboardTextLimit.
ClipboardText clipboardTextOf(const QMimeData* data);

// Where the watch reads the clipboard. Reading may throw when the clipboard is busy.
class ClipboardSource {
public:
    virtual ~ClipboardSource() = default;
    virtual ClipboardText read() = 0;
};

// What paces the watch: a real timer in the program, a clock the test moves by hand.
class WatchClock : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
signals:
    void tick();
};

class TimerClock : public WatchClock {
    Q_OBJECT
public:
    explicit TimerClock(QObject* parent = nullptr);
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

// Brings text copied anywhere into the quick finder: once a second, while the search tab is
// the active one, a clipboard text that differs from the last one seen is handed on once.
// The last text seen survives stopping and starting (opening another dictionary), so the
// same copy is not brought in twice; it starts empty, so the first tick takes whatever text
// the clipboard already holds. Errors while looking are ignored: the next tick tries again.
class ClipboardWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;

    ClipboardWatch(ClipboardSource& source, WatchClock& clock, QObject* parent = nullptr);

    // Asked at every look; the watch does nothing while it answers false.
    void setSearchTabActive(std::function<bool()> isActive) { searchTabActive_ = std::move(isActive); }

    void start();
    void stop();
    bool isRunning() const { return running_; }

    // One look, as a tick takes it; does nothing while the watch is stopped. Where a window
    // without the focus hears nothing of the clipboard (Wayland), the window calls this when
    // it is activated.
    void check();

    const QString& lastSeen() const { return lastSeen_; }

signals:
    // A new clipboard text for the editing area.
    void textArrived(const QString& text);

private:
    ClipboardSource& source_;
    WatchClock& clock_;
    std::function<bool()> searchTabActive_;
    bool running_ = false;
    QString lastSeen_;
};

} // namespace verbalo
