#include "widgets/window_commands.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace verbalo {

QAction* makeWindowCommand(QWidget* window, const char* name, const QString& caption, const QString& hint,
                           const QKeySequence& shortcut, QStyle::StandardPixmap picture) {
    auto* a = new QAction(caption, window);
    a->setObjectName(QLatin1String(name));
    a->setToolTip(hint);
    a->setStatusTip(hint);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (picture != QStyle::SP_CustomBase) a->setIcon(window->style()->standardIcon(picture));
    window->addAction(a);
    return a;
}

QAction* commandForKey(const QList<QAction*>& commands, const QKeyEvent* key) {
    if (key->key() == Qt::Key_unknown || key->key() == 0) return nullptr;
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (QAction* a : commands)
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) return a;
    return nullptr;
}

} // namespace verbalo
