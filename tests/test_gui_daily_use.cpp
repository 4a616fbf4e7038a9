// The program as a daily user drives it: the real frame with the real dictionary windows, keys
// sent to the control that has the focus, menu commands triggered from the menu, and the windows
// they open answered as they come up.
#include "common/store/query.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "dictionaries/pair_editor.h"
#include "dictionaries/pair_window.h"
#include "dictionaries/list_window.h"
#include "dictionaries/text_editor.h"
#include "exchange/list_import_window.h"
#include "exchange/pair_import_window.h"
#include "main/settings_window.h"
#include "main/dictionary_panel.h"
#include "main/about_window.h"
#include "main/support_window.h"
#include "main/catalogue_picker.h"
#include "main/properties_window.h"
#include "main/catalogue_grid_model.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"
#include "test_gui_main_fixture.h"
#include "widgets/editing_dialog.h"
#include "widgets/store_messages.h"
#include "widgets/translations.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

using namespace verbalo;
using test::MainFrameFixture;

namespace {

// The frame over a data folder with one bilingual dictionary "Angol" and one headword list
// "Lexikon", with the program's own window kinds.
struct Program {
    MainFrameFixture f;
    int angol = 0;
    int lexikon = 0;
    std::unique_ptr<Tfrm_Main> frame;

    Program() {
        registerDictionaryWindow(Bilingual, [](FrameServices& s, QWidget* p) { return new Tfrm_Szotar(s, p); });
        registerDictionaryWindow(HeadwordList, [](FrameServices& s, QWidget* p) { return new Tfrm_Szotar2(s, p); });
        angol = f.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"));
        lexikon = f.addDictionary(HeadwordList, QStringLiteral("Lexikon"), QStringLiteral("lexikon"));
        exec(QStringLiteral("INSERT INTO angol VALUES "
                            "('alma','apple'),('kert','garden'),('kutya','dog'),('London','London'),('zebra','zebra');"));
        exec(QStringLiteral("INSERT INTO lexikon VALUES ('alma','fruit'),('körte','pear');"));
        frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        if (!QTest::qWaitForWindowActive(frame.get())) qWarning("the window did not become active");
        QCoreApplication::processEvents();
    }
    ~Program() {
        if (frame) frame->close();
        for (int type : {int(Bilingual), int(HeadwordList)})
            registerDictionaryWindow(type, [](FrameServices& s, QWidget* p) { return new test::StubDictionaryWindow(s, p); });
    }

    void exec(const QString& sql) {
        store::Query q(f.db);
        q.setSql(sql);
        q.exec();
    }

    DictionaryWindow* open(int id) {
        frame->openDictionaryWindow(id);
        DictionaryWindow* w = frame->activeDictionaryWindow();
        QApplication::setActiveWindow(frame.get());
        QCoreApplication::processEvents();
        return w;
    }
};

// Triggers a command from its place in the frame's menu, as a click on the item does.
void clickMenuItem(Tfrm_Main& frame, const char* action) {
    const QString name = QString::fromLatin1(action);
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>())
        for (QAction* item : menu->actions())
            if (item->objectName() == name) {
                item->trigger();
                return;
            }
    QFAIL(qPrintable(QStringLiteral("no menu item %1").arg(name)));
}

// Runs `act` and returns the class of the modal window it opened ("" for none), which is
// then closed.
QString modalOpenedBy(const std::function<void()>& act) {
    QString opened;
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto* d = qobject_cast<QDialog*>(modal))
                d->done(QDialog::Rejected);
            else
                modal->close();
        }
    });
    timer->start();
    act();
    QCoreApplication::processEvents();
    if (opened.isEmpty()) {
        timer->stop();
        timer->deleteLater();
    }
    return opened;
}

void keyToFocus(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus, qPrintable(QStringLiteral("no focus for key %1; active %2")
                                   .arg(key)
                                   .arg(QApplication::activeWindow() ? QApplication::activeWindow()->objectName()
                                                                     : QStringLiteral("none"))));
    QTest::keyClick(focus, Qt::Key(key), modifiers);
}

} // namespace

