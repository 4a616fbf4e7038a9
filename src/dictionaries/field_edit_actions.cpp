#include "dictionaries/field_edit_actions.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <functional>

namespace verbalo {

namespace {

QAction* makeFieldAction(QWidget* dialog, const char* name, const QString& caption, const QKeySequence& keys,
                         std::function<void(QLineEdit*)> onLine, std::function<void(QPlainTextEdit*)> onMemo) {
    auto* a = new QAction(caption, dialog);
    a->setObjectName(QLatin1String(name));
    a->setToolTip(caption);
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(a, &QAction::triggered, dialog, [dialog, onLine, onMemo] {
        QWidget* focused = dialog->focusWidget();
        if (auto* line = qobject_cast<QLineEdit*>(focused))
            onLine(line);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused))
            onMemo(memo);
    });
    return a;
}

} // namespace

FieldEditActions::FieldEditActions(QWidget* dialog) {
    undo = makeFieldAction(
        dialog, "EditUndo1", QStringLiteral("Visszavon"), QKeySequence::Undo, [](QLineEdit* e) { e->undo(); },
        [](QPlainTextEdit* m) { m->undo(); });
    cut = makeFieldAction(
        dialog, "EditCut1", QStringLiteral("Kivág"), QKeySequence::Cut, [](QLineEdit* e) { e->cut(); },
        [](QPlainTextEdit* m) { m->cut(); });
    copy = makeFieldAction(
        dialog, "EditCopy1", QStringLiteral("Másol"), QKeySequence::Copy, [](QLineEdit* e) { e->copy(); },
        [](QPlainTextEdit* m) { m->copy(); });
    paste = makeFieldAction(
        dialog, "EditPaste1", QStringLiteral("Beilleszt"), QKeySequence::Paste, [](QLineEdit* e) { e->paste(); },
        [](QPlainTextEdit* m) { m->paste(); });
    selectAll = makeFieldAction(
        dialog, "EditSelectAll1", QStringLiteral("Mindet kijelöl"), QKeySequence::SelectAll, [](QLineEdit* e) { e->selectAll(); },
        [](QPlainTextEdit* m) { m->selectAll(); });
}

void installMemoMenu(QPlainTextEdit* memo, QAction* load, const FieldEditActions& edits, QAction* accept, QAction* cancel) {
    auto* menu = new QMenu(memo);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    menu->addAction(load);
    menu->addSeparator();
    menu->addAction(edits.undo);
    menu->addSeparator();
    for (QAction* a : {edits.cut, edits.copy, edits.paste, edits.selectAll}) menu->addAction(a);
    menu->addSeparator();
    menu->addAction(accept);
    menu->addAction(cancel);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(memo, &QWidget::customContextMenuRequested, memo, [memo, menu](const QPoint& pos) {
        memo->setFocus(Qt::PopupFocusReason);
        menu->popup(memo->viewport()->mapToGlobal(pos));
    });
}

} // namespace verbalo
