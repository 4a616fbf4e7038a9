#include "dictionaries/list_commands.h"

#include "widgets/window_commands.h"

#include <QAction>
#include <QWidget>

namespace verbalo {

ListCommands::ListCommands(QWidget* w) {
    aNezet = makeWindowCommand(w, "aNezet", QStringLiteral("Nézet"), QStringLiteral("Teljes/normál nézet"), Qt::Key_F7,
                               QStyle::SP_TitleBarMaxButton);
    aKeres = makeWindowCommand(w, "aKeres", QStringLiteral("Keres"), QStringLiteral("Keres"), QKeySequence(Qt::CTRL | Qt::Key_F));
    aUj = makeWindowCommand(w, "aUj", QStringLiteral("Új sor"), QStringLiteral("Új sor"), Qt::Key_Insert, QStyle::SP_FileIcon);
    aSzerkeszt = makeWindowCommand(w, "aSzerkeszt", QStringLiteral("Szerkeszt"), QStringLiteral("Szerkeszt"), Qt::Key_F2,
                                   QStyle::SP_FileDialogDetailedView);
    aTorol = makeWindowCommand(w, "aTorol", QStringLiteral("Töröl"), QStringLiteral("Töröl"),
                               QKeySequence(Qt::CTRL | Qt::Key_Delete), QStyle::SP_TrashIcon);
    aBezar = makeWindowCommand(w, "aBezar", QStringLiteral("Bezár"), QStringLiteral("Bezár"), QKeySequence(Qt::CTRL | Qt::Key_F4),
                               QStyle::SP_DialogCloseButton);
}

} // namespace verbalo
