// The quick finder's window, offscreen: start-up with its own keys, the commands of its
// toolbar, the lookup of the word at the caret, the clipboard watch, the occurrence search and
// closing.
#include "test_quick_fixture.h"

#include "common/messages.h"
#include "quickfinder/logic/clipboard_watch.h"
#include "quickfinder/logic/quick_finder_session.h"
#include "quickfinder/quick_editor.h"
#include "quickfinder/quick_finder_window.h"
#include "quickfinder/quick_result_pane.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <memory>
#include <optional>

using namespace verbalo;
using namespace verbalo::quickfinder;
using verbalo::test::ManualClock;
using verbalo::test::QuickDataFolder;
using verbalo::test::ScriptedClipboard;

namespace {

// Types text key by key; QTest::keyClicks takes ASCII only.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// A data folder with two bilingual dictionaries and a recipe book, the window's keys in its
// Verbalo9.ini, and the window over it with a hand-moved clock and a scripted clipboard.
struct Fixture {
    // The dictionaries get the ids 1 (Magyar-angol), 2 (Receptek) and 3 (Német-magyar).
    // Without lastDict, the settings file has no LastGyDict key, as on a first start.
    explicit Fixture(std::optional<int> lastDict = 1) : sink(&messages) {
        angol = data.addDictionary(1, QStringLiteral("Magyar-angol"), QStringLiteral("angol"), test::samplePairs());
        recipes = data.addDictionary(5, QStringLiteral("Receptek"), QStringLiteral("receptek"));
        nemet = data.addDictionary(1, QStringLiteral("Német-magyar"), QStringLiteral("nemet"),
                                   {QStringLiteral("Haus;ház"), QStringLiteral("Apfel;alma")}, QStringLiteral("német"),
                                   QStringLiteral("magyar"));
        IniFile ini(data.folders().configFile);
        if (lastDict) ini.writeInteger(QStringLiteral("Database"), QStringLiteral("LastGyDict"), *lastDict);
        ini.writeInteger(QStringLiteral("Screen"), QStringLiteral("GyLeft"), 200);
        ini.writeInteger(QStringLiteral("Screen"), QStringLiteral("GyTop"), 150);
    }

    Tfrm_Main& open(bool show = true, bool splash = false) {
        QuickFinderOptions options;
        options.clipboard = &clipboard;
        options.clock = &clock;
        options.showSplash = splash;
        window = std::make_unique<Tfrm_Main>(data.folders(), options);
        if (show) {
            window->show();
            if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the window was not exposed");
        }
        return *window;
    }

    template <typename T>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) { return find<QAction>(name); }
    QuickEditor* editor() { return find<QuickEditor>("SynEdit1"); }
    QuickResultPane* results() { return find<QuickResultPane>("RichEdit1"); }
    QuickResultPane* occurrences() { return find<QuickResultPane>("RichEdit2"); }
    QLineEdit* expression() { return find<QLineEdit>("Edit2"); }
    QTabWidget* tabs() { return find<QTabWidget>("PageControl1"); }

    // Editor state changes reach the window when the editor repaints.
    void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(10);
        }
    }

    QuickDataFolder data;
    RecordingMessageSink messages;
    ScopedMessageSink sink;
    ManualClock clock;
    ScriptedClipboard clipboard;
    std::unique_ptr<Tfrm_Main> window;
    int angol = 0, recipes = 0, nemet = 0;
};

} // namespace

class QuickFinderWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startOpensTheLastDictionary();
    void firstStartOpensTheCataloguesFirstRow_data();
    void firstStartOpensTheCataloguesFirstRow();
    void startRefuses_data();
    void startRefuses();
    void startWithoutCatalogue();
    void toolbarAndCommands();
    void typingLooksUpTheWordAtTheCaret();
    void caretMovesWithinAWordReadNothing();
    void rightClickMovesTheCaret();
    void snapsToTheScreenEdges();
    void columnSwitchKeepsTheShownTranslations();
    void clipboardTextIsBroughtIn();
    void clipboardCheckedWhenTheWindowIsActivated();
    void occurrenceSearch();
    void occurrenceSearchTooShort();
    void refusedDictionaryKeepsTheOpenOne();
    void pickerOpensTheChosenDictionary();
    void stayOnTopAndMinimise();
    void expressionBoxFollowsTheWindowWidth();
    void splashAtTheFirstShowingOnly();
    void aboutWindow();
    void closingWritesTheKeys();
};

