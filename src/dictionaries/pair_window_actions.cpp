#include "dictionaries/pair_window_actions.h"

#include "widgets/window_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QLayout>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace verbalo {

namespace {

// Each group is divided from the next by a separator. A button may carry a shorter caption
// than its command ("Megnyit" for "File megnyitása fordításhoz").
QToolBar* makeToolBar(QWidget* parent, const char* name, const QList<QList<QAction*>>& groups,
                      const QHash<QAction*, QString>& buttonCaptions = {}) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(16, 16));
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0) bar->addSeparator();
        for (QAction* a : groups[g]) {
            if (!buttonCaptions.contains(a)) {
                bar->addAction(a);
                continue;
            }
            auto* button = new QToolButton(bar);
            button->setObjectName(a->objectName() + QStringLiteral("Button"));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            button->setAutoRaise(true);
            button->setText(buttonCaptions.value(a));
            button->setToolTip(a->toolTip());
            button->setIcon(a->icon());
            QObject::connect(button, &QToolButton::clicked, a, &QAction::trigger);
            bar->addWidget(button);
        }
    }
    return bar;
}

} // namespace

SzotarActions::SzotarActions(QWidget* w) : ListCommands(w) {
    aNyelv1 = makeWindowCommand(w, "aNyelv1", QStringLiteral("Nyelv1"), QStringLiteral("Nyelv1 szerint"), Qt::Key_F11);
    aNyelv2 = makeWindowCommand(w, "aNyelv2", QStringLiteral("Nyelv2"), QStringLiteral("Nyelv2 szerint"), Qt::Key_F12);
    aUreslap = makeWindowCommand(w, "aUreslap", QStringLiteral("Üres lap"), QStringLiteral("Üres lap"),
                                 QKeySequence(Qt::CTRL | Qt::Key_N), QStyle::SP_FileIcon);
    aMegnyit = makeWindowCommand(w, "aMegnyit", QStringLiteral("File megnyitása fordításhoz"),
                                 QStringLiteral("File megnyitása fordításhoz"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                                 QStyle::SP_DialogOpenButton);
    aSzotaraz = makeWindowCommand(w, "aSzotaraz", QStringLiteral("Szótárazás"), QStringLiteral("Szótárazás"), Qt::Key_F5,
                                  QStyle::SP_MediaPlay);
    aElofordulas = makeWindowCommand(w, "aElofordulas", QStringLiteral("Előfordulás"), QStringLiteral("Előfordulás"), Qt::Key_F8);
    aMentes = makeWindowCommand(w, "aMentes", QStringLiteral("Mentés"), QStringLiteral("Mentés"),
                                QKeySequence(Qt::CTRL | Qt::Key_S), QStyle::SP_DialogSaveButton);

    aNyelv1->setCheckable(true);
    aNyelv2->setCheckable(true);
    orderGroup = new QActionGroup(w);
    orderGroup->setExclusive(true);
    orderGroup->addAction(aNyelv1);
    orderGroup->addAction(aNyelv2);
    aNyelv1->setChecked(true);
}

QList<QAction*> SzotarActions::all() const {
    return {aNezet, aNyelv1,  aNyelv2,  aKeres,    aUj,          aSzerkeszt, aTorol,
            aBezar, aUreslap, aMegnyit, aSzotaraz, aElofordulas, aMentes};
}

QToolBar* makeWordListToolBar(const SzotarActions& a, QWidget* parent) {
    return makeToolBar(parent, "ToolBar1", {{a.aNezet}, {a.aNyelv1, a.aNyelv2}, {a.aUj, a.aSzerkeszt, a.aTorol}, {a.aBezar}});
}

QToolBar* makeDictionarizingToolBar(const SzotarActions& a, QWidget* parent) {
    return makeToolBar(parent, "ToolBar2",
                       {{a.aNezet}, {a.aNyelv1, a.aNyelv2}, {a.aUreslap, a.aMegnyit}, {a.aSzotaraz}, {a.aBezar}},
                       {{a.aMegnyit, QStringLiteral("Megnyit")}, {a.aSzotaraz, QStringLiteral("Szótáraz")}});
}

QToolBar* makeSearchToolBar(const SzotarActions& a, QWidget* parent) {
    return makeToolBar(parent, "ToolBar3", {{a.aNezet}, {a.aNyelv1, a.aNyelv2}, {a.aBezar}});
}

void fitToolBar(QToolBar* bar, const SzotarActions& a, int width) {
    const QList<QAction*> orders{a.aNyelv1, a.aNyelv2};
    const auto setCaptions = [&](Qt::ToolButtonStyle style) {
        for (QAction* order : orders)
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(order))) button->setToolButtonStyle(style);
    };
    setCaptions(Qt::ToolButtonTextBesideIcon);
    int needed = 2 * bar->contentsMargins().left() + 2 * bar->layout()->contentsMargins().left() + 16;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            needed += bar->style()->pixelMetric(QStyle::PM_ToolBarSeparatorExtent, nullptr, bar);
        else if (QWidget* w = bar->widgetForAction(action))
            needed += w->sizeHint().width() + bar->layout()->spacing();
    }
    if (needed > width) setCaptions(Qt::ToolButtonIconOnly);
}

} // namespace verbalo
