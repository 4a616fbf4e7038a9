#pragma once

#include "dictionaries/list_commands.h"

#include <QList>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace verbalo {

// The commands of the headword list window with their captions, hints and shortcuts; the
// shortcuts act while the focus is inside the window.
struct Szotar2Actions : ListCommands {
    explicit Szotar2Actions(QWidget* window);
    QList<QAction*> all() const;
};

// The toolbar: aNezet; aUj, aSzerkeszt, aTorol; aBezar.
QToolBar* makeSzotar2ToolBar(const Szotar2Actions& a, QWidget* parent);

} // namespace verbalo