void QuickFinderWindowTest::startOpensTheLastDictionary() {
    Fixture f;
    Tfrm_Main& w = f.open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Magyar-angol"));
    QCOMPARE(w.pos(), QPoint(200, 150));
    QCOMPARE(w.size(), QSize(431, 345));
    for (const char* name : {"aNyelv1", "aNyelv2"}) {
        QVERIFY(f.action(name)->isVisible());
        QVERIFY(f.action(name)->isEnabled());
        QVERIFY(!f.action(name)->icon().isNull());
    }
    QVERIFY(f.action("aNyelv1")->isChecked());
    QCOMPARE(f.action("aNyelv1")->text(), QStringLiteral("magyar szerint"));
    QCOMPARE(f.action("aNyelv2")->toolTip(), QStringLiteral("angol szerint"));
    QVERIFY(w.clipboardWatch().isRunning());
    QVERIFY(f.messages.texts().isEmpty());
}

void QuickFinderWindowTest::startRefuses_data() {
    QTest::addColumn<int>("lastDict");
    QTest::addColumn<QString>("message");
    QTest::newRow("no dictionary wanted (-1)") << -1 << QString();
    QTest::newRow("a recipe book") << 2 << kOnlyBilingualDictionaries;
}

void QuickFinderWindowTest::firstStartOpensTheCataloguesFirstRow_data() {
    QTest::addColumn<std::optional<int>>("lastDict");
    QTest::newRow("no LastGyDict key") << std::optional<int>();
    QTest::newRow("an id the catalogue lacks") << std::optional<int>(59);
}

