#include "main/wheel_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace verbalo {

namespace {
constexpr int kNotch = 120; // angle delta of one wheel notch, in eighths of a degree
}

bool WheelToArrowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (delta == 0) return QObject::eventFilter(watched, event); // a sideways turn is no row move
    // A window sees the wheel before its widgets do; taking it there makes one key per turn.
    QObject* target = QApplication::focusWidget();
    if (!target) target = qobject_cast<QWidget*>(watched);
    if (!target) target = qobject_cast<QWindow*>(watched) ? QApplication::activeWindow() : nullptr;
    if (!target) return QObject::eventFilter(watched, event);

    // Fine-grained wheels send parts of a notch: they add up until a whole notch is turned.
    if ((pending_ > 0) != (delta > 0)) pending_ = 0;
    pending_ += delta;
    const int presses = std::abs(pending_) / kNotch;
    pending_ %= kNotch;
    const Qt::Key key = delta > 0 ? Qt::Key_Up : Qt::Key_Down;
    for (int i = 0; i < presses; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    return true;
}

} // namespace verbalo
