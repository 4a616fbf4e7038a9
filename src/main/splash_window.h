#pragma once

#include <QWidget>

#include <functional>

namespace verbalo {

// The time source of the splash window's fade; tests replace it to step through the fade.
class SplashClock {
public:
    virtual ~SplashClock() = default;
    // Calls `tick` once after `milliseconds`; `context` going away cancels it.
    virtual void after(int milliseconds, QObject* context, std::function<void()> tick) = 0;
};

// The clock of the running program: one-shot timers on the event loop.
class TimerSplashClock : public SplashClock {
public:
    void after(int milliseconds, QObject* context, std::function<void()> tick) override;
};

// The splash window: the program's logo, 600 by 200, centred, above other windows. Fully opaque
// for a second, then 10 steps of 255 fainter every 21 ms; at 33 or less it closes and frees
// itself.
class Tfrm_Logo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHoldMilliseconds = 1000;
    static constexpr int kStepMilliseconds = 21;
    static constexpr int kStep = 10;
    static constexpr int kCloseAt = 33;

    // The clock must outlive the window.
    explicit Tfrm_Logo(SplashClock& clock, QWidget* parent = nullptr);

    int opacity() const { return opacity_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fadeStep();

    SplashClock& clock_;
    int opacity_ = 255;
    bool started_ = false;
};

} // namespace verbalo
