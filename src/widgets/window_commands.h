#pragma once

#include <QKeySequence>
#include <QList>
#include <QStyle>

class QAction;
class QKeyEvent;
class QWidget;

// The commands of a child window: actions owned by the window whose shortcuts act while the
// focus is inside it.
namespace verbalo {

// An action of the window with its object name, caption, hint (tooltip and status tip),
// shortcut and, unless SP_CustomBase, a standard picture.
QAction* makeWindowCommand(QWidget* window, const char* name, const QString& caption, const QString& hint,
                           const QKeySequence& shortcut, QStyle::StandardPixmap picture = QStyle::SP_CustomBase);

// The enabled command whose shortcut is this key press, if any; the keypad modifier does not count.
QAction* commandForKey(const QList<QAction*>& commands, const QKeyEvent* key);

} // namespace verbalo
