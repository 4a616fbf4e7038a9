#include "widgets/editing_dialog.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

namespace verbalo {

namespace {

bool isTextLike(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w);
}

// A button that does something when pressed; a radio button or check box only chooses.
bool isPressButton(QWidget* w) {
    return qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w);
}

bool isMultiLine(QWidget* w) {
    return qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

void paint(QWidget* w, bool focused) {
    QPalette p = w->palette();
    if (isPressButton(w))
        p.setColor(QPalette::Button, focused ? kFocusColor : QPalette().color(QPalette::Button));
    else
        p.setColor(QPalette::Base, focused ? kFocusColor : QPalette().color(QPalette::Base));
    w->setPalette(p);
}

} // namespace

EditingDialogBehaviour::EditingDialogBehaviour(QWidget* dialog, QAbstractButton* acceptButton)
    : QObject(dialog), dialog_(dialog), acceptButton_(acceptButton) {
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* w : children) watch(w);
}

void EditingDialogBehaviour::watch(QWidget* widget) {
    if (isTextLike(widget) || qobject_cast<QAbstractButton*>(widget)) widget->installEventFilter(this);
}

bool EditingDialogBehaviour::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        paint(w, true);
        // The style draws the focus frame only after a focus change by the keyboard; here the
        // focus is always shown, however it came.
        w->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        w->update();
        break;
    case QEvent::FocusOut: paint(w, false); break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isEnter(key)) break;
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::ControlModifier && acceptButton_) {
            if (acceptButton_->isEnabled()) acceptButton_->click();
            return true;
        }
        if (mods != Qt::NoModifier) break;
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && isPressButton(w)) {
            button->click();
            return true;
        }
        if (isMultiLine(w)) break;
        if (QWidget* next = w->nextInFocusChain()) {
            // Skip what cannot take the focus, as Tab would.
            while (next != w && (!next->isEnabled() || !next->isVisible() || !(next->focusPolicy() & Qt::TabFocus)))
                next = next->nextInFocusChain();
            next->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    default: break;
    }
    return false;
}

} // namespace verbalo
