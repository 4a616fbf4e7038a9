#pragma once

#include <QObject>

namespace verbalo {

// Turns every mouse-wheel turn that reaches the program into arrow-key presses for the control
// with the focus: away from the user Up, towards the user Down, one press per notch. One notch
// thus moves one row in whichever list has the focus. Install on the application.
class WheelToArrowKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int pending_ = 0; // the part of a notch that fine-grained wheels have turned so far
};

} // namespace verbalo