class DailyUseTest : public QObject {
    Q_OBJECT

private slots:
    void menuCommandsOpenTheirWindows_data();
    void menuCommandsOpenTheirWindows();
    void ctrlIInTheSearchBoxOpensThePairImport();
    void windowKeysWinOverTheFocusedField_data();
    void windowKeysWinOverTheFocusedField();
    void sameLetterAgainSearchesAgain();
    void enterConfirmsThePairEditor();
    void enterPressesAFocusedButtonOfThePropertiesWindow();
    void propertiesWindowRefusesWidthsOutOfRange_data();
    void propertiesWindowRefusesWidthsOutOfRange();
    void propertiesWindowShowsTheTablesWidths();
    void tableNameButtonMakesNamesTheStoreTakes_data();
    void tableNameButtonMakesNamesTheStoreTakes();
    void createdDictionaryIsListedAtOnce();
    void staleLastDictionaryOpensNothingSilently();
    void enterOnTheSidePanelOpensTheDictionary();
    void storeMessagesAreHungarianAndNameWhatFailed();
    void smallThings();
    // Last: the translations stay installed for the rest of the process.
    void standardMenusAreHungarian();
};

void DailyUseTest::menuCommandsOpenTheirWindows_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("command");
    // a window class, "" for nothing, "off" for a disabled command, "message:" and the message
    // of a command the window refuses
    QTest::addColumn<QString>("opens");
    const struct {
        const char* kind;
        const char* command;
        const char* opens;
    } rows[] = {
        {"none", "FileSzotarNyilt", "verbalo::Tfrm_TorzsSzotar"},
        {"none", "aBeallit", "verbalo::Tfrm_Beallit"},
        {"none", "HelpAbout1", "verbalo::Tfrm_Nevjegy"},
        {"none", "aTamogat", "verbalo::Tfrm_Tamogat"},
        {"none", "aImport", "off"},
        {"none", "aExport", "off"},
        {"none", "aAdatlap", "off"},
        {"none", "FileNyomtat", "off"},
        {"none", "aSQL", "verbalo::Tfrm_SQL"},
        {"none", "aNyomSzotar3", "message:Ez a szótártípus nem nyomtatható ebben a formátumban."},
        {"bilingual", "aImport", "verbalo::Tfrm_SzotarBetolt"},
        {"bilingual", "aAdatlap", "verbalo::Tfrm_Tulajdonsag"},
        {"bilingual", "aExport", "verbalo::Tfrm_Hatarolt"},
        {"bilingual", "FileNyomtat", "verbalo::Tfrm_NyomValaszt"},
        {"bilingual", "aNyomSzotar2", "verbalo::printing::ReportPreviewWindow"},
        {"bilingual", "aNyomSzotar4", "verbalo::printing::ReportPreviewWindow"},
        {"bilingual", "FileSzotarNyilt", "verbalo::Tfrm_TorzsSzotar"},
        {"list", "aImport", "verbalo::Tfrm_ListaBetolt"},
        {"list", "aExport", "QFileDialog"},
        {"list", "aAdatlap", "verbalo::Tfrm_Tulajdonsag"},
        {"list", "FileNyomtat", "verbalo::Tfrm_NyomValaszt"},
        {"list", "aNyomSzotar3", "message:Ez a szótártípus nem nyomtatható ebben a formátumban."},
    };
    for (const auto& r : rows) QTest::addRow("%s %s", r.kind, r.command) << r.kind << r.command << r.opens;
}

void DailyUseTest::menuCommandsOpenTheirWindows() {
    QFETCH(QString, kind);
    QFETCH(QString, command);
    QFETCH(QString, opens);
    Program p;
    if (kind == QLatin1String("bilingual")) QVERIFY(p.open(p.angol));
    if (kind == QLatin1String("list")) QVERIFY(p.open(p.lexikon));
    QAction* action = p.frame->action(command);
    QVERIFY(action);
    if (opens.startsWith(QLatin1String("message:"))) {
        QVERIFY(action->isEnabled());
        QCOMPARE(modalOpenedBy([&] { clickMenuItem(*p.frame, command.toLatin1().constData()); }), QString());
        QCOMPARE(p.f.messages.texts(), QStringList{opens.mid(8)});
        return;
    }
    if (opens == QLatin1String("off")) {
        QVERIFY2(!action->isEnabled(), "a command with nothing to do must be off");
        QCOMPARE(modalOpenedBy([&] { clickMenuItem(*p.frame, command.toLatin1().constData()); }), QString());
    } else {
        QVERIFY(action->isEnabled());
        QCOMPARE(modalOpenedBy([&] { clickMenuItem(*p.frame, command.toLatin1().constData()); }), opens);
    }
    // Nothing refuses falsely ("nem nyomtatható" on a window that simply has no print yet).
    QVERIFY2(p.f.messages.texts().isEmpty(), qPrintable(p.f.messages.texts().join(QLatin1Char('|'))));
}

