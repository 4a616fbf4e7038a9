#include "widgets/editing_dialog.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace verbalo {

namespace {

bool takesFocusColour(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w);
}

bool isMultiLine(QWidget* w) { return qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w); }

void paint(QWidget* w, bool focused) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, focused ? kFocusColor : QPalette().color(QPalette::Base));
    w->setPalette(p);
}

} // namespace

EditingDialogBehaviour::EditingDialogBehaviour(QWidget* dialog) : QObject(dialog), dialog_(dialog) {
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* w : children) watch(w);
}

void EditingDialogBehaviour::watch(QWidget* widget) {
    if (takesFocusColour(widget)) widget->installEventFilter(this);
}

bool EditingDialogBehaviour::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    switch (event->type()) {
    case QEvent::FocusIn: paint(w, true); break;
    case QEvent::FocusOut: paint(w, false); break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier && !isMultiLine(w)) {
            if (QWidget* next = w->nextInFocusChain()) {
                // Skip what cannot take the focus, as Tab would.
                while (next != w && (!next->isEnabled() || !next->isVisible() || next->focusPolicy() == Qt::NoFocus)) next = next->nextInFocusChain();
                next->setFocus(Qt::TabFocusReason);
            }
            return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

} // namespace verbalo