void QuickFinderWindowTest::firstStartOpensTheCataloguesFirstRow() {
    QFETCH(std::optional<int>, lastDict);
    Fixture f(lastDict);
    Tfrm_Main& w = f.open();
    QVERIFY(f.messages.texts().isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Magyar-angol"));
    QVERIFY(f.action("aNyelv1")->isVisible());
    w.close();
    IniFile ini(f.data.folders().configFile);
    QCOMPARE(ini.readInteger(QStringLiteral("Database"), QStringLiteral("LastGyDict"), -2), 59);
}

void QuickFinderWindowTest::startRefuses() {
    QFETCH(int, lastDict);
    QFETCH(QString, message);
    Fixture f(lastDict);
    Tfrm_Main& w = f.open();
    QCOMPARE(f.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(w.windowTitle(), QStringLiteral("Quickor"));
    for (const char* name : {"aNyelv1", "aNyelv2"}) {
        QVERIFY(!f.action(name)->isVisible());
        QVERIFY(!f.action(name)->isEnabled());
    }
    QCOMPARE(f.action("aNyelv1")->text(), QStringLiteral("Keresés nyelv1 szerint"));
    QVERIFY(!w.clipboardWatch().isRunning());
    // Without a dictionary typing looks nothing up and shows no error.
    f.editor()->setFocus();
    QTest::keyClicks(f.editor(), QStringLiteral("alma"));
    f.settle();
    QCOMPARE(f.results()->lines(), QStringList());
    QCOMPARE(f.expression()->text(), QStringLiteral("alma"));
    QCOMPARE(f.messages.texts().size(), message.isEmpty() ? 0 : 1);
}

void QuickFinderWindowTest::startWithoutCatalogue() {
    Fixture f;
    f.data.exec(QStringLiteral("DROP TABLE szotarak;"));
    Tfrm_Main& w = f.open();
    QCOMPARE(f.messages.texts().size(), 1);
    QVERIFY2(f.messages.texts().first().contains(QStringLiteral("szotarak")), qPrintable(f.messages.texts().first()));
    QCOMPARE(f.messages.messages().first().caption, QStringLiteral("Hiba"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Quickor"));
    QVERIFY(!f.action("aNyelv1")->isVisible());
}

void QuickFinderWindowTest::toolbarAndCommands() {
    Fixture f;
    f.open();
    auto* toolBar = f.find<QToolBar>("ToolBar1");
    QVERIFY(toolBar);
    QStringList order;
    for (QAction* a : toolBar->actions()) order << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    QCOMPARE(order, (QStringList{"aMindigFelul", "|", "aSzotarNyit", "|", "aNyelv1", "aNyelv2", "|", "aNevjegy", "|", "aTalcara",
                                 "aBezar"}));
    struct Command {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    };
    const Command commands[] = {
        {"aMindigFelul", "Mindig felül", Qt::Key_F4}, {"aSzotarNyit", "Szótár megnyitása", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"aNyelv1", "magyar szerint", Qt::Key_F11},   {"aNyelv2", "angol szerint", Qt::Key_F12},
        {"aNevjegy", "Névjegy", Qt::Key_F1},          {"aTalcara", "Tálcára", Qt::Key_Escape},
        {"aBezar", "Bezár", QKeySequence()}};
    for (const Command& c : commands) {
        QAction* a = f.action(c.name);
        QVERIFY2(a, c.name);
        QCOMPARE(a->text(), QString::fromUtf8(c.caption));
        QCOMPARE(a->toolTip(), QString::fromUtf8(c.caption));
        QCOMPARE(a->shortcut(), c.shortcut);
        QVERIFY2(!a->icon().isNull(), c.name);
    }
    QCOMPARE(f.tabs()->tabText(0), QStringLiteral("Keresés"));
    QCOMPARE(f.tabs()->tabText(1), QStringLiteral("Előfordulás"));
}

void QuickFinderWindowTest::typingLooksUpTheWordAtTheCaret() {
    Fixture f;
    f.open();
    QuickEditor* editor = f.editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("ALMA"));
    f.settle();
    QCOMPARE(f.results()->lines(), (QStringList{"ALMA", "   apple", "   Alma (surname)"}));
    QCOMPARE(f.expression()->text(), QStringLiteral("ALMA"));
    // The headline is red and bold, the translations black and regular.
    const QTextBlock headline = f.results()->document()->firstBlock();
    const QTextCharFormat head = headline.begin().fragment().charFormat();
    QCOMPARE(head.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(head.fontWeight(), int(QFont::Bold));
    const QTextCharFormat line = headline.next().begin().fragment().charFormat();
    QCOMPARE(line.foreground().color(), QColor(0, 0, 0));
    QCOMPARE(line.fontWeight(), int(QFont::Normal));

    // A word without entry shows only its headline.
    QTest::keyClicks(editor, QStringLiteral(" almak"));
    f.settle();
    QCOMPARE(f.results()->lines(), QStringList{"almak"});
    // A caret between two blanks empties the expression box and keeps the pane.
    QTest::keyClicks(editor, QStringLiteral("  "));
    QTest::keyClick(editor, Qt::Key_Left);
    f.settle();
    QCOMPARE(f.expression()->text(), QString());
    QCOMPARE(f.results()->lines(), QStringList{"almak"});
    // A caret moved back into a word looks it up again; the pane starts at its top.
    QTest::keyClick(editor, Qt::Key_Home);
    f.settle();
    QCOMPARE(f.results()->lines().first(), QStringLiteral("ALMA"));
    QCOMPARE(f.results()->textCursor().position(), 1);
}

void QuickFinderWindowTest::caretMovesWithinAWordReadNothing() {
    Fixture f;
    Tfrm_Main& w = f.open();
    f.editor()->setFocus();
    QTest::keyClicks(f.editor(), QStringLiteral("kert kert"));
    f.settle();
    const quint64 opens = w.session().lookup().tableOpens();
    const quint64 reads = w.session().lookup().storeReads();
    QVERIFY(opens > 0);
    // Within the word, onto the other «kert» and back.
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Home, Qt::Key_Right, Qt::Key_End, Qt::Key_Left})
        QTest::keyClick(f.editor(), key);
    f.settle();
    QCOMPARE(w.session().lookup().tableOpens(), opens);
    QCOMPARE(w.session().lookup().storeReads(), reads);
    QCOMPARE(f.results()->lines(), (QStringList{"kert", "   garden", "   yard"}));
    // The caret may stand beyond the end of the line; the word before it still counts.
    QTest::keyClick(f.editor(), Qt::Key_End);
    QTest::keyClick(f.editor(), Qt::Key_Right);
    QTest::keyClick(f.editor(), Qt::Key_Right);
    f.settle();
    QCOMPARE(f.editor()->caretColumn(), 12);
    QCOMPARE(f.expression()->text(), QStringLiteral("kert"));
    QCOMPARE(w.session().lookup().tableOpens(), opens);
}

void QuickFinderWindowTest::rightClickMovesTheCaret() {
    Fixture f;
    f.open();
    QuickEditor* editor = f.editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("ablak kert"));
    f.settle();
    QCOMPARE(f.results()->lines().first(), QStringLiteral("kert"));
    // Where the first word is drawn: the caret goes there before the pop-up menu opens.
    const long position = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 0L);
    const int x = static_cast<int>(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, position + 2));
    const int y = static_cast<int>(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, position + 2));
    const QPoint at(x + 1, y + 3);
    QTimer::singleShot(50, this, [] {
        if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, editor->viewport()->mapToGlobal(at));
    QApplication::sendEvent(editor->viewport(), &event);
    f.settle();
    QCOMPARE(f.expression()->text(), QStringLiteral("ablak"));
    QCOMPARE(f.results()->lines(), (QStringList{"ablak", "   window"}));
}

