#include "widgets/dictionary_window.h"

#include "common/messages.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "widgets/frame_services.h"
#include "widgets/icons.h"
#include "widgets/store_messages.h"
#include "widgets/window_commands.h"

#include <QAction>
#include <QMdiSubWindow>

namespace verbalo {

DictionaryWindow::DictionaryWindow(FrameServices& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    // The window's commands come before the frame's and before the focused control's own keys
    // while the focus is inside it: F11 orders by the first language in the bilingual window
    // rather than zooming, Ctrl+Del in the search box deletes the row, and the frame's
    // commands with other keys still work.
    giveCommandsPriority(this, [this] { return windowCommands(); });
}

QString DictionaryWindow::refusal(Command command) const {
    // The kind of dictionary decides, whatever the window offers: a gallery holds pictures
    // that no list print can show, and neither a gallery nor a recipe book fits a delimited
    // text of its fields.
    if (command == Command::Print && info_.tipus == ImageGallery) return QStringLiteral("Ez a szótár típus nem nyomtatható.");
    if (command == Command::Export && (info_.tipus == ImageGallery || info_.tipus == RecipeBook))
        return QStringLiteral("Ez a szótár típus nem exportálható.");
    // A bilingual dictionary can be printed in columns; the others say they cannot.
    if (command == Command::PrintDictionaryFormat && info_.tipus != Bilingual) return FrameChild::refusal(command);
    return QString();
}

QString DictionaryWindow::positionText() {
    store::Table* tbl = table();
    try {
        if (tbl) return QString::asprintf("%d/%d", tbl->recordCount(), tbl->recNo());
    } catch (const store::StoreError&) {
        // Only the status panel asks, after every move: the failure itself shows where the
        // window read the table, and a box per status refresh would say it again and again.
    }
    return QStringLiteral("0/0");
}

bool DictionaryWindow::readDictionaryForOpening(int id) {
    id_ = id;
    try {
        readDictionaryInfo(frame_.database(), id, info_, frame_.folders().programFolder);
    } catch (const store::StoreError& e) {
        showOpenFailed(e);
        return false;
    }
    setWindowTitle(info_.szotarak_nev);
    largeIcon_ = pixmapFromIconBytes(info_.ikon_nagy, 48);
    setWindowIcon(iconFromBytes(info_.ikon_nagy.isEmpty() ? info_.nyelv1ikon : info_.ikon_nagy));
    return true;
}

void DictionaryWindow::showOpenFailed(const QString& storeMessage) {
    showError(QStringLiteral("Hiba az adatbázis megnyitásakor:\r\n") + storeMessage, this);
}

void DictionaryWindow::showOpenFailed(const store::StoreError& error) {
    showStoreError(error, info_.tablanev, this, QStringLiteral("Hiba az adatbázis megnyitásakor:"));
}

void DictionaryWindow::showStoreFailure(const store::StoreError& error) {
    showStoreError(error, info_.tablanev, this);
}

bool DictionaryWindow::rereadDictionaryInfo() {
    TSzotarak fresh;
    try {
        readDictionaryInfo(frame_.database(), id_, fresh, frame_.folders().programFolder);
    } catch (const store::StoreError& e) {
        showStoreError(e, QStringLiteral("szotarak"), this);
        return false;
    }
    info_ = fresh;
    largeIcon_ = pixmapFromIconBytes(info_.ikon_nagy, 48);
    return true;
}

bool DictionaryWindow::startNewRow() {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return false;
    try {
        tbl->insert();
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return false;
    }
    return true;
}

bool DictionaryWindow::startEditingRow() {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return false;
    try {
        if (tbl->recordCount() == 0)
            tbl->insert();
        else
            tbl->edit();
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return false;
    }
    return true;
}

void DictionaryWindow::deleteCurrentRow(const QString& question) {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return;
    try {
        if (tbl->recordCount() == 0) return;
        if (!askYesNo(question, QStringLiteral("Megerősítés"), this)) return;
        tbl->remove();
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
    }
}

void DictionaryWindow::moveToRow(int row) {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return;
    try {
        tbl->setRecNo(row);
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
    }
}

void DictionaryWindow::gotoTyped(const QString& text) {
    store::Table* tbl = table();
    if (text.isEmpty() || !tbl || !tbl->isOpen()) return;
    try {
        tbl->gotoNearest({text});
    } catch (const store::StoreError& e) {
        // No index to search by (the store's own refusal): the list stays where it is, as it
        // did for every letter typed. The table failing is said.
        if (e.kind() != store::StoreError::Kind::Other) showStoreFailure(e);
    }
}

void DictionaryWindow::toggleFrameTopPanel() {
    QWidget* frameWindow = frame_.frameWindow();
    if (!frameWindow) return;
    if (auto* panel = frameWindow->findChild<QWidget*>(QStringLiteral("Panel1"), Qt::FindDirectChildrenOnly))
        panel->setVisible(!panel->isVisible());
}

void DictionaryWindow::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

} // namespace verbalo