void DailyUseTest::ctrlIInTheSearchBoxOpensThePairImport() {
    Program p;
    auto* w = qobject_cast<Tfrm_Szotar*>(p.open(p.angol));
    QVERIFY(w);
    auto* search = test::child<QLineEdit>(w, "Edit1");
    search->setFocus();
    QCOMPARE(QApplication::focusWidget(), search);
    bool seen = false;
    test::whenModal<Tfrm_SzotarBetolt>([&](Tfrm_SzotarBetolt* import) {
        seen = true;
        // On the window's own table: a pair typed into its editor lands in "Angol".
        QFile file(p.f.folders.dataFolder + QStringLiteral("/uj.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("dinnye;melon\r\n");
        file.close();
        import->setFileName(file.fileName());
        import->loadNamedFile();
        import->runImport();
        import->done(QDialog::Accepted);
    });
    keyToFocus(Qt::Key_I, Qt::ControlModifier);
    QVERIFY(seen);
    QCOMPARE(p.f.messages.texts().value(0).section(QStringLiteral("\r\n"), 0, 0), QStringLiteral("Állomány betöltése kész."));
    QCOMPARE(w->table()->recordCount(), 6);
}

void DailyUseTest::windowKeysWinOverTheFocusedField_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected"); // a message, or the class of the window that opens
    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Del in the bilingual search box deletes the pair")
        << "bilingual" << 0 << "Edit1" << int(Qt::Key_Delete) << ctrl << "Valóban töröljem a sort?";
    QTest::newRow("Ctrl+Del in the list's search box deletes the entry")
        << "list" << 0 << "Edit1" << int(Qt::Key_Delete) << ctrl << "Valóban töröljem a sort?";
    QTest::newRow("Ctrl+E in the list's search box exports") << "list" << 0 << "Edit1" << int(Qt::Key_E) << ctrl << "QFileDialog";
    QTest::newRow("Ctrl+E in the bilingual search box exports")
        << "bilingual" << 0 << "Edit1" << int(Qt::Key_E) << ctrl << "verbalo::Tfrm_Hatarolt";
    QTest::newRow("Ctrl+S in the text editor saves it")
        << "bilingual" << 1 << "SynEdit1" << int(Qt::Key_S) << ctrl << "QFileDialog";
    QTest::newRow("Ctrl+I in the text editor imports")
        << "bilingual" << 1 << "SynEdit1" << int(Qt::Key_I) << ctrl << "verbalo::Tfrm_SzotarBetolt";
}

void DailyUseTest::windowKeysWinOverTheFocusedField() {
    QFETCH(QString, kind);
    QFETCH(int, tab);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    Program p;
    DictionaryWindow* w = p.open(kind == QLatin1String("list") ? p.lexikon : p.angol);
    QVERIFY(w);
    if (auto* pages = w->findChild<QTabWidget*>(QStringLiteral("PageControl1"))) pages->setCurrentIndex(tab);
    auto* target = w->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(target)) {
        box->setText(QStringLiteral("ku"));
        box->setCursorPosition(0);
    }
    const QString opened = modalOpenedBy([&] { keyToFocus(key, Qt::KeyboardModifiers(modifiers)); });
    if (expected.startsWith(QLatin1Char('Q')) || expected.startsWith(QLatin1String("verbalo::"))) {
        QCOMPARE(opened, expected);
    } else {
        QCOMPARE(p.f.messages.texts(), QStringList{expected});
    }
    // The field kept its text: the key was the window's, not the field's.
    if (auto* box = qobject_cast<QLineEdit*>(target)) QCOMPARE(box->text(), QStringLiteral("ku"));
}

