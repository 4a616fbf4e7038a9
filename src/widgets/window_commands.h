#pragma once

#include <QKeySequence>
#include <QList>
#include <QStyle>

#include <functional>

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

// Gives the commands of `scope` (a dictionary window, the frame) priority over the keys of the
// control that has the focus inside it: Ctrl+Del in a search box deletes the row rather than a
// word of the search text, Ctrl+E exports rather than moving the caret, Ctrl+S in an editor
// saves. An application-wide filter sees each key before the focused control does; the scope
// nearest to the control (within its window) that has an enabled command on the key runs it.
// Dialogs are windows of their own: keys typed there stay theirs. The registration ends with
// the scope.
void giveCommandsPriority(QWidget* scope, std::function<QList<QAction*>()> commands);

} // namespace verbalo