void QuickFinderWindowTest::snapsToTheScreenEdges() {
    Fixture f;
    // The saved place near the corner is taken as it is; only the user's moves snap.
    IniFile(f.data.folders().configFile).writeInteger(QStringLiteral("Screen"), QStringLiteral("GyLeft"), 10);
    IniFile(f.data.folders().configFile).writeInteger(QStringLiteral("Screen"), QStringLiteral("GyTop"), 10);
    Tfrm_Main& w = f.open();
    const QRect area = w.screen()->availableGeometry();
    QVERIFY(w.placementSettling());
    QVERIFY(!w.snapPending());
    w.settlePlacementNow();
    QCOMPARE(w.pos(), QPoint(10, 10));
    // Within 25 pixels of an edge: onto the edge.
    w.move(area.left() + 20, area.top() + 100);
    QVERIFY(w.snapPending());
    w.snapNow();
    QCOMPARE(w.frameGeometry().topLeft(), QPoint(area.left(), area.top() + 100));
    // Farther away: left where the user put it.
    w.move(area.left() + 100, area.top() + 100);
    QVERIFY(w.snapPending());
    w.snapNow();
    QCOMPARE(w.frameGeometry().topLeft(), QPoint(area.left() + 100, area.top() + 100));
}

void QuickFinderWindowTest::columnSwitchKeepsTheShownTranslations() {
    Fixture f;
    Tfrm_Main& w = f.open();
    f.editor()->setFocus();
    typeText(f.editor(), QStringLiteral("ház"));
    f.settle();
    const QStringList shown = f.results()->lines();
    QCOMPARE(shown, (QStringList{"ház", "   house"}));
    f.action("aNyelv2")->trigger();
    QVERIFY(f.action("aNyelv2")->isChecked());
    QVERIFY(!f.action("aNyelv1")->isChecked());
    QCOMPARE(w.session().searchColumn(), QStringLiteral("nyelv2"));
    QTest::keyClick(f.editor(), Qt::Key_Left);
    f.settle();
    QCOMPARE(f.results()->lines(), shown);
    // The next word is looked up in the new column, which has no index in this dictionary.
    QTest::keyClick(f.editor(), Qt::Key_End);
    QTest::keyClicks(f.editor(), QStringLiteral(" house"));
    f.settle();
    QCOMPARE(f.results()->lines(), QStringList{"house"});
    QVERIFY(!f.messages.texts().isEmpty());
    for (const QString& text : f.messages.texts()) QVERIFY2(text.contains(QStringLiteral("nyelv2")), qPrintable(text));
}

void QuickFinderWindowTest::clipboardTextIsBroughtIn() {
    Fixture f;
    f.clipboard.setText(QStringLiteral(" körte és alma"));
    Tfrm_Main& w = f.open(false); // hidden: nothing repaints, the lookup still runs
    f.clock.fire();
    QCOMPARE(f.editor()->text(), QStringLiteral(" körte és alma"));
    // The caret went to offset 1 (looking up «körte»), then to the start (between nothing and
    // a blank: no word, the pane stays).
    QCOMPARE(f.results()->lines(), (QStringList{"körte", "   pear"}));
    QCOMPARE(f.expression()->text(), QString());
    int line = -1, index = -1;
    f.editor()->getCursorPosition(&line, &index);
    QCOMPARE(index, 0);

    // The same text again is not brought in: the editor keeps what the user typed since.
    f.editor()->setText(QStringLiteral("saját szöveg"));
    f.clock.fire();
    QCOMPARE(f.editor()->text(), QStringLiteral("saját szöveg"));
    // Text copied while "Előfordulás" is active comes in when "Keresés" is active again.
    f.tabs()->setCurrentIndex(1);
    f.clipboard.setText(QStringLiteral("kert"));
    f.clock.fire();
    QCOMPARE(f.editor()->text(), QStringLiteral("saját szöveg"));
    f.tabs()->setCurrentIndex(0);
    f.clock.fire();
    QCOMPARE(f.editor()->text(), QStringLiteral("kert"));
    QCOMPARE(f.results()->lines(), (QStringList{"kert", "   garden", "   yard"}));
    QVERIFY(w.clipboardWatch().isRunning());
}

