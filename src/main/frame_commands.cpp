// The frame's menu and toolbar commands and the opening of dictionaries into child windows.
#include "main/frame_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/table_layouts.h"
#include "common/text_routines.h"
#include "internet/download_window.h"
#include "internet/programs_window.h"
#include "main/settings_window.h"
#include "main/dictionary_panel.h"
#include "main/frame_actions.h"
#include "main/logic/catalogue_editing.h"
#include "main/logic/frame_rules.h"
#include "main/about_window.h"
#include "main/support_window.h"
#include "main/catalogue_picker.h"
#include "main/properties_window.h"
#include "freesql/sql_window.h"
#include "widgets/dictionary_window.h"
#include "widgets/dictionary_window_factory.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace verbalo {

void Tfrm_Main::connectActions() {
    const FrameActions& a = *actions_;
    const auto on = [this](QAction* action, std::function<void()> command) {
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    };
    on(a["FileSzotarNyilt"], [this] { openDictionaryFromPicker(); });
    on(a["aSzotarNyitLista"], [this] { showDictionaryPanel(); });
    on(a["FileLetolt"], [this] { showInternetWindow(); });
    on(a["FileNyomtat"], [this] { printActive(); });
    on(a["aNyomSzotar2"], [this] { printDictionaryFormat(2); });
    on(a["aNyomSzotar3"], [this] { printDictionaryFormat(3); });
    on(a["aNyomSzotar4"], [this] { printDictionaryFormat(4); });
    on(a["aImport"], [this] { importActive(); });
    on(a["aExport"], [this] { exportActive(); });
    on(a["aAdatlap"], [this] { showDataSheet(); });
    on(a["FileKilep"], [this] { close(); });
    on(a["aNagyit"], [this] { zoom(zoomedIn(settings_.fontSize)); });
    on(a["aKicsinyit"], [this] { zoom(zoomedOut(settings_.fontSize)); });
    on(a["aSQL"], [this] { showSqlWindow(); });
    on(a["aBeallit"], [this] { showSettings(); });
    on(a["WindowCascade1"], [this] { mdi_->cascadeSubWindows(); });
    on(a["WindowTileHorizontal1"], [this] { tileSubWindows(Qt::Vertical); });
    on(a["WindowTileVertical1"], [this] { tileSubWindows(Qt::Horizontal); });
    on(a["FileBezar"], [this] { mdi_->closeActiveSubWindow(); });
    on(a["HelpSugo"], [this] { openAddress(folders_.programFolder + QStringLiteral("/Help/index.htm")); });
    on(a["aTamogat"], [this] { showSupportWindow(*this); });
    on(a["aHelpProgram"], [this] { showProgramsWindow(); });
    on(a["HelpHonlap"], [this] { openAddress(makerAddresses(settings_.server).homePage); });
    on(a["HelpLevel"], [this] { openAddress(makerAddresses(settings_.server).mail); });
    on(a["HelpRaktar"], [this] { openAddress(makerAddresses(settings_.server).programStore); });
    on(a["HelpFriscor"], [this] { openAddress(folders_.programFolder + QStringLiteral("/Friscor")); });
    on(a["HelpAbout1"], [this] { showAboutWindow(*this); });
}

QList<DictionaryWindow*> Tfrm_Main::dictionaryWindows() const {
    QList<DictionaryWindow*> windows;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* w = qobject_cast<DictionaryWindow*>(sub->widget())) windows.append(w);
    return windows;
}

DictionaryWindow* Tfrm_Main::activeDictionaryWindow() const {
    QMdiSubWindow* sub = mdi_->activeSubWindow();
    return sub ? qobject_cast<DictionaryWindow*>(sub->widget()) : nullptr;
}

FrameChild* Tfrm_Main::activeFrameChild() const {
    QMdiSubWindow* sub = mdi_ ? mdi_->activeSubWindow() : nullptr;
    return sub ? dynamic_cast<FrameChild*>(sub->widget()) : nullptr;
}

