#include "dictionaries/list_window_actions.h"

#include <QAction>
#include <QToolBar>
#include <QWidget>

namespace verbalo {

Szotar2Actions::Szotar2Actions(QWidget* w) : ListCommands(w) {}

QList<QAction*> Szotar2Actions::all() const {
    return {aNezet, aKeres, aUj, aSzerkeszt, aTorol, aBezar};
}

QToolBar* makeSzotar2ToolBar(const Szotar2Actions& a, QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(16, 16));
    bar->addAction(a.aNezet);
    bar->addSeparator();
    bar->addAction(a.aUj);
    bar->addAction(a.aSzerkeszt);
    bar->addAction(a.aTorol);
    bar->addSeparator();
    bar->addAction(a.aBezar);
    return bar;
}

} // namespace verbalo
