#include "widgets/dictionary_window.h"

#include "common/messages.h"
#include "common/store/table.h"
#include "widgets/frame_services.h"
#include "widgets/icons.h"
#include "widgets/window_commands.h"

#include <QAction>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace verbalo {

DictionaryWindow::DictionaryWindow(FrameServices& frame, QWidget* parent) : QWidget(parent), frame_(frame) {}

bool DictionaryWindow::event(QEvent* event) {
    // The window's commands come before the frame's while the focus is inside it, as they did
    // for the child windows of the frame before: F11 orders by the first language in the
    // bilingual window rather than zooming, and the frame's commands with other keys still work.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        if (QAction* a = commandForKey(windowCommands(), static_cast<QKeyEvent*>(event))) {
            if (event->type() == QEvent::ShortcutOverride) event->accept();
            else a->trigger();
            return true;
        }
    }
    return QWidget::event(event);
}

QString DictionaryWindow::positionText() {
    store::Table* tbl = table();
    try {
        if (tbl) return QString::asprintf("%d/%d", tbl->recordCount(), tbl->recNo());
    } catch (const store::StoreError&) {
    }
    return QStringLiteral("0/0");
}

bool DictionaryWindow::readDictionaryForOpening(int id) {
    id_ = id;
    try {
        readDictionaryInfo(frame_.database(), id, info_, frame_.folders().programFolder);
    } catch (const store::StoreError& e) {
        showOpenFailed(e.message());
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

bool DictionaryWindow::rereadDictionaryInfo() {
    TSzotarak fresh;
    try {
        readDictionaryInfo(frame_.database(), id_, fresh, frame_.folders().programFolder);
    } catch (const store::StoreError&) {
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
        showError(e.message(), this);
        return false;
    }
    return true;
}

bool DictionaryWindow::startEditingRow() {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return false;
    try {
        if (tbl->recordCount() == 0) tbl->insert();
        else tbl->edit();
    } catch (const store::StoreError& e) {
        showError(e.message(), this);
        return false;
    }
    return true;
}

void DictionaryWindow::deleteCurrentRow() {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return;
    try {
        if (tbl->recordCount() == 0) return;
        if (!askYesNo(QStringLiteral("Valóban töröljem a sort?"), QStringLiteral("Megerősítés"), this)) return;
        tbl->remove();
    } catch (const store::StoreError& e) {
        showError(e.message(), this);
    }
}

void DictionaryWindow::moveToRow(int row) {
    store::Table* tbl = table();
    if (!tbl || !tbl->isOpen()) return;
    try {
        tbl->setRecNo(row);
    } catch (const store::StoreError&) {
    }
}

void DictionaryWindow::gotoTyped(const QString& text) {
    store::Table* tbl = table();
    if (text.isEmpty() || !tbl || !tbl->isOpen()) return;
    try {
        tbl->gotoNearest({text});
    } catch (const store::StoreError&) {
        // No index to search by: the list stays where it is.
    }
}

void DictionaryWindow::toggleFrameTopPanel() {
    QWidget* frameWindow = frame_.frameWindow();
    if (!frameWindow) return;
    if (auto* panel = frameWindow->findChild<QWidget*>(QStringLiteral("Panel1"), Qt::FindDirectChildrenOnly))
        panel->setVisible(!panel->isVisible());
}

void DictionaryWindow::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

} // namespace verbalo