void DailyUseTest::sameLetterAgainSearchesAgain() {
    Program p;
    auto* w = qobject_cast<Tfrm_Szotar*>(p.open(p.angol));
    QVERIFY(w);
    auto* grid = test::child<QTableView>(w, "DBGrid1");
    grid->setFocus();
    keyToFocus(Qt::Key_K);
    QCOMPARE(w->table()->text(QStringLiteral("nyelv1")), QStringLiteral("kert"));
    // A click on "London", then k again: back to "kert".
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(grid->model()->index(3, 0)).center());
    QCOMPARE(w->table()->text(QStringLiteral("nyelv1")), QStringLiteral("London"));
    QCOMPARE(QApplication::focusWidget(), grid);
    keyToFocus(Qt::Key_K);
    QCOMPARE(w->table()->text(QStringLiteral("nyelv1")), QStringLiteral("kert"));
}

void DailyUseTest::enterConfirmsThePairEditor() {
    Program p;
    auto* w = qobject_cast<Tfrm_Szotar*>(p.open(p.angol));
    QVERIFY(w);
    test::child<QTableView>(w, "DBGrid1")->setFocus();
    bool driven = false;
    test::whenModal<Tfrm_Szerkeszt>([&](Tfrm_Szerkeszt* editor) {
        driven = true;
        QApplication::setActiveWindow(editor);
        if (!QTest::qWaitForWindowActive(editor)) qWarning("the window did not become active");
        test::typeText(QApplication::focusWidget(), QStringLiteral("dió"));
        keyToFocus(Qt::Key_Return);
        test::typeText(QApplication::focusWidget(), QStringLiteral("walnut"));
        keyToFocus(Qt::Key_Return);
        // The focus is on OK, and it shows.
        auto* ok = test::child<QPushButton>(editor, "Button1");
        QCOMPARE(QApplication::focusWidget(), ok);
        QCOMPARE(ok->palette().color(QPalette::Button), kFocusColor);
        QVERIFY(editor->testAttribute(Qt::WA_KeyboardFocusChange));
        keyToFocus(Qt::Key_Return);
        QVERIFY(!editor->isVisible());
    });
    keyToFocus(Qt::Key_Insert);
    QVERIFY(driven);
    QCOMPARE(w->table()->recordCount(), 6);
    QCOMPARE(w->table()->text(QStringLiteral("nyelv2")), QStringLiteral("walnut"));

    // Ctrl+Enter from the first field accepts at once.
    QApplication::setActiveWindow(p.frame.get());
    test::child<QTableView>(w, "DBGrid1")->setFocus();
    driven = false;
    test::whenModal<Tfrm_Szerkeszt>([&](Tfrm_Szerkeszt* editor) {
        driven = true;
        QApplication::setActiveWindow(editor);
        if (!QTest::qWaitForWindowActive(editor)) qWarning("the window did not become active");
        test::typeText(QApplication::focusWidget(), QStringLiteral("eper"));
        keyToFocus(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(!editor->isVisible());
    });
    keyToFocus(Qt::Key_Insert);
    QVERIFY(driven);
    QCOMPARE(w->table()->recordCount(), 7);
}

void DailyUseTest::enterPressesAFocusedButtonOfThePropertiesWindow() {
    Program p;
    for (const char* button : {"Button2", "Button1"}) {
        bool driven = false;
        test::whenModal<Tfrm_Tulajdonsag>([&](Tfrm_Tulajdonsag* w) {
            driven = true;
            QApplication::setActiveWindow(w);
            if (!QTest::qWaitForWindowActive(w)) qWarning("the window did not become active");
            auto* b = test::child<QPushButton>(w, button);
            b->setFocus(Qt::TabFocusReason);
            QCOMPARE(b->palette().color(QPalette::Button), kFocusColor);
            keyToFocus(Qt::Key_Return);
            QVERIFY(!w->isVisible());
        });
        QVERIFY(p.open(p.angol));
        p.frame->action(QStringLiteral("aAdatlap"))->trigger();
        QVERIFY(driven);
    }
    QVERIFY(p.f.messages.texts().isEmpty());
}

void DailyUseTest::propertiesWindowRefusesWidthsOutOfRange_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("made");
    for (const char* refused : {"300", "4", "0", "-5", "256", "abc", ""})
        QTest::addRow("%s refused", refused) << refused << "50" << false;
    QTest::newRow("second box too") << "50"
                                    << "300" << false;
    QTest::newRow("5 and 255 taken") << "5"
                                     << "255" << true;
}