void QuickFinderWindowTest::clipboardCheckedWhenTheWindowIsActivated() {
    Fixture f;
    QuickFinderOptions options;
    options.clipboard = &f.clipboard;
    options.clock = &f.clock;
    options.showSplash = false;
    options.checkClipboardOnActivation = true;
    Tfrm_Main w(f.data.folders(), options);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.clipboard.setText(QStringLiteral("ablak"));
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&w);
    QTRY_COMPARE(w.findChild<QuickEditor*>(QStringLiteral("SynEdit1"))->text(), QStringLiteral("ablak"));
    QCOMPARE(w.findChild<QuickResultPane*>(QStringLiteral("RichEdit1"))->lines(), (QStringList{"ablak", "   window"}));
}

void QuickFinderWindowTest::occurrenceSearch() {
    Fixture f;
    f.open();
    f.tabs()->setCurrentIndex(1);
    QLineEdit* box = f.expression();
    box->setFocus();
    typeText(box, QStringLiteral(" ház "));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->selectedText(), QStringLiteral(" ház "));
    QStringList lines = f.occurrences()->lines();
    QCOMPARE(lines, (QStringList{"ház", "   house", "házas", "   married", "zöld ház", "   greenhouse"}));
    // The found part is bold, the rest regular.
    QTextBlock third = f.occurrences()->document()->findBlockByNumber(4);
    QStringList boldParts;
    for (auto it = third.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().fontWeight() == QFont::Bold) boldParts << it.fragment().text();
    QCOMPARE(boldParts, QStringList{"ház"});

    // Found nowhere: the pane says so.
    box->setText(QStringLiteral("xyz"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.occurrences()->lines(), QStringList{QStringLiteral("Nincs találat: „xyz”")});
    QVERIFY(f.messages.texts().isEmpty());
}

void QuickFinderWindowTest::occurrenceSearchTooShort() {
    Fixture f;
    f.open();
    f.tabs()->setCurrentIndex(1);
    f.expression()->setText(QStringLiteral("kert"));
    QTest::keyClick(f.expression(), Qt::Key_Return);
    QCOMPARE(f.occurrences()->lines().size(), 4);
    f.expression()->setText(QStringLiteral("  ab  "));
    QTest::keyClick(f.expression(), Qt::Key_Return);
    QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Túl rövid kifejezés")});
    QCOMPARE(f.occurrences()->lines(), QStringList());
}

void QuickFinderWindowTest::refusedDictionaryKeepsTheOpenOne() {
    Fixture f;
    Tfrm_Main& w = f.open();
    QVERIFY(!w.openDictionary(f.recipes));
    QCOMPARE(f.messages.texts(), QStringList{kOnlyBilingualDictionaries});
    QCOMPARE(w.windowTitle(), QStringLiteral("Magyar-angol"));
    QVERIFY(f.action("aNyelv1")->isVisible());
    QVERIFY(w.clipboardWatch().isRunning());
    QCOMPARE(w.session().settings().lastDict, f.angol);
    // The occurrence search still runs on the dictionary kept.
    f.tabs()->setCurrentIndex(1);
    f.expression()->setText(QStringLiteral("körte"));
    QTest::keyClick(f.expression(), Qt::Key_Return);
    QCOMPARE(f.occurrences()->lines(), (QStringList{"körte", "   pear"}));
}

