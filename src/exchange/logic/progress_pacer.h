#pragma once

#include <QElapsedTimer>

namespace verbalo {

// Long loops on the user-interface thread show their progress and let the window repaint, but
// not on every row: at most once per interval, so that repainting costs the loop nothing
// worth measuring.
class ProgressPacer {
public:
    static constexpr int kIntervalMs = 30;

    explicit ProgressPacer(int intervalMs = kIntervalMs) : intervalMs_(intervalMs) {}

    // True on the first call and then once the interval has passed since the last true.
    bool due() {
        if (!timer_.isValid() || timer_.elapsed() >= intervalMs_) {
            timer_.start();
            return true;
        }
        return false;
    }

private:
    int intervalMs_;
    QElapsedTimer timer_;
};

} // namespace verbalo
