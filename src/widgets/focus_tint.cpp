#include "widgets/focus_tint.h"

#include "widgets/editing_dialog.h"

#include <QEvent>
#include <QLineEdit>

namespace verbalo {

FocusTint::FocusTint(QLineEdit* box) : QObject(box), box_(box) {
    box->installEventFilter(this);
}

void FocusTint::install(QLineEdit* box) {
    new FocusTint(box);
}

bool FocusTint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_) {
        if (event->type() == QEvent::FocusIn) {
            QPalette p = box_->palette();
            p.setColor(QPalette::Base, kFocusColor);
            box_->setPalette(p);
        } else if (event->type() == QEvent::FocusOut) {
            box_->setPalette(QPalette());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace verbalo