void QuickFinderWindowTest::pickerOpensTheChosenDictionary() {
    Fixture f;
    Tfrm_Main& w = f.open();
    // Esc in the picker changes nothing.
    QTimer::singleShot(0, this, [] {
        if (QWidget* picker = QApplication::activeModalWidget()) QTest::keyClick(picker, Qt::Key_Escape);
    });
    f.action("aSzotarNyit")->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Magyar-angol"));

    QString pickerName, searchCaption;
    QTimer::singleShot(0, this, [&] {
        QWidget* picker = QApplication::activeModalWidget();
        if (!picker) return;
        pickerName = picker->objectName();
        auto* search = picker->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        typeText(search, QStringLiteral("né"));
        picker->findChild<QAction*>(QStringLiteral("aElfogad"))->trigger();
    });
    f.action("aSzotarNyit")->trigger();
    QCOMPARE(pickerName, QStringLiteral("frm_TorzsSzotar"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Német-magyar"));
    QCOMPARE(w.session().settings().lastDict, f.nemet);
    QCOMPARE(f.action("aNyelv1")->text(), QStringLiteral("német szerint"));
    f.editor()->setFocus();
    QTest::keyClicks(f.editor(), QStringLiteral("haus"));
    f.settle();
    QCOMPARE(f.results()->lines(), (QStringList{"haus", "   ház"}));
}

void QuickFinderWindowTest::stayOnTopAndMinimise() {
    Fixture f;
    Tfrm_Main& w = f.open();
    const QPoint place = w.pos();
    f.editor()->setFocus();
    QTest::keyClick(f.editor(), Qt::Key_F4);
    QVERIFY(f.action("aMindigFelul")->isChecked());
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
    QCOMPARE(w.pos(), place);
    f.action("aMindigFelul")->trigger();
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Esc minimises, also with the focus in the editor; it does not close.
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.editor()->setFocus();
    QTest::keyClick(f.editor(), Qt::Key_Escape);
    QTRY_VERIFY(w.isMinimized());
    QVERIFY(w.isVisible());
}

void QuickFinderWindowTest::expressionBoxFollowsTheWindowWidth() {
    Fixture f;
    Tfrm_Main& w = f.open();
    QCOMPARE(f.expression()->width(), w.width() - 25);
    w.resize(600, 400);
    QTRY_COMPARE(f.expression()->width(), 600 - 25);
}

void QuickFinderWindowTest::splashAtTheFirstShowingOnly() {
    Fixture f;
    Tfrm_Main& w = f.open(true, true);
    auto splashes = [] {
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("frm_Logo") && top->isVisible()) ++n;
        return n;
    };
    QCOMPARE(splashes(), 1);
    w.hide();
    w.show();
    QCOMPARE(splashes(), 1);
    // It fades and frees itself.
    QTRY_COMPARE_WITH_TIMEOUT(splashes(), 0, 5000);
}

void QuickFinderWindowTest::aboutWindow() {
    Fixture f;
    f.open();
    QString title, name;
    QTimer::singleShot(0, this, [&] {
        if (auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = about->windowTitle();
            name = about->objectName();
            about->accept();
        }
    });
    QTest::keyClick(f.editor(), Qt::Key_F1);
    QCOMPARE(title, QStringLiteral("Névjegy"));
    QCOMPARE(name, QStringLiteral("frm_Nevjegy"));
}

void QuickFinderWindowTest::closingWritesTheKeys() {
    Fixture f;
    Tfrm_Main& w = f.open();
    f.action("aNyelv2")->trigger();
    w.move(321, 123);
    w.resize(500, 400);
    QVERIFY(w.openDictionary(f.nemet));
    f.action("aBezar")->trigger();
    QVERIFY(!w.isVisible());
    const IniFile ini(f.data.folders().configFile);
    QCOMPARE(ini.readInteger(QStringLiteral("Database"), QStringLiteral("LastGyDict"), 0), f.nemet);
    QCOMPARE(ini.readString(QStringLiteral("Database"), QStringLiteral("GyOrder"), QString()), QStringLiteral("nyelv2"));
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyLeft"), 0), w.x());
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyTop"), 0), w.y());
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyWidth"), 0), 500);
    QCOMPARE(ini.readInteger(QStringLiteral("Screen"), QStringLiteral("GyHeight"), 0), 400);
    QCOMPARE(ini.readString(QStringLiteral("Database"), QStringLiteral("Path"), QStringLiteral("(none)")),
             QStringLiteral("(none)"));
    QVERIFY(!w.clipboardWatch().isRunning());
}

QTEST_MAIN(QuickFinderWindowTest)
#include "test_gui_quick_finder.moc"
