#pragma once

#include <QHash>
#include <QKeySequence>
#include <QString>

#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace verbalo {

// One command of the frame's menu and toolbar.
struct FrameActionDef {
    const char* name;
    const char* caption;
    const char* hint; // "" for none
    QKeySequence shortcut;
};

// Every command of the frame, in menu order.
const std::vector<FrameActionDef>& frameActionDefs();

// The frame's commands by action name, owned by the frame window.
class FrameActions {
public:
    explicit FrameActions(QMainWindow* frame);
    QAction* operator[](const char* name) const;
    QAction* find(const QString& name) const { return actions_.value(name); }

    // The main menu; the window menu's list of child windows is filled by the frame.
    void buildMenus(QMainWindow* frame, QMenu** windowMenu);
    // The toolbar buttons, with the three drop-down buttons; added to `toolbar`.
    void buildToolBar(QToolBar* toolbar);

private:
    QHash<QString, QAction*> actions_;
};

} // namespace verbalo
