#pragma once

#include <QList>

class QAction;
class QWidget;

namespace verbalo {

// The commands both dictionary windows with a word list have, with the same captions, hints
// and shortcuts: "Nézet", "Keres", "Új sor", "Szerkeszt", "Töröl", "Bezár".
struct ListCommands {
    QAction* aNezet = nullptr;
    QAction* aKeres = nullptr;
    QAction* aUj = nullptr;
    QAction* aSzerkeszt = nullptr;
    QAction* aTorol = nullptr;
    QAction* aBezar = nullptr;

    explicit ListCommands(QWidget* window);
};

} // namespace verbalo
