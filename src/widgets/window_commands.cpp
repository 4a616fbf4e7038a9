#include "widgets/window_commands.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace verbalo {

namespace {

// The filter on the application that puts the registered scopes' commands first.
class CommandPriorityFilter : public QObject {
public:
    static CommandPriorityFilter& instance() {
        static CommandPriorityFilter* filter = [] {
            auto* f = new CommandPriorityFilter(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(f);
            return f;
        }();
        return *filter;
    }

    void add(QWidget* scope, std::function<QList<QAction*>()> commands) {
        if (!scopes_.contains(scope)) connect(scope, &QObject::destroyed, this, [this, scope] { scopes_.remove(scope); });
        scopes_.insert(scope, std::move(commands));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || scopes_.isEmpty() || !watched->isWidgetType())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Only keys with a modifier or a function key can be commands here; a plain letter
        // never is, so typing costs no look-up.
        if (key->modifiers() == Qt::NoModifier && !key->text().isEmpty() && key->text().at(0).isPrint()) return false;
        for (QWidget* w = static_cast<QWidget*>(watched); w; w = w->parentWidget()) {
            const auto it = scopes_.constFind(w);
            if (it != scopes_.constEnd()) {
                if (QAction* a = commandForKey((*it)(), key)) {
                    if (type == QEvent::ShortcutOverride) {
                        // Taken here: neither the control nor Qt's shortcut map acts on it, and
                        // the key press that follows runs the command.
                        event->accept();
                    } else {
                        QPointer<QAction> guard(a);
                        a->trigger();
                    }
                    return true;
                }
            }
            if (w->isWindow()) break;
        }
        return false;
    }

private:
    using QObject::QObject;
    QHash<QWidget*, std::function<QList<QAction*>()>> scopes_;
};

} // namespace

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
    for (QAction* a : commands) {
        if (!a || !a->isEnabled()) continue;
        for (const QKeySequence& shortcut : a->shortcuts())
            if (shortcut == pressed) return a;
    }
    return nullptr;
}

void giveCommandsPriority(QWidget* scope, std::function<QList<QAction*>()> commands) {
    if (!scope || !QCoreApplication::instance()) return;
    CommandPriorityFilter::instance().add(scope, std::move(commands));
}

} // namespace verbalo
