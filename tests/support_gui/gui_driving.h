#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <QTest>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// Driving windows in tests: finding controls by object name, typing, and answering modal
// windows that a command opens.
namespace verbalo::test {

// The child of w with that object name. When there is none, the one test fails (Qt Test
// reports the exception) and the suite goes on, as nothing it checks afterwards would mean
// anything.
template <typename T>
T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QLatin1String(name));
    if (!found) throw std::runtime_error(std::string("no child ") + name);
    return found;
}

// Runs `drive` on the next modal window of type T once it is up. When none comes up within
// the time allowed, the watch ends and the running test fails, so that it never answers a
// window of a later test.
template <typename T>
void whenModal(std::function<void(T*)> drive, int allowedMs = 10000) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, drive, waited, allowedMs] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            drive(window);
        } else if ((*waited += timer->interval()) >= allowedMs) {
            timer->stop();
            timer->deleteLater();
            QTest::qFail("the modal window the test waited for did not come up", __FILE__, __LINE__);
        }
    });
    timer->start();
}

// Types text as key presses, accented letters included (QTest::keyClicks takes ASCII only).
void typeText(QWidget* widget, const QString& text);

} // namespace verbalo::test
