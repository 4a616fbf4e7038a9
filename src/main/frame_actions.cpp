#include "main/frame_actions.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace verbalo {

namespace {

QKeySequence keys(QKeyCombination combination) {
    return QKeySequence(combination);
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

const std::vector<FrameActionDef>& frameActionDefs() {
    static const std::vector<FrameActionDef> defs = {
        {"FileSzotarNyilt", "Megnyitás", "Szótár megnyitás", keys(Qt::CTRL | Qt::Key_O)},
        {"aSzotarNyitLista", "Szótár megnyitása listából", "Szótár megnyitása listából", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {"FileLetolt", "Szótár állomány letöltés Internetről", "Szótár állomány letöltése", QKeySequence()},
        {"FileNyomtat", "Nyomtat", "Nyomtatás", keys(Qt::CTRL | Qt::Key_P)},
        {"aNyomSzotar2", "Nyomtatás szótár formátumban (2 oszlop)", "Nyomtatás szótár formátumban (2 oszlop)", QKeySequence()},
        {"aNyomSzotar3", "3 oszlopban", "3 oszlopban", QKeySequence()},
        {"aNyomSzotar4", "4 oszlopban", "4 oszlopban", QKeySequence()},
        {"aImport", "Adatok importja", "", keys(Qt::CTRL | Qt::Key_I)},
        {"aExport", "Adatok exportja", "", keys(Qt::CTRL | Qt::Key_E)},
        {"aAdatlap", "Adatlap", "Adatlap", keys(Qt::ALT | Qt::Key_Return)},
        {"FileSysTray", "Tálcára...", "Tálcára vele...", keys(Qt::SHIFT | Qt::Key_F12)},
        {"FileKilep", "Kilép", "Kilép", QKeySequence()},
        {"aNagyit", "Nagyít", "Nagyít", keys(Qt::Key_F11)},
        {"aKicsinyit", "Kicsinyít", "Kicsinyít", keys(Qt::Key_F12)},
        {"aSQL", "Szabad lekérdezés", "Szabad lekérdezés", QKeySequence()},
        {"aBeallit", "Beállítások", "Beállítások", QKeySequence()},
        {"WindowCascade1", "Mind látszik", "Mind látszik", QKeySequence()},
        {"WindowTileHorizontal1", "Egymás alatt", "Egymás alatt", QKeySequence()},
        {"WindowTileVertical1", "Egymás mellett", "Egymás mellett", QKeySequence()},
        {"FileBezar", "Bezár", "Bezár", QKeySequence()},
        {"HelpSugo", "Súgó", "", keys(Qt::Key_F1)},
        {"aTamogat", "Támogatás", "Támogatás", QKeySequence()},
        {"aHelpProgram", "Programok", "További programok, letöltések", QKeySequence()},
        {"HelpHonlap", "Honlapom", "Kelvora honlapja", QKeySequence()},
        {"HelpLevel", "Levélküldés Kelvoranak", "Levélküldés Kelvoranak", QKeySequence()},
        {"HelpRaktar", "Raktárprogramok tárháza", "Raktárprogramok tárháza", QKeySequence()},
        {"HelpFriscor", "Újdonságok honlapomon", "Újdonságok", QKeySequence()},
        {"HelpAbout1", "Névjegy", "Névjegy", QKeySequence()},
    };
    return defs;
}

FrameActions::FrameActions(QMainWindow* frame) {
    for (const FrameActionDef& def : frameActionDefs()) {
        auto* action = new QAction(text(def.caption), frame);
        action->setObjectName(QString::fromLatin1(def.name));
        action->setToolTip(text(def.hint));
        action->setStatusTip(text(def.hint));
        action->setShortcut(def.shortcut);
        actions_.insert(action->objectName(), action);
    }
    // The tray command has no function; it is shown, disabled.
    actions_.value(QStringLiteral("FileSysTray"))->setEnabled(false);
    // The data sheet answers both Enter keys; the menu shows the first, "Alt+Enter".
    actions_.value(QStringLiteral("aAdatlap"))
        ->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Enter), QKeySequence(Qt::ALT | Qt::Key_Return)});
    QStyle* style = QApplication::style();
    const std::pair<const char*, QStyle::StandardPixmap> icons[] = {
        {"FileSzotarNyilt", QStyle::SP_DialogOpenButton},
        {"aNagyit", QStyle::SP_ArrowUp},
        {"aKicsinyit", QStyle::SP_ArrowDown},
        {"FileNyomtat", QStyle::SP_FileDialogDetailedView},
        {"HelpHonlap", QStyle::SP_DirHomeIcon},
        {"aHelpProgram", QStyle::SP_ComputerIcon},
        {"FileKilep", QStyle::SP_DialogCloseButton},
        {"HelpSugo", QStyle::SP_DialogHelpButton},
        {"FileLetolt", QStyle::SP_ArrowDown},
    };
    for (const auto& [name, pixmap] : icons) actions_.value(QString::fromLatin1(name))->setIcon(style->standardIcon(pixmap));
}