void DailyUseTest::propertiesWindowRefusesWidthsOutOfRange() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, made);
    test::TestFrame frame;
    const PickerContext ctx{frame.database(), frame.ini(), frame.folders(), 9, PickerMode::MainProgram, nullptr};
    Tfrm_Tulajdonsag w(ctx, -1);
    QVERIFY(w.load());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto typeInto = [&w](const char* name, const QString& text) {
        auto* box = test::child<QLineEdit>(&w, name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        test::typeText(box, text);
    };
    typeInto("DBEdit1", QStringLiteral("Próba"));
    typeInto("DBEdit5", QStringLiteral("proba"));
    typeInto("Edit1", first);
    typeInto("Edit2", second);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(frame.database().tableExists(QStringLiteral("proba")), made);
    if (made) {
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(frame.messages.texts().isEmpty());
        return;
    }
    QVERIFY(w.isVisible());
    QCOMPARE(frame.messages.texts().size(), 1);
    QVERIFY2(frame.messages.texts().first().contains(QStringLiteral("5 és 255 közötti egész szám")),
             qPrintable(frame.messages.texts().first()));
    QCOMPARE(frame.catalogueCells(1, QStringLiteral("count(*)")), QStringLiteral("0"));
}

void DailyUseTest::propertiesWindowShowsTheTablesWidths() {
    test::TestFrame frame;
    store::Query q(frame.database());
    q.setSql(createDictionaryTableLines(Bilingual, QStringLiteral("keskeny"), QStringLiteral("30"), QStringLiteral("120"))
                 .join(QLatin1Char('\n')));
    q.exec();
    q.setSql(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus) VALUES ('Keskeny', 'keskeny', 1);"));
    q.exec();
    const int list = frame.addDictionary(HeadwordList, QStringLiteral("Lista"), QStringLiteral("lista"));
    const PickerContext ctx{frame.database(), frame.ini(), frame.folders(), 9, PickerMode::MainProgram, nullptr};
    for (const auto& [id, widths] : {std::pair{1, QStringList{"30", "120"}}, std::pair{list, QStringList{"75", ""}}}) {
        Tfrm_Tulajdonsag w(ctx, id);
        QVERIFY(w.load());
        QCOMPARE((QStringList{test::child<QLineEdit>(&w, "Edit1")->text(), test::child<QLineEdit>(&w, "Edit2")->text()}), widths);
    }
}

void DailyUseTest::tableNameButtonMakesNamesTheStoreTakes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("table");
    QTest::newRow("blanks and accents") << "Német Őszi Szótár"
                                        << "nemet_oszi_szotar";
    QTest::newRow("hash and punctuation") << "#1 szótár: C++ & más"
                                          << "sz_1_szotar_c_mas";
    QTest::newRow("the catalogue's own") << "Szótárak"
                                         << "szotarak_2";
    QTest::newRow("an existing table") << "Angol"
                                       << "angol_2";
    QTest::newRow("nothing usable") << "—"
                                    << "szotar";
}

