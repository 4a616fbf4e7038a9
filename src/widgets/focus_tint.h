#pragma once

#include <QObject>

class QLineEdit;

namespace verbalo {

// A file-name box that turns sky blue while it has the focus and back to the system colour
// when it loses it. Parented to the box.
class FocusTint : public QObject {
    Q_OBJECT
public:
    static void install(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusTint(QLineEdit* box);
    QLineEdit* box_;
};

} // namespace verbalo
