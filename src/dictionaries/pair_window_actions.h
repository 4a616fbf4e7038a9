#pragma once

#include "dictionaries/list_commands.h"

#include <QList>

class QAction;
class QActionGroup;
class QToolBar;
class QWidget;

namespace verbalo {

// The commands of the bilingual dictionary window, with their captions, hints and shortcuts.
// The shortcuts act while the focus is inside the window.
struct SzotarActions : ListCommands {
    QAction* aNyelv1 = nullptr;
    QAction* aNyelv2 = nullptr;
    QAction* aUreslap = nullptr;
    QAction* aMegnyit = nullptr;
    QAction* aSzotaraz = nullptr;
    // The editor's "Előfordulás": the expression search for the word at the caret.
    QAction* aElofordulas = nullptr;
    // "Mentés" of the dictionarizing tab: saves the pane or editor that has the focus.
    QAction* aMentes = nullptr;
    QActionGroup* orderGroup = nullptr;

    explicit SzotarActions(QWidget* window);
    QList<QAction*> all() const;
};

// The toolbars of the three tabs, in their groups.
QToolBar* makeWordListToolBar(const SzotarActions& a, QWidget* parent);
QToolBar* makeDictionarizingToolBar(const SzotarActions& a, QWidget* parent);
QToolBar* makeSearchToolBar(const SzotarActions& a, QWidget* parent);

// The order buttons show only their flags when the bar has not the room for their captions
// ("magyar szerint"), so that every button, "Bezár" last, stays on the bar rather than behind
// its extension arrow; the captions stay their tooltips.
void fitToolBar(QToolBar* bar, const SzotarActions& a, int width);

} // namespace verbalo