void DailyUseTest::tableNameButtonMakesNamesTheStoreTakes() {
    QFETCH(QString, name);
    QFETCH(QString, table);
    test::TestFrame frame;
    frame.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"));
    const PickerContext ctx{frame.database(), frame.ini(), frame.folders(), 9, PickerMode::MainProgram, nullptr};
    Tfrm_Tulajdonsag w(ctx, -1);
    QVERIFY(w.load());
    w.show();
    test::child<QLineEdit>(&w, "DBEdit1")->setText(name);
    QTest::mouseClick(test::child<QToolButton>(&w, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(test::child<QLineEdit>(&w, "DBEdit5")->text(), table);
    // The store takes it: the dictionary is made.
    test::child<QPushButton>(&w, "Button1")->click();
    QVERIFY2(frame.messages.texts().isEmpty(), qPrintable(frame.messages.texts().join(QLatin1Char('|'))));
    QVERIFY(frame.database().tableExists(table));
}

void DailyUseTest::createdDictionaryIsListedAtOnce() {
    Program p;
    p.frame->showDictionaryPanel();
    const int before = p.frame->dictionaryPanel()->list()->count();
    bool made = false;
    test::whenModal<Tfrm_TorzsSzotar>([&](Tfrm_TorzsSzotar* picker) {
        test::whenModal<Tfrm_Tulajdonsag>([&](Tfrm_Tulajdonsag* w) {
            test::child<QLineEdit>(w, "DBEdit1")->setText(QStringLiteral("Francia"));
            test::child<QLineEdit>(w, "DBEdit5")->setText(QStringLiteral("francia"));
            test::child<QPushButton>(w, "Button1")->click();
            made = true;
        });
        picker->findChild<QAction*>(QStringLiteral("aUj"))->trigger();
        // In the picker at once, as its current row.
        QCOMPARE(picker->model()->index(picker->table().recNo() - 1, 0).data().toString(), QStringLiteral("Francia"));
        picker->reject();
    });
    p.frame->action(QStringLiteral("FileSzotarNyilt"))->trigger();
    QVERIFY(made);
    // And in the side panel without a restart.
    QCOMPARE(p.frame->dictionaryPanel()->list()->count(), before + 1);
    QVERIFY(!p.frame->dictionaryPanel()->list()->findItems(QStringLiteral("Francia"), Qt::MatchExactly).isEmpty());
}

void DailyUseTest::staleLastDictionaryOpensNothingSilently() {
    MainFrameFixture f;
    f.ini().writeInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), 4711);
    {
        auto frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        QCoreApplication::processEvents();
        QVERIFY(frame->dictionaryWindows().isEmpty());
        QVERIFY2(f.messages.texts().isEmpty(), qPrintable(f.messages.texts().join(QLatin1Char('|'))));
        // OK on an empty picker opens nothing and says nothing.
        test::whenModal<Tfrm_TorzsSzotar>([](Tfrm_TorzsSzotar* picker) { picker->accept(); });
        frame->action(QStringLiteral("FileSzotarNyilt"))->trigger();
        QVERIFY(f.messages.texts().isEmpty());
        QVERIFY(frame->close());
    }
    // Cleared: the next start does not try again.
    QCOMPARE(f.ini().readInteger(QStringLiteral("Defaults"), QStringLiteral("LastDict"), 0), -1);
}

void DailyUseTest::enterOnTheSidePanelOpensTheDictionary() {
    Program p;
    p.frame->showDictionaryPanel();
    QListWidget* list = p.frame->dictionaryPanel()->list();
    const QList<QListWidgetItem*> items = list->findItems(QStringLiteral("Lexikon"), Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->setFocus();
    list->setCurrentItem(items.first());
    keyToFocus(Qt::Key_Return);
    QVERIFY(p.frame->activeDictionaryWindow());
    QCOMPARE(p.frame->activeDictionaryWindow()->dictionaryId(), p.lexikon);
}

void DailyUseTest::storeMessagesAreHungarianAndNameWhatFailed() {
    // A folder without a catalogue: which folder, and where another is chosen.
    {
        MainFrameFixture f;
        f.db.disconnect();
        QVERIFY(QFile::remove(f.folders.dataFolder + QStringLiteral("/szotarak.DB")));
        auto frame = f.makeFrame();
        QCOMPARE(f.messages.texts().size(), 1);
        const QString text = f.messages.texts().first();
        QVERIFY2(text.contains(QDir::toNativeSeparators(f.folders.dataFolder)) && text.contains(QStringLiteral("Beállítások")) &&
                     text.contains(QStringLiteral("szotarak.DB")) && !text.contains(QStringLiteral("no such table")),
                 qPrintable(text));
    }
    // A table file that is no database: the window says it is damaged and names it.
    {
        Program p;
        QFile file(p.f.folders.dataFolder + QStringLiteral("/angol.DB"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
        file.close();
        p.f.messages.clear();
        p.frame->openDictionaryWindow(p.angol);
        QCOMPARE(p.f.messages.texts().size(), 1);
        const QString text = p.f.messages.texts().first();
        // "sérült" once the store calls such a file damaged; until then the general words.
        QVERIFY2(text.startsWith(QStringLiteral("Hiba az adatbázis megnyitásakor:")) &&
                     text.contains(QStringLiteral("„angol” (angol.DB)")) &&
                     (text.contains(QStringLiteral("sérült")) || text.contains(QStringLiteral("Hiba a(z) „angol”"))),
                 qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" / "))));
    }
    // Each kind in the user's words, the store's own text after it.
    using Kind = store::StoreError::Kind;
    const std::pair<Kind, const char*> kinds[] = {{Kind::Busy, "foglalt"},
                                                  {Kind::Io, "megtelt a lemez"},
                                                  {Kind::Damaged, "sérült"},
                                                  {Kind::RowRefused, "nem fogadta el"},
                                                  {Kind::Other, "Hiba a(z)"}};
    for (const auto& [kind, words] : kinds) {
        const QString text =
            storeFailureText(store::StoreError(QStringLiteral("database is locked"), 0, kind), QStringLiteral("angol"));
        QVERIFY2(text.contains(QString::fromUtf8(words)) && text.contains(QStringLiteral("„angol”")) &&
                     text.endsWith(QStringLiteral("(database is locked)")),
                 qPrintable(text));
    }
}