void Tfrm_Main::openDictionaryWindow(int id) {
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* w = qobject_cast<DictionaryWindow*>(sub->widget()); w && w->dictionaryId() == id) {
            sub->show();
            mdi_->setActiveSubWindow(sub);
            return;
        }
    }
    TSzotarak row;
    if (!readDictionaryInfo(db_, id, row, folders_.programFolder)) {
        // Deleted since, or another data folder: nothing to open and nothing to say; it is not
        // offered again at the next start.
        if (settings_.lastDict == id) settings_.lastDict = -1;
        return;
    }
    const int type = row.tipus;
    DictionaryWindow* window = isKnownDictionaryType(type) ? createDictionaryWindow(type, *this, nullptr) : nullptr;
    if (!window) {
        // The id is remembered all the same, so the message comes again at the next start
        // until another dictionary is opened.
        showError(QStringLiteral("Nem megfelelő szótártípus, frissítse programját az Internetről."), this);
        settings_.lastDict = id;
        return;
    }
    std::unique_ptr<DictionaryWindow> owned(window);
    if (!window->openDictionary(id)) return; // the window has shown its own message
    QMdiSubWindow* sub = mdi_->addSubWindow(owned.release());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(window->windowIcon());
    verbalo::applyFontSize(window, settings_.fontSize);
    if (settings_.mdiFullScreen)
        sub->showMaximized();
    else
        sub->showNormal();
    mdi_->setActiveSubWindow(sub);
    settings_.lastDict = id;
    enableCommands();
}

void Tfrm_Main::subWindowActivated(QMdiSubWindow* sub) {
    enableCommands();
    if (!sub) return;
    if (auto* w = qobject_cast<DictionaryWindow*>(sub->widget())) runCommand([w] { w->reportActive(); });
}

void Tfrm_Main::enableCommands() {
    using Command = FrameChild::Command;
    FrameChild* child = activeFrameChild();
    // A command is on while the active window runs it or answers it with its message; the
    // dictionary format answers with no window too.
    const auto reachable = [child](Command c) { return child && (child->offers(c) || !child->refusal(c).isEmpty()); };
    const FrameActions& a = *actions_;
    a["FileNyomtat"]->setEnabled(reachable(Command::Print));
    for (const char* name : {"aNyomSzotar2", "aNyomSzotar3", "aNyomSzotar4"})
        a[name]->setEnabled(!child || reachable(Command::PrintDictionaryFormat));
    a["aImport"]->setEnabled(reachable(Command::Import));
    a["aExport"]->setEnabled(reachable(Command::Export));
    DictionaryWindow* dictionary = mdi_ ? activeDictionaryWindow() : nullptr;
    a["aAdatlap"]->setEnabled(dictionary && dictionary->offers(Command::DataSheet));
    a["FileBezar"]->setEnabled(mdi_ && mdi_->activeSubWindow());
    // The tray icon is not part of the program yet.
    a["FileSysTray"]->setEnabled(false);
}

void Tfrm_Main::catalogueChanged() {
    if (!catalogueOpened_) return;
    refreshExistence(db_);
    if (panel_->isVisible()) panel_->rebuild(existingDictionaries(db_));
}

template <typename T>
void Tfrm_Main::showToolWindow(const std::function<T*()>& create) {
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (qobject_cast<T*>(sub->widget())) {
            sub->show();
            mdi_->setActiveSubWindow(sub);
            return;
        }
    }
    QMdiSubWindow* sub = mdi_->addSubWindow(create());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (settings_.mdiFullScreen)
        sub->showMaximized();
    else
        sub->showNormal();
    mdi_->setActiveSubWindow(sub);
    enableCommands();
}

void Tfrm_Main::showInternetWindow() {
    showToolWindow<Tfrm_Internet>([this] { return new Tfrm_Internet(*this); });
}

void Tfrm_Main::showProgramsWindow() {
    showToolWindow<Tfrm_Programok>([this] { return new Tfrm_Programok(*this); });
}

bool Tfrm_Main::closeTableWindows(const QStringList& tables) {
    QList<QMdiSubWindow*> showing;
    QStringList names;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        auto* w = qobject_cast<DictionaryWindow*>(sub->widget());
        if (w && tables.contains(w->info().tablanev, Qt::CaseInsensitive)) {
            showing << sub;
            names << w->info().szotarak_nev;
        }
    }
    if (showing.isEmpty()) return true;
    const QString question = QStringLiteral("A telepítés lecseréli a nyitott szótár tábláját: %1.\r\nBezárja az ablakát?")
                                 .arg(names.join(QStringLiteral(", ")));
    if (!askYesNo(question, QStringLiteral("Szótár telepítése"), this)) return false;
    for (QMdiSubWindow* sub : showing)
        if (!sub->close()) return false;
    return true;
}

