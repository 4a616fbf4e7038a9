#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// Driving windows in tests: finding controls by object name, typing, and answering modal
// windows that a command opens.
namespace verbalo::test {

// The child of w with that object name; the test stops when there is none, as nothing it
// checks afterwards would mean anything.
template <typename T>
T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QLatin1String(name));
    if (!found) qFatal("no child %s", name);
    return found;
}

// Runs `drive` on the next modal window of type T once it is up.
template <typename T>
void whenModal(std::function<void(T*)> drive) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, drive] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            drive(window);
        }
    });
    timer->start();
}

// Types text as key presses, accented letters included (QTest::keyClicks takes ASCII only).
void typeText(QWidget* widget, const QString& text);

} // namespace verbalo::test