void DailyUseTest::smallThings() {
    Program p;
    // The data sheet shows "Alt+Enter" and takes the keypad's Enter too.
    QAction* sheet = p.frame->action(QStringLiteral("aAdatlap"));
    QCOMPARE(sheet->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Alt+Enter"));
    QVERIFY(sheet->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_Return)));
    auto* w = qobject_cast<Tfrm_Szotar*>(p.open(p.angol));
    QVERIFY(w);
    auto* search = test::child<QLineEdit>(w, "Edit1");
    search->setFocus();
    QCOMPARE(modalOpenedBy([] { keyToFocus(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier); }),
             QStringLiteral("verbalo::Tfrm_Tulajdonsag"));

    // Ctrl+F selects the search box's text, also when the box has the focus already.
    QApplication::setActiveWindow(p.frame.get());
    search->setFocus();
    search->setText(QStringLiteral("kert"));
    search->setCursorPosition(2);
    keyToFocus(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(search->selectedText(), QStringLiteral("kert"));

    // The position panel holds a big dictionary's whole position.
    p.frame->showDictionaryStatus(QStringLiteral("Nagy"), QStringLiteral("1000000/807220"), QPixmap(), QStringLiteral("magyar"));
    auto* position = p.frame->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    QVERIFY(position->contentsRect().width() >= position->fontMetrics().horizontalAdvance(QStringLiteral("1000000/807220")));

    // At the frame's default size the bilingual toolbar's "Bezár" is a button, not hidden
    // behind the toolbar's extension arrow.
    p.frame->resize(770, 550);
    p.frame->mdiArea()->activeSubWindow()->showMaximized();
    QCoreApplication::processEvents();
    auto* bar = test::child<QToolBar>(w, "ToolBar1");
    QWidget* close = bar->widgetForAction(w->actions().aBezar);
    QVERIFY(close);
    QVERIFY(close->isVisible());
    QVERIFY(bar->rect().contains(close->geometry()));

    // The picker's language titles fit at its designed 600 pixels.
    PickerContext ctx = p.frame->pickerContext();
    Tfrm_TorzsSzotar picker(ctx);
    picker.openCatalogue(-1);
    picker.show();
    picker.resize(600, 420);
    QCoreApplication::processEvents();
    auto* grid = test::child<QTableView>(&picker, "DBGrid1");
    for (int c = 1; c <= 2; ++c)
        QVERIFY(grid->columnWidth(c) > grid->horizontalHeader()->fontMetrics().horizontalAdvance(
                                           picker.model()->headerData(c, Qt::Horizontal).toString()));
}

void DailyUseTest::standardMenusAreHungarian() {
    QVERIFY2(installHungarianTranslations(*QCoreApplication::instance()), "qtbase_hu.qm (qt6-translations-l10n) is missing");
    const auto captions = [](QMenu* menu) {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) texts << a->text().section(QLatin1Char('\t'), 0, 0);
        delete menu;
        return texts;
    };
    // A text field's menu in Qt's own words, the QScintilla editors' (the quick finder's editing
    // area, the import's editor) in the same words.
    QLineEdit field;
    const QStringList fieldMenu = captions(field.createStandardContextMenu());
    QVERIFY2(!fieldMenu.contains(QStringLiteral("&Undo")) && !fieldMenu.contains(QStringLiteral("Select All")),
             qPrintable(fieldMenu.join(QLatin1Char('|'))));
    QsciScintilla editor;
    editor.setText(QStringLiteral("szöveg"));
    editor.selectAll();
    const QStringList editorMenu = captions(editor.createStandardContextMenu());
    QCOMPARE(editorMenu.size(), 7);
    for (const char* english : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
        QVERIFY2(!editorMenu.contains(QLatin1String(english)), qPrintable(editorMenu.join(QLatin1Char('|'))));
    for (const QString& caption : editorMenu) QVERIFY2(fieldMenu.contains(caption), qPrintable(caption));
}

QTEST_MAIN(DailyUseTest)
#include "test_gui_daily_use.moc"
