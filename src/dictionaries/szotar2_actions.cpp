#include "dictionaries/szotar2_actions.h"

#include <QAction>
#include <QKeyEvent>
#include <QStyle>
#include <QToolBar>
#include <QWidget>

namespace verbalo {

namespace {

QAction* make(QWidget* window, const char* name, const QString& caption, const QString& hint, const QKeySequence& shortcut,
              QStyle::StandardPixmap picture = QStyle::SP_CustomBase) {
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

} // namespace

Szotar2Actions::Szotar2Actions(QWidget* w) {
    aNezet = make(w, "aNezet", QStringLiteral("Nézet"), QStringLiteral("Teljes/normál nézet"), Qt::Key_F7, QStyle::SP_TitleBarMaxButton);
    aKeres = make(w, "aKeres", QStringLiteral("Keres"), QStringLiteral("Keres"), QKeySequence(Qt::CTRL | Qt::Key_F));
    aUj = make(w, "aUj", QStringLiteral("Új sor"), QStringLiteral("Új sor"), Qt::Key_Insert, QStyle::SP_FileIcon);
    aSzerkeszt = make(w, "aSzerkeszt", QStringLiteral("Szerkeszt"), QStringLiteral("Szerkeszt"), Qt::Key_F2,
                      QStyle::SP_FileDialogDetailedView);
    aTorol = make(w, "aTorol", QStringLiteral("Töröl"), QStringLiteral("Töröl"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
                  QStyle::SP_TrashIcon);
    aBezar = make(w, "aBezar", QStringLiteral("Bezár"), QStringLiteral("Bezár"), QKeySequence(Qt::CTRL | Qt::Key_F4),
                  QStyle::SP_DialogCloseButton);
}

QList<QAction*> Szotar2Actions::all() const { return {aNezet, aKeres, aUj, aSzerkeszt, aTorol, aBezar}; }

QAction* Szotar2Actions::forKey(const QKeyEvent* key) const {
    if (key->key() == Qt::Key_unknown || key->key() == 0) return nullptr;
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (QAction* a : all())
        if (a->isEnabled() && a->shortcut() == pressed) return a;
    return nullptr;
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
