// The frame window: start-up on a portable folder, the side panel, opening dictionaries into
// child windows, the commands on the active child, zoom, the menu, closing and the splash.
#include "common/settings.h"
#include "common/store/table.h"
#include "freesql/sql_window.h"
#include "main/dictionary_panel.h"
#include "main/frame_actions.h"
#include "main/logic/frame_rules.h"
#include "main/properties_window.h"
#include "test_gui_main_fixture.h"
#include "widgets/window_geometry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace verbalo;
using test::MainFrameFixture;
using test::StubDictionaryWindow;

namespace {

// A child window that is no dictionary but prints and exports its own list, as the lists of
// the maker's site do.
class ListingChild : public QWidget, public FrameChild {
public:
    bool offers(Command command) const override { return command == Command::Print || command == Command::Export; }
    void printList() override { StubDictionaryWindow::calls << QStringLiteral("listPrint"); }
    void exportData() override { StubDictionaryWindow::calls << QStringLiteral("listExport"); }
};

} // namespace

namespace {

QStringList panelRows(Tfrm_Main& frame) {
    QStringList rows;
    QListWidget* list = frame.dictionaryPanel()->list();
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text() + QLatin1Char('=') + list->item(i)->data(Qt::UserRole).toString();
    return rows;
}

void showAndSettle(Tfrm_Main& frame) {
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QApplication::setActiveWindow(&frame);
    QCoreApplication::processEvents(); // the first-show steps run once the window is up
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartOnAnEmptyFolder() {
        MainFrameFixture f;
        QCOMPARE(f.folders.settingsFolder, f.data.root() + QStringLiteral("/prog"));
        auto frame = f.makeFrame();
        QVERIFY(frame->catalogueOpened());
        QCOMPARE(frame->windowTitle(), QStringLiteral("Verbalo V9.3.0.320"));
        QCOMPARE(frame->objectName(), QStringLiteral("frm_Main"));
        QVERIFY(f.messages.messages().isEmpty());
        // The side panel is shown by default and holds only the two fixed rows.
        QVERIFY(!frame->dictionaryPanel()->isHidden());
        QCOMPARE(frame->dictionaryPanel()->width(), 121);
        QCOMPARE(panelRows(*frame), (QStringList{QStringLiteral(" Szótárak letöltése=szotarletolt"),
                                                 QStringLiteral(" További programok=programletolt")}));
        const int widths[] = {100, 100, 200, 200, 50};
        for (int i = 0; i < 5; ++i) QCOMPARE(frame->statusPanelWidth(i), widths[i]);
        QVERIFY(!frame->advertLabel());

        showAndSettle(*frame);
        QCOMPARE(frame->pos(), QPoint(10, 10));
        QCOMPARE(frame->size(), QSize(770, 550));
        QCOMPARE(frame->font().pointSize(), 9);
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 0);

        QVERIFY(frame->close());
        const IniFile ini = f.ini();
        QCOMPARE(ini.readString(QStringLiteral("Database"), QStringLiteral("Path"), QString()), f.folders.dataFolder);
        QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), 0), 9);
        QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("MDIFullScreen"), -1), 1);
        QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("FullScreen"), -1), 0);
        QCOMPARE(ini.readInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), 0), -1);
        QCOMPARE(ini.readInteger(QStringLiteral("Defaults"), QStringLiteral("OpenList"), -1), 1);
        QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("Width"), 0), 770);
        QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 0), 10);
        QVERIFY(!frame->database().isConnected());
    }

    void missingCatalogueIsReportedAndTheFrameStillComesUp() {
        MainFrameFixture f;
        f.db.disconnect();
        QVERIFY(QFile::remove(f.folders.dataFolder + QStringLiteral("/szotarak.DB")));
        auto frame = f.makeFrame();
        QVERIFY(!frame->catalogueOpened());
        QCOMPARE(f.messages.messages().size(), 1);
        QCOMPARE(f.messages.messages().first().caption, QStringLiteral("Hiba"));
        QVERIFY2(f.messages.texts().first().contains(QStringLiteral("szotarak")), qPrintable(f.messages.texts().first()));
        QVERIFY(frame->dictionaryPanel()->isHidden());
        showAndSettle(*frame);
        QVERIFY(frame->isVisible());
        QVERIFY(frame->close());
    }

    void sidePanelListsExistingDictionariesAfterTheFixedRows() {
        MainFrameFixture f;
        const int nemet = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        const int angol = f.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"), true, QStringLiteral("N"));
        f.addDictionary(1, QStringLiteral("Eltűnt"), QStringLiteral("eltunt"), false, QStringLiteral("I"));
        const int abc = f.addDictionary(2, QStringLiteral("Ábécé"), QStringLiteral("abc"));
        auto frame = f.makeFrame();
        // Existence flags were brought up to date before the list was made.
        QCOMPARE(panelRows(*frame),
                 (QStringList{QStringLiteral(" Szótárak letöltése=szotarletolt"),
                              QStringLiteral(" További programok=programletolt"), QStringLiteral("Ábécé=%1").arg(abc),
                              QStringLiteral("Angol=%1").arg(angol), QStringLiteral("Német=%1").arg(nemet)}));
        QVERIFY(!frame->dictionaryPanel()->list()->item(2)->icon().isNull());

        // The header's button hides the panel; the menu command shows it again, rebuilt.
        showAndSettle(*frame);
        frame->dictionaryPanel()->findChild<QAbstractButton*>(QStringLiteral("SpeedButton1"))->click();
        QVERIFY(frame->dictionaryPanel()->isHidden());
        f.addDictionary(1, QStringLiteral("Új"), QStringLiteral("uj"), true, QStringLiteral("I"));
        frame->action(QStringLiteral("aSzotarNyitLista"))->trigger();
        QVERIFY(frame->dictionaryPanel()->isVisible());
        QCOMPARE(frame->dictionaryPanel()->list()->count(), 6);
        QVERIFY(frame->close());
        QCOMPARE(f.ini().readInteger(QStringLiteral("Defaults"), QStringLiteral("OpenList"), -1), 1);
    }

    void openingFromThePanel() {
        MainFrameFixture f;
        const int nemet = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        DictionaryPanel* panel = frame->dictionaryPanel();
        panel->list()->clearSelection();
        panel->openSelected();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Nincs állomány kiválasztva.")});
        // The first fixed row (" Szótárak letöltése") opens the download window: empty, with
        // the store's message, as no list has been fetched into this data folder yet.
        panel->list()->item(0)->setSelected(true);
        panel->openSelected();
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(frame->mdiArea()->subWindowList().first()->widget()->metaObject()->className(), "verbalo::Tfrm_Internet");
        QCOMPARE(f.messages.messages().size(), 2);
        panel->list()->clearSelection();
        panel->list()->item(2)->setSelected(true);
        panel->findChild<QAction*>(QStringLiteral("Megnyit1"))->trigger();
        QCOMPARE(frame->dictionaryWindows().size(), 1);
        QCOMPARE(frame->dictionaryWindows().first()->dictionaryId(), nemet);
        QCOMPARE(f.messages.messages().size(), 2);
        frame->close();
    }

    void openDictionaryWindowRouting() {
        MainFrameFixture f;
        const int nemet = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        const int angol = f.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"));
        const int bad = f.addDictionary(1, QStringLiteral("rossz szótár"), QStringLiteral("rossz"));
        const int list = f.addDictionary(2, QStringLiteral("Lista"), QStringLiteral("lista"));
        const int odd = f.addDictionary(4, QStringLiteral("Furcsa"), QStringLiteral("furcsa"), false);
        auto frame = f.makeFrame();
        showAndSettle(*frame);

        frame->settings().mdiFullScreen = false;
        frame->openDictionaryWindow(nemet);
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
        QVERIFY(!frame->mdiArea()->activeSubWindow()->isMaximized());
        QCOMPARE(frame->settings().lastDict, nemet);
        QCOMPARE(frame->statusPanelText(3), QStringLiteral("Német"));
        QCOMPARE(frame->statusPanelText(2), QStringLiteral("Sorrend: magyar szerint"));
        QCOMPARE(frame->statusPanelText(1), QStringLiteral("10/1"));

        frame->settings().mdiFullScreen = true;
        frame->openDictionaryWindow(angol);
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
        QVERIFY(frame->mdiArea()->activeSubWindow()->isMaximized());
        QCOMPARE(frame->settings().lastDict, angol);

        // Already open: brought to the front, nothing read again.
        frame->openDictionaryWindow(nemet);
        QCOMPARE(StubDictionaryWindow::opened, 2);
        QCOMPARE(frame->activeDictionaryWindow()->dictionaryId(), nemet);
        QCOMPARE(frame->settings().lastDict, nemet);

        // A window that fails to open leaves nothing behind and keeps the last dictionary.
        frame->openDictionaryWindow(bad);
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(f.messages.texts().last(), QStringLiteral("nem nyitható"));
        QCOMPARE(frame->settings().lastDict, nemet);

        // Types without a window.
        const QString message = QStringLiteral("Nem megfelelő szótártípus, frissítse programját az Internetről.");
        for (int id : {list, odd}) {
            f.messages.clear();
            frame->openDictionaryWindow(id);
            QCOMPARE(f.messages.texts(), QStringList{message});
            QCOMPARE(frame->settings().lastDict, id);
        }
        // An id no longer in the catalogue opens nothing and says nothing.
        f.messages.clear();
        frame->openDictionaryWindow(9999);
        QVERIFY(f.messages.texts().isEmpty());
        QCOMPARE(frame->settings().lastDict, odd);
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
        frame->close();
    }

    void lastDictionaryReopenedBeforeTheSplash() {
        MainFrameFixture f;
        const int nemet = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        f.ini().writeInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), nemet);
        f.ini().writeInteger(QStringLiteral("Defaults"), QStringLiteral("OpenList"), 0);
        auto frame = f.makeFrame();
        QVERIFY(frame->dictionaryPanel()->isHidden());
        showAndSettle(*frame);
        QCOMPARE(frame->dictionaryWindows().size(), 1);
        QCOMPARE(frame->dictionaryWindows().first()->dictionaryId(), nemet);
        // A second showing opens nothing again.
        frame->hide();
        frame->show();
        QCoreApplication::processEvents();
        QCOMPARE(StubDictionaryWindow::opened, 1);
        QVERIFY(frame->close());
        QCOMPARE(f.ini().readInteger(QStringLiteral("Defaults"), QStringLiteral("OpenList"), -1), 0);
        QCOMPARE(f.ini().readInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), -1), nemet);
    }

    void splashFadesOnItsClock() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        QPointer<Tfrm_Logo> splash = frame->splashWindow();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QCOMPARE(splash->size(), QSize(600, 200));
        QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        const WorkArea area = primaryWorkArea();
        QCOMPARE(splash->geometry().center().x(), (area.left + area.right) / 2 - 1 + (600 % 2));
        int delay = 0;
        QVERIFY(f.clock.fireNext(&delay));
        QCOMPARE(delay, 1000);
        QCOMPARE(splash->opacity(), 245);
        QList<int> delays;
        while (splash && f.clock.fireNext(&delay)) {
            delays << delay;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        // 255 falls by 10 per step: at 25 (the first value of 33 or less) the window is gone.
        QCOMPARE(delays.size(), 22);
        QVERIFY(std::all_of(delays.begin(), delays.end(), [](int d) { return d == 21; }));
        QVERIFY(!splash);
        frame->close();
    }

    void fullScreenFillsTheWorkArea() {
        MainFrameFixture f;
        f.ini().writeBool(QStringLiteral("Screen"), QStringLiteral("FullScreen"), true);
        f.ini().writeInteger(QStringLiteral("Screen"), QStringLiteral("Width"), 300);
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        const WorkArea area = primaryWorkArea();
        // Maximised: the frame, title bar included, fills the work area.
        QVERIFY(frame->isMaximized());
        QCOMPARE(frame->pos(), QPoint(0, 0));
        QCOMPARE(frame->frameGeometry(), QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
        const int width = frame->width();
        frame->close();
        // Overwritten at exit by the bounds the window had.
        QCOMPARE(f.ini().readInteger(QStringLiteral("Screen"), QStringLiteral("Width"), 0), width);
        QCOMPARE(f.ini().readInteger(QStringLiteral("Screen"), QStringLiteral("Top"), -1), 0);
    }

    void zoomStaysWithinEightToTen_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("expected");
        QTest::newRow("F11 three times from 9") << 9 << "+++" << 10;
        QTest::newRow("F12 three times from 10") << 10 << "---" << 8;
        QTest::newRow("up and down") << 8 << "+-+" << 9;
        QTest::newRow("too large steps back") << 14 << "-" << 13;
        QTest::newRow("too large is not pushed further") << 14 << "+" << 14;
        QTest::newRow("too small steps up") << 5 << "+" << 6;
        QTest::newRow("too small is not pushed further") << 5 << "-" << 5;
    }
    void zoomStaysWithinEightToTen() {
        QFETCH(int, start);
        QFETCH(QString, keys);
        QFETCH(int, expected);
        MainFrameFixture f;
        const int id = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        f.ini().writeInteger(QStringLiteral("Screen"), QStringLiteral("FontSize"), start);
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        frame->openDictionaryWindow(id);
        for (QChar k : keys) QTest::keyClick(frame.get(), k == QLatin1Char('+') ? Qt::Key_F11 : Qt::Key_F12);
        QCOMPARE(frame->settings().fontSize, expected);
        QCOMPARE(frame->font().pointSize(), expected);
        QCOMPARE(frame->dictionaryWindows().first()->font().pointSize(), expected);
        frame->close();
    }

    void everyCommandHasItsCaptionHintAndShortcut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QKeySequence>("shortcut");
        const auto row = [](const char* n, const char* c, const char* h, QKeySequence k = QKeySequence()) {
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromUtf8(c) << QString::fromUtf8(h) << k;
        };
        row("FileSzotarNyilt", "Megnyitás", "Szótár megnyitás", QKeySequence(QStringLiteral("Ctrl+O")));
        row("aSzotarNyitLista", "Szótár megnyitása listából", "Szótár megnyitása listából",
            QKeySequence(QStringLiteral("Ctrl+Shift+O")));
        row("FileLetolt", "Szótár állomány letöltés Internetről", "Szótár állomány letöltése");
        row("FileNyomtat", "Nyomtat", "Nyomtatás", QKeySequence(QStringLiteral("Ctrl+P")));
        row("aNyomSzotar2", "Nyomtatás szótár formátumban (2 oszlop)", "Nyomtatás szótár formátumban (2 oszlop)");
        row("aNyomSzotar3", "3 oszlopban", "3 oszlopban");
        row("aNyomSzotar4", "4 oszlopban", "4 oszlopban");
        row("aImport", "Adatok importja", "", QKeySequence(QStringLiteral("Ctrl+I")));
        row("aExport", "Adatok exportja", "", QKeySequence(QStringLiteral("Ctrl+E")));
        row("aAdatlap", "Adatlap", "Adatlap", QKeySequence(Qt::ALT | Qt::Key_Enter));
        row("FileSysTray", "Tálcára...", "Tálcára vele...", QKeySequence(QStringLiteral("Shift+F12")));
        row("FileKilep", "Kilép", "Kilép");
        row("aNagyit", "Nagyít", "Nagyít", QKeySequence(QStringLiteral("F11")));
        row("aKicsinyit", "Kicsinyít", "Kicsinyít", QKeySequence(QStringLiteral("F12")));
        row("aSQL", "Szabad lekérdezés", "Szabad lekérdezés");
        row("aBeallit", "Beállítások", "Beállítások");
        row("WindowCascade1", "Mind látszik", "Mind látszik");
        row("WindowTileHorizontal1", "Egymás alatt", "Egymás alatt");
        row("WindowTileVertical1", "Egymás mellett", "Egymás mellett");
        row("FileBezar", "Bezár", "Bezár");
        row("HelpSugo", "Súgó", "", QKeySequence(QStringLiteral("F1")));
        row("aTamogat", "Támogatás", "Támogatás");
        row("aHelpProgram", "Programok", "További programok, letöltések");
        row("HelpHonlap", "Honlapom", "Kelvora honlapja");
        row("HelpLevel", "Levélküldés Kelvoranak", "Levélküldés Kelvoranak");
        row("HelpRaktar", "Raktárprogramok tárháza", "Raktárprogramok tárháza");
        row("HelpFriscor", "Újdonságok honlapomon", "Újdonságok");
        row("HelpAbout1", "Névjegy", "Névjegy");
    }
    void everyCommandHasItsCaptionHintAndShortcut() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QKeySequence, shortcut);
        MainFrameFixture f;
        auto frame = f.makeFrame();
        QAction* a = frame->action(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->statusTip(), hint);
        QCOMPARE(a->shortcut(), shortcut);
        // Off: the commands on a child window while none is open (the dictionary format answers
        // with its message even then), and the tray icon, not part of the program yet.
        static const QStringList off = {"FileSysTray", "FileNyomtat", "aImport", "aExport", "aAdatlap", "FileBezar"};
        QCOMPARE(a->isEnabled(), !off.contains(name));
    }

    void menusInOrder() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        const auto entries = [](QMenu* menu) {
            QStringList names;
            for (QAction* a : menu->actions())
                names << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->text() : a->objectName());
            return names;
        };
        QStringList titles;
        QList<QMenu*> menus;
        for (QAction* a : frame->menuBar()->actions()) {
            titles << a->text();
            menus << a->menu();
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("Szótárak"), QStringLiteral("Nézet"), QStringLiteral("Rendszer"),
                                      QStringLiteral("Ablakok"), QStringLiteral("Súgó")}));
        QCOMPARE(menus[0]->menuAction()->statusTip(), QStringLiteral("File related commands"));
        QCOMPARE(menus[4]->menuAction()->statusTip(), QStringLiteral("Help topics"));
        QCOMPARE(
            entries(menus[0]).join(QLatin1Char('|')),
            QStringLiteral(
                "FileSzotarNyilt|aSzotarNyitLista|FileLetolt|-|FileNyomtat|Szótár formátumban|-|aImport|aExport|-|aAdatlap|-|"
                "FileSysTray|FileKilep"));
        QCOMPARE(entries(menus[1]), (QStringList{QStringLiteral("aNagyit"), QStringLiteral("aKicsinyit")}));
        QCOMPARE(entries(menus[2]), (QStringList{QStringLiteral("aSQL"), QStringLiteral("-"), QStringLiteral("aBeallit")}));
        QCOMPARE(entries(menus[3]).mid(0, 6),
                 (QStringList{QStringLiteral("WindowCascade1"), QStringLiteral("WindowTileHorizontal1"),
                              QStringLiteral("WindowTileVertical1"), QStringLiteral("-"), QStringLiteral("FileBezar"),
                              QStringLiteral("-")}));
        QCOMPARE(entries(menus[4]).join(QLatin1Char(' ')),
                 QStringLiteral("HelpSugo - aTamogat aHelpProgram - HelpHonlap HelpLevel HelpRaktar HelpFriscor - HelpAbout1"));
    }

    void windowMenuListsTheChildren() {
        MainFrameFixture f;
        const int a = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        const int b = f.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"));
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        frame->openDictionaryWindow(a);
        frame->openDictionaryWindow(b);
        QMenu* windows = frame->menuBar()->actions().at(3)->menu();
        emit windows->aboutToShow();
        QStringList children;
        for (QAction* act : windows->actions())
            if (act->property("childWindowEntry").toBool()) children << act->text();
        QCOMPARE(children, (QStringList{QStringLiteral("&1 Német"), QStringLiteral("&2 Angol")}));
        emit windows->aboutToShow();
        int entries = 0;
        for (QAction* act : windows->actions()) entries += act->property("childWindowEntry").toBool();
        QCOMPARE(entries, 2);
        windows->actions().at(6)->trigger();
        QCOMPARE(frame->activeDictionaryWindow()->dictionaryId(), a);
        frame->action(QStringLiteral("FileBezar"))->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(frame->dictionaryWindows().size(), 1);
        frame->close();
    }

    // What each frame command does, by the class of the active child window: it runs in the
    // window, shows the message of the window's kind, or does nothing (and is then off).
    void commandDispatchByWindowClass_data() {
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("call");
        const QString notPrintable = QStringLiteral("Ez a szótár típus nem nyomtatható.");
        const QString notInFormat = QStringLiteral("Ez a szótártípus nem nyomtatható ebben a formátumban.");
        const QString notExportable = QStringLiteral("Ez a szótár típus nem exportálható.");
        const auto row = [](const char* child, const char* command, bool enabled, const QString& message, const char* call) {
            QTest::addRow("%s %s", child, command)
                << QString::fromLatin1(child) << QString::fromLatin1(command) << enabled << message << QString::fromLatin1(call);
        };
        for (const char* command : {"FileNyomtat", "aImport", "aExport", "aAdatlap"}) row("none", command, false, {}, "");
        row("none", "aNyomSzotar3", true, notInFormat, "");
        row("pairs", "FileNyomtat", true, {}, "print");
        row("pairs", "aNyomSzotar2", true, {}, "format2");
        row("pairs", "aNyomSzotar4", true, {}, "format4");
        row("pairs", "aImport", true, {}, "import");
        row("pairs", "aExport", true, {}, "export");
        row("gallery", "FileNyomtat", true, notPrintable, "");
        row("gallery", "aNyomSzotar2", true, notInFormat, "");
        row("gallery", "aExport", true, notExportable, "");
        row("gallery", "aImport", true, {}, "import");
        row("recipes", "FileNyomtat", true, {}, "print");
        row("recipes", "aExport", true, notExportable, "");
        for (const char* command : {"FileNyomtat", "aImport", "aExport", "aAdatlap"}) row("sql", command, false, {}, "");
        row("sql", "aNyomSzotar3", true, notInFormat, "");
        // A list window of the maker's site: no dictionary, yet it prints and exports its list.
        row("listing", "FileNyomtat", true, {}, "listPrint");
        row("listing", "aExport", true, {}, "listExport");
        row("listing", "aImport", false, {}, "");
        row("listing", "aAdatlap", false, {}, "");
        row("listing", "aNyomSzotar2", true, notInFormat, "");
    }
    void commandDispatchByWindowClass() {
        QFETCH(QString, child);
        QFETCH(QString, command);
        QFETCH(bool, enabled);
        QFETCH(QString, message);
        QFETCH(QString, call);
        MainFrameFixture f;
        const QHash<QString, int> types = {{QStringLiteral("pairs"), Bilingual},
                                           {QStringLiteral("gallery"), ImageGallery},
                                           {QStringLiteral("recipes"), RecipeBook}};
        const int id = types.contains(child) ? f.addDictionary(types[child], child, child) : -1;
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        if (id > 0) {
            frame->openDictionaryWindow(id);
        } else if (child == QLatin1String("sql") || child == QLatin1String("listing")) {
            QWidget* window = child == QLatin1String("sql") ? static_cast<QWidget*>(new Tfrm_SQL(*frame))
                                                            : static_cast<QWidget*>(new ListingChild);
            QMdiSubWindow* sub = frame->mdiArea()->addSubWindow(window);
            sub->show();
            frame->mdiArea()->setActiveSubWindow(sub);
        }
        f.messages.clear();
        StubDictionaryWindow::calls.clear();
        QAction* action = frame->action(command);
        QCOMPARE(action->isEnabled(), enabled);
        action->trigger(); // an action that is off does nothing when triggered
        QCOMPARE(f.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(StubDictionaryWindow::calls, call.isEmpty() ? QStringList() : QStringList{call});
        frame->close();
    }

    void sqlCommandOpensTheSqlWindowModally() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        QPointer<Tfrm_SQL> window;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            window = qobject_cast<Tfrm_SQL*>(QApplication::activeModalWidget());
            shown = window && window->isVisible();
            if (window) window->close();
        });
        frame->action(QStringLiteral("aSQL"))->trigger();
        // The call returns once the window has closed, and the window is gone by then.
        QVERIFY(shown);
        QVERIFY(window.isNull());
        frame->close();
    }

    void dataSheetSavesTheLayoutThenReloads() {
        MainFrameFixture f;
        const int id = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        frame->openDictionaryWindow(id);
        StubDictionaryWindow::calls.clear();
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            auto* w = qobject_cast<Tfrm_Tulajdonsag*>(QApplication::activeModalWidget());
            shown = w && !w->isNew();
            if (w) w->reject();
        });
        frame->action(QStringLiteral("aAdatlap"))->trigger();
        QVERIFY(shown);
        QCOMPARE(StubDictionaryWindow::calls, (QStringList{QStringLiteral("saveLayout"), QStringLiteral("reload")}));
        frame->close();
    }

    void closingAsksTheChildrenFirst() {
        MainFrameFixture f;
        const int a = f.addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"));
        const int b = f.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"));
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        frame->openDictionaryWindow(a);
        frame->openDictionaryWindow(b);
        static_cast<StubDictionaryWindow*>(frame->dictionaryWindows().at(1))->refuseClose = true;
        StubDictionaryWindow::calls.clear();
        QVERIFY(!frame->close());
        QCOMPARE(StubDictionaryWindow::calls, (QStringList{QStringLiteral("queryClose"), QStringLiteral("queryClose")}));
        QCOMPARE(f.ini().readInteger(QStringLiteral("Screen"), QStringLiteral("Width"), -1), -1);
        QVERIFY(frame->database().isConnected());

        static_cast<StubDictionaryWindow*>(frame->dictionaryWindows().at(1))->refuseClose = false;
        QVERIFY(frame->close());
        QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
        QVERIFY(!frame->database().isConnected());
        QCOMPARE(f.ini().readInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), -1), b);
    }

    void savingIntoAFolderThatIsGoneSaysSo() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        // The settings folder disappears under the running program: closing still ends it, and
        // the user learns that the settings were not kept.
        QVERIFY(QDir(f.folders.settingsFolder).removeRecursively());
        QVERIFY(frame->close());
        QVERIFY(!frame->database().isConnected());
        QCOMPARE(f.messages.messages().size(), 1);
        QVERIFY(f.messages.messages().first().text.startsWith(kSettingsNotSaved));
    }

    void helpAndMakerAddresses() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        for (const char* name : {"HelpSugo", "HelpHonlap", "HelpLevel", "HelpRaktar", "HelpFriscor"})
            frame->action(QString::fromLatin1(name))->trigger();
        const MakerAddresses maker = makerAddresses(QStringLiteral("http://127.0.0.1:1"));
        QCOMPARE(f.openedAddresses,
                 (QStringList{f.folders.programFolder + QStringLiteral("/Help/index.htm"), maker.homePage, maker.mail,
                              maker.programStore, f.folders.programFolder + QStringLiteral("/Friscor")}));
        QVERIFY(maker.mail.startsWith(QStringLiteral("mailto:")));
        // Without the seam a missing help file or program fails silently.
        frame->setAddressOpener({});
        frame->action(QStringLiteral("HelpSugo"))->trigger();
        frame->action(QStringLiteral("HelpFriscor"))->trigger();
        QVERIFY(f.messages.messages().isEmpty());
    }

    void bringToFrontRestoresAMinimisedWindow() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        showAndSettle(*frame);
        frame->showMinimized();
        QVERIFY(frame->isMinimized());
        frame->bringToFront();
        QVERIFY(!frame->isMinimized());
        QVERIFY(frame->isVisible());
        frame->close();
    }
};

QTEST_MAIN(MainFrameTest)
#include "test_gui_main.moc"
