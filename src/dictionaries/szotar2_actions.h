#pragma once

#include <QList>

class QAction;
class QKeyEvent;
class QMenu;
class QToolBar;
class QWidget;

namespace verbalo {

// The commands of the headword list window with their captions, hints and shortcuts; the
// shortcuts act while the focus is inside the window.
struct Szotar2Actions {
    QAction* aNezet = nullptr;
    QAction* aKeres = nullptr;
    QAction* aUj = nullptr;
    QAction* aSzerkeszt = nullptr;
    QAction* aTorol = nullptr;
    QAction* aBezar = nullptr;

    explicit Szotar2Actions(QWidget* window);
    QList<QAction*> all() const;
    // The enabled command whose shortcut is this key press, if any.
    QAction* forKey(const QKeyEvent* key) const;
};

// The toolbar: aNezet; aUj, aSzerkeszt, aTorol; aBezar.
QToolBar* makeSzotar2ToolBar(const Szotar2Actions& a, QWidget* parent);

} // namespace verbalo