void Tfrm_Main::showDictionaryPanel() {
    panel_->rebuild(existingDictionaries(db_));
    panel_->show();
}

void Tfrm_Main::openPanelKey(const QString& key) {
    if (key == DictionaryPanel::kDownloadKey)
        showInternetWindow();
    else if (key == DictionaryPanel::kProgramsKey)
        showProgramsWindow();
    else
        openDictionaryWindow(extractInt(key));
}

void Tfrm_Main::openDictionaryFromPicker() {
    PickerContext context = pickerContext();
    const int id = pickDictionary(context, -1);
    // -1: Mégsem; 0: OK on an empty list, which has nothing to open.
    if (id > 0) openDictionaryWindow(id);
}

void Tfrm_Main::runOnActiveChild(FrameChild::Command command, const std::function<void(FrameChild&)>& run) {
    FrameChild* child = activeFrameChild();
    if (!child) return;
    if (const QString refused = child->refusal(command); !refused.isEmpty())
        showError(refused, this);
    else if (child->offers(command))
        run(*child);
}

void Tfrm_Main::printActive() {
    runOnActiveChild(FrameChild::Command::Print, [](FrameChild& child) { child.printList(); });
}

void Tfrm_Main::printDictionaryFormat(int columns) {
    FrameChild* child = activeFrameChild();
    if (!child) {
        showError(FrameChild::notPrintableInDictionaryFormat(), this);
        return;
    }
    runOnActiveChild(FrameChild::Command::PrintDictionaryFormat, [this, columns](FrameChild& c) {
        if (!c.printDictionaryFormat(columns)) showError(FrameChild::notPrintableInDictionaryFormat(), this);
    });
}

void Tfrm_Main::importActive() {
    runOnActiveChild(FrameChild::Command::Import, [](FrameChild& child) { child.importData(); });
}

void Tfrm_Main::exportActive() {
    runOnActiveChild(FrameChild::Command::Export, [](FrameChild& child) { child.exportData(); });
}

void Tfrm_Main::showSqlWindow() {
    showFreeSqlWindow(*this, this);
}

void Tfrm_Main::showDataSheet() {
    DictionaryWindow* w = activeDictionaryWindow();
    if (!w || !w->offers(FrameChild::Command::DataSheet)) return;
    w->saveLayoutForDataSheet();
    if (editDictionaryProperties(pickerContext(), w->dictionaryId()) > 0) catalogueChanged();
    w->reloadDictionaryInfo();
}

void Tfrm_Main::zoom(int newSize) {
    if (newSize == settings_.fontSize) return;
    settings_.fontSize = newSize;
    applyFontSize();
}

void Tfrm_Main::applyFontSize() {
    verbalo::applyFontSize(this, settings_.fontSize);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        verbalo::applyFontSize(sub, settings_.fontSize);
        verbalo::applyFontSize(sub->widget(), settings_.fontSize);
    }
}

void Tfrm_Main::showSettings() {
    verbalo::showSettings(*this);
}

void Tfrm_Main::tileSubWindows(Qt::Orientation orientation) {
    // One under the other (Vertical) or side by side (Horizontal), each child getting an equal share.
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    QList<QMdiSubWindow*> visible;
    for (QMdiSubWindow* sub : windows)
        if (!sub->isMinimized() && sub->isVisible()) visible.append(sub);
    if (visible.isEmpty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int n = static_cast<int>(visible.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = visible[i];
        sub->showNormal();
        if (orientation == Qt::Vertical) {
            const int h = area.height() / n;
            sub->setGeometry(0, i * h, area.width(), h);
        } else {
            const int w = area.width() / n;
            sub->setGeometry(i * w, 0, w, area.height());
        }
    }
}

void Tfrm_Main::fillWindowMenu() {
    // The list of child windows follows the fixed entries and is rebuilt each time.
    const QList<QAction*> entries = windowMenu_->actions();
    for (QAction* a : entries)
        if (a->property("childWindowEntry").toBool()) {
            windowMenu_->removeAction(a);
            a->deleteLater();
        }
    int n = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        QAction* entry = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        entry->setProperty("childWindowEntry", true);
        entry->setCheckable(true);
        entry->setChecked(sub == mdi_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(sub)] {
            if (!child) return;
            child->show();
            mdi_->setActiveSubWindow(child);
        });
    }
}

} // namespace verbalo