QAction* FrameActions::operator[](const char* name) const {
    return actions_.value(QString::fromLatin1(name));
}

void FrameActions::buildMenus(QMainWindow* frame, QMenu** windowMenu) {
    QMenuBar* bar = frame->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const FrameActions& a = *this;
    const auto menu = [bar](const char* name, const char* title, const char* hint) {
        QMenu* m = bar->addMenu(text(title));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setStatusTip(text(hint));
        m->setToolTipsVisible(true);
        return m;
    };

    QMenu* file = menu("File1", "Szótárak", "File related commands");
    file->addAction(a["FileSzotarNyilt"]);
    file->addAction(a["aSzotarNyitLista"]);
    file->addAction(a["FileLetolt"]);
    file->addSeparator();
    file->addAction(a["FileNyomtat"]);
    QMenu* format = file->addMenu(QStringLiteral("Szótár formátumban"));
    format->setObjectName(QStringLiteral("Sztrformtumban1"));
    format->addAction(a["aNyomSzotar2"]);
    format->addAction(a["aNyomSzotar3"]);
    format->addAction(a["aNyomSzotar4"]);
    file->addSeparator();
    file->addAction(a["aImport"]);
    file->addAction(a["aExport"]);
    file->addSeparator();
    file->addAction(a["aAdatlap"]);
    file->addSeparator();
    file->addAction(a["FileSysTray"]);
    file->addAction(a["FileKilep"]);

    QMenu* view = menu("Nzet1", "Nézet", "");
    view->addAction(a["aNagyit"]);
    view->addAction(a["aKicsinyit"]);

    QMenu* system = menu("Rendszer1", "Rendszer", "");
    system->addAction(a["aSQL"]);
    system->addSeparator();
    system->addAction(a["aBeallit"]);

    QMenu* windows = menu("Window1", "Ablakok", "Ablakok");
    windows->addAction(a["WindowCascade1"]);
    windows->addAction(a["WindowTileHorizontal1"]);
    windows->addAction(a["WindowTileVertical1"]);
    windows->addSeparator();
    windows->addAction(a["FileBezar"]);
    windows->addSeparator();
    *windowMenu = windows;

    QMenu* help = menu("Help1", "Súgó", "Help topics");
    help->addAction(a["HelpSugo"]);
    help->addSeparator();
    help->addAction(a["aTamogat"]);
    help->addAction(a["aHelpProgram"]);
    help->addSeparator();
    help->addAction(a["HelpHonlap"]);
    help->addAction(a["HelpLevel"]);
    help->addAction(a["HelpRaktar"]);
    help->addAction(a["HelpFriscor"]);
    help->addSeparator();
    help->addAction(a["HelpAbout1"]);
}

void FrameActions::buildToolBar(QToolBar* toolbar) {
    const FrameActions& a = *this;
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(16, 16));
    const auto sized = [toolbar](QAction* action) {
        if (auto* b = qobject_cast<QToolButton*>(toolbar->widgetForAction(action))) b->setMinimumSize(58, 36);
    };
    const auto dropDown = [&](const char* name, const char* caption, const char* hint, QAction* main,
                              const QList<QAction*>& items) {
        auto* menu = new QMenu(toolbar);
        for (QAction* item : items) {
            if (item)
                menu->addAction(item);
            else
                menu->addSeparator();
        }
        auto* button = new QToolButton(toolbar);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setMenu(menu);
        button->setIcon(main->icon());
        button->setText(text(caption));
        button->setToolTip(text(hint));
        button->setStatusTip(text(hint));
        button->setMinimumSize(58, 36);
        toolbar->addWidget(button);
    };
    dropDown("tbMegnyitas", "Megnyitás", "Szótár megnyitás", a["FileSzotarNyilt"],
             {a["FileSzotarNyilt"], a["aSzotarNyitLista"], nullptr, a["FileLetolt"]});
    toolbar->addSeparator();
    toolbar->addAction(a["aNagyit"]);
    sized(a["aNagyit"]);
    toolbar->addAction(a["aKicsinyit"]);
    sized(a["aKicsinyit"]);
    toolbar->addSeparator();
    dropDown("tbNyomtat", "Nyomtat", "Nyomtatás", a["FileNyomtat"],
             {a["FileNyomtat"], nullptr, a["aNyomSzotar2"], a["aNyomSzotar3"], a["aNyomSzotar4"], nullptr, a["aExport"],
              a["aImport"]});
    toolbar->addSeparator();
    dropDown("tbHonlapom", "Honlapom", "Kelvora honlapja", a["HelpHonlap"], {a["HelpHonlap"], a["HelpLevel"], a["HelpFriscor"]});
    toolbar->addAction(a["aHelpProgram"]);
    sized(a["aHelpProgram"]);
    toolbar->addSeparator();
    toolbar->addAction(a["FileKilep"]);
    sized(a["FileKilep"]);
}

} // namespace verbalo
