#pragma once

#include <QList>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace verbalo {

// The editing commands of the entry editors, acting on the field that has the focus (a line
// edit or a memo): "Visszavon", "Kivág", "Másol", "Beilleszt", "Mindet kijelöl". Their keys
// are shown only; the fields handle those keys themselves.
struct FieldEditActions {
    QAction* undo = nullptr;      // EditUndo1
    QAction* cut = nullptr;       // EditCut1
    QAction* copy = nullptr;      // EditCopy1
    QAction* paste = nullptr;     // EditPaste1
    QAction* selectAll = nullptr; // EditSelectAll1

    explicit FieldEditActions(QWidget* dialog);
};

// The pop-up menu of an editor's memo: load, undo, the clipboard commands and select all,
// accept and cancel, in groups. Opening it gives the memo the focus, so that its commands act
// on that memo.
void installMemoMenu(QPlainTextEdit* memo, QAction* load, const FieldEditActions& edits, QAction* accept, QAction* cancel);

} // namespace verbalo
