// The bilingual dictionary window offscreen: opening, ordering, the word list, the entry editor,
// the dictionarizing tab and the search tab, closing.
#include "common/store/query.h"
#include "common/store/table.h"
#include "dictionaries/dictionarizing_tab.h"
#include "dictionaries/pair_editor.h"
#include "dictionaries/pair_window.h"
#include "dictionaries/pair_list_model.h"
#include "dictionaries/result_pane.h"
#include "dictionaries/search_tab.h"
#include "dictionaries/text_editor.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace verbalo;
using test::child;
using test::typeText;

namespace {

const QStringList kPairs = {"alma;apple", "alma;apple tree", "ablak;window",  "abroncs;hoop", "kert;garden",
                            "kutya;dog",  "ház;house",       "London;London", "o'clock;óra",  "zebra;zebra"};

// A frame with one bilingual dictionary "Angol" (magyar / angol) holding kPairs.
struct Fixture {
    test::TestFrame frame;
    int id = 0;

    explicit Fixture(bool secondIndex = true, const QString& order = QStringLiteral("nyelv1"), int tab = 0) {
        id = frame.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"));
        store::Query q(frame.database());
        if (secondIndex) {
            q.setSql(QStringLiteral("create index idx_nyelv2 on angol (nyelv2);"));
            q.exec();
        }
        QStringList values;
        for (const QString& p : kPairs)
            values << QStringLiteral("(%1, %2)")
                          .arg(store::quoteLiteral(p.section(';', 0, 0)), store::quoteLiteral(p.section(';', 1)));
        q.setSql(QStringLiteral("INSERT INTO angol VALUES ") + values.join(QLatin1Char(',')) + QLatin1Char(';'));
        q.exec();
        q.setSql(QStringLiteral("UPDATE szotarak SET sorrend=%1, ablak=%2 WHERE szotarak=%3;")
                     .arg(store::quoteLiteral(order))
                     .arg(tab)
                     .arg(id));
        q.exec();
    }

    std::unique_ptr<Tfrm_Szotar> open() {
        auto w = std::make_unique<Tfrm_Szotar>(frame);
        if (!w->openDictionary(id)) return nullptr;
        w->resize(764, 500);
        w->show();
        return w;
    }

    QString catalogue(const QString& columns) { return frame.catalogueCells(id, columns); }
};

QString currentFirst(Tfrm_Szotar* w) {
    return w->table()->text(w->orderColumn());
}

// Runs trigger with a modal dialog answered by drive; a dialog left open is closed afterwards.
void withEditor(const std::function<void()>& trigger, const std::function<void(Tfrm_Szerkeszt*)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Tfrm_Szerkeszt*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        driven = true;
        drive(dialog);
        if (dialog->isVisible()) QTimer::singleShot(0, dialog, &QDialog::reject);
    });
    trigger();
    QVERIFY(driven);
}

QStringList paneLines(ResultPane* pane) {
    return pane->lines().plainLines();
}

} // namespace

class BilingualWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithListStatusAndCaptions();
    void modelPassesTheTester();
    void endKeysInTheGridReachTheRowsNotShownYet();
    void typingSearchesTheNearestKey();
    void letterTypedInTheGridStartsASearch();
    void orderBySecondLanguageSwapsColumnsAndEditorFields();
    void windowCommandsComeBeforeTheFramesOnTheSameKeys();
    void missingSecondIndexFallsBackToTheFirstLanguage();
    void orderCommandWithoutIndexSaysIndexHiba();
    void columnWidthsFollowTheShares();
    void savingStoresTheNyelv1Share();
    void duplicatePairKeepsTheEditorOpen();
    void newAndEditedPairsArePosted();
    void deleteAsksFirst();
    void searchTabOpensFromTheCatalogue();
    void commandsActOnlyOnTheirTabs();
    void dictionarizingWritesTheWordList();
    void dictionarizingTakesASelectionOfTwoOrMore();
    void caretWordIsLookedUpIgnoringCase();
    void prefixListAndExpressionSearch();
    void closingWritesTheViewSettings();
    void dataSheetRoundTripReappliesTheOrder();
    void deletedTableDoesNotCrashTheWindow();
};

void BilingualWindowTest::opensWithListStatusAndCaptions() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Angol"));
    QCOMPARE(w->objectName(), QStringLiteral("frm_Szotar"));
    auto* pages = child<QTabWidget>(w.get(), "PageControl1");
    QCOMPARE(pages->tabText(0), QStringLiteral("Szavak listája"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Szótárazás"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Kereső"));
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QCOMPARE(grid->model()->rowCount(), kPairs.size());
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("magyar"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("angol"));
    QCOMPARE(w->actions().aNyelv1->text(), QStringLiteral("magyar szerint"));
    QCOMPARE(w->actions().aNyelv2->toolTip(), QStringLiteral("angol szerint"));
    QVERIFY(w->actions().aNyelv1->isChecked());
    QCOMPARE(w->actions().aSzotaraz->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(w->actions().aTorol->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));

    QVERIFY(!f.frame.statuses.isEmpty());
    const test::TestFrame::Status last = f.frame.statuses.last();
    QCOMPARE(last.name, QStringLiteral("Angol"));
    QCOMPARE(last.position, QStringLiteral("10/1"));
    QCOMPARE(last.orderLanguage, QStringLiteral("magyar"));

    f.frame.settings().lastDict = -1;
    f.frame.statuses.clear();
    w->reportActive();
    QCOMPARE(f.frame.settings().lastDict, f.id);
    QCOMPARE(f.frame.statuses.size(), 1);
    QCOMPARE(child<QLabel>(w.get(), "Panel5")->text(), QStringLiteral("Angol"));
    QVERIFY(f.frame.messages.messages().isEmpty());
}

void BilingualWindowTest::modelPassesTheTester() {
    Fixture f;
    auto w = f.open();
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QTest::keyClicks(child<QLineEdit>(w.get(), "Edit1"), QStringLiteral("k"));
    w->setOrder(QStringLiteral("nyelv2"));
    w->table()->insert();
    w->table()->setValue(QStringLiteral("nyelv1"), QStringLiteral("új"));
    w->table()->setValue(QStringLiteral("nyelv2"), QStringLiteral("new"));
    w->table()->post();
    QCOMPARE(grid->model()->rowCount(), kPairs.size() + 1);
}

// A long list reaches the grid in steps; Ctrl+End, and Down or Page Down at the last row shown,
// go on to the table's own rows meanwhile.
void BilingualWindowTest::endKeysInTheGridReachTheRowsNotShownYet() {
    Fixture f;
    auto w = f.open();
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    auto* model = qobject_cast<TableRowsModel*>(grid->model());
    QVERIFY(model);
    const struct {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to;
    } cases[] = {
        {0, Qt::Key_End, Qt::ControlModifier, kPairs.size() - 1},
        {2, Qt::Key_Down, Qt::NoModifier, 3},
        // The grid has room for more than the ten rows.
        {1, Qt::Key_PageDown, Qt::NoModifier, kPairs.size() - 1},
    };
    for (const auto& c : cases) {
        model->setGrowthStep(3);
        model->reload();
        QCOMPARE(model->rowCount(), 3);
        grid->setFocus();
        grid->setCurrentIndex(model->index(c.from, 0));
        QTest::keyClick(grid, c.key, c.modifiers);
        QCOMPARE(grid->currentIndex().row(), c.to);
        QCOMPARE(w->table()->recNo(), c.to + 1);
    }
    model->setGrowthStep(TableRowsModel::kGrowthStep);
}

void BilingualWindowTest::typingSearchesTheNearestKey() {
    Fixture f;
    auto w = f.open();
    auto* edit = child<QLineEdit>(w.get(), "Edit1");
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QCOMPARE(currentFirst(w.get()), QStringLiteral("ablak"));
    QCOMPARE(grid->currentIndex().row(), w->table()->recNo() - 1);
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("10/1"));
    QTest::keyClicks(edit, QStringLiteral("r"));
    QCOMPARE(currentFirst(w.get()), QStringLiteral("abroncs"));
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("10/2"));
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("KU"));
    QCOMPARE(currentFirst(w.get()), QStringLiteral("kutya"));
    const QString position = f.frame.statuses.last().position;
    QCOMPARE(grid->model()->data(grid->currentIndex().siblingAtColumn(0)).toString(), QStringLiteral("kutya"));
    // Clearing the box leaves the current record where it is.
    edit->clear();
    QCOMPARE(currentFirst(w.get()), QStringLiteral("kutya"));
    QCOMPARE(f.frame.statuses.last().position, position);
    // Past the last key: the last record.
    QTest::keyClicks(edit, QStringLiteral("zz"));
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("10/10"));
    // Moving in the grid moves the cursor too.
    grid->setCurrentIndex(grid->model()->index(3, 1));
    QCOMPARE(w->table()->recNo(), 4);
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("10/4"));
}

void BilingualWindowTest::letterTypedInTheGridStartsASearch() {
    Fixture f;
    auto w = f.open();
    auto* edit = child<QLineEdit>(w.get(), "Edit1");
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    grid->setFocus();
    QTest::keyClick(grid, 'K');
    QCOMPARE(edit->text(), QStringLiteral("k"));
    QCOMPARE(edit->cursorPosition(), 1);
    QCOMPARE(currentFirst(w.get()), QStringLiteral("kert"));
    QTest::keyClicks(edit, QStringLiteral("u"));
    QCOMPARE(edit->text(), QStringLiteral("ku"));
    QCOMPARE(currentFirst(w.get()), QStringLiteral("kutya"));
    // Down goes back to the grid; a character that is no letter is left to the grid.
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClicks(grid, QStringLiteral("-"));
    QCOMPARE(edit->text(), QStringLiteral("ku"));
    typeText(grid, QStringLiteral("Ő"));
    QCOMPARE(edit->text(), QStringLiteral("ő"));
}

void BilingualWindowTest::orderBySecondLanguageSwapsColumnsAndEditorFields() {
    Fixture f;
    auto w = f.open();
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QTest::keyClick(child<QLineEdit>(w.get(), "Edit1"), Qt::Key_F12);
    QCOMPARE(w->order(), QStringLiteral("nyelv2"));
    QVERIFY(w->actions().aNyelv2->isChecked());
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("angol"));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("apple"));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("alma"));
    auto* grid2 = child<QTableView>(w.get(), "DBGrid2");
    QCOMPARE(grid2->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("angol"));
    QCOMPARE(f.frame.statuses.last().orderLanguage, QStringLiteral("angol"));
    QTest::keyClicks(child<QLineEdit>(w.get(), "Edit1"), QStringLiteral("ho"));
    QCOMPARE(currentFirst(w.get()), QStringLiteral("hoop"));

    withEditor([&] { w->actions().aSzerkeszt->trigger(); },
               [](Tfrm_Szerkeszt* d) {
                   QCOMPARE(d->windowTitle(), QStringLiteral("Szavak szerkesztése"));
                   QCOMPARE(child<QLabel>(d, "Label1")->text(), QStringLiteral("angol"));
                   QCOMPARE(child<QLabel>(d, "Label2")->text(), QStringLiteral("magyar"));
                   QCOMPARE(child<QLineEdit>(d, "DBEdit1")->text(), QStringLiteral("hoop"));
                   QCOMPARE(child<QLineEdit>(d, "DBEdit2")->text(), QStringLiteral("abroncs"));
                   child<QPushButton>(d, "Button2")->click();
               });
    QCOMPARE(w->table()->state(), store::Table::State::Browse);

    // A click on a column title orders by that column and goes back to the search box.
    grid->horizontalHeader()->sectionClicked(1);
    QCOMPARE(w->order(), QStringLiteral("nyelv1"));
    QVERIFY(w->actions().aNyelv1->isChecked());
}

void BilingualWindowTest::windowCommandsComeBeforeTheFramesOnTheSameKeys() {
    Fixture f;
    // A frame whose own commands use F11 and F12 (zoom), as the main window's do.
    QMainWindow frame;
    auto* mdi = new QMdiArea(&frame);
    frame.setCentralWidget(mdi);
    int zooms = 0;
    auto* zoom = frame.addAction(QStringLiteral("Nagyít"));
    zoom->setShortcut(Qt::Key_F11);
    connect(zoom, &QAction::triggered, [&] { ++zooms; });
    auto* shrink = frame.addAction(QStringLiteral("Kicsinyít"));
    shrink->setShortcut(Qt::Key_F12);
    connect(shrink, &QAction::triggered, [&] { ++zooms; });
    auto* w = new Tfrm_Szotar(f.frame);
    QVERIFY(w->openDictionary(f.id));
    QMdiSubWindow* sub = mdi->addSubWindow(w);
    frame.resize(900, 600);
    frame.show();
    sub->showMaximized();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto* edit = child<QLineEdit>(w, "Edit1");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F12);
    QCOMPARE(w->order(), QStringLiteral("nyelv2"));
    QTest::keyClick(edit, Qt::Key_F11);
    QCOMPARE(w->order(), QStringLiteral("nyelv1"));
    QCOMPARE(zooms, 0);
    // Outside the window the frame's commands still work.
    frame.setFocus();
    mdi->setFocus();
    QTest::keyClick(mdi, Qt::Key_F11);
    QCOMPARE(zooms, 1);
    // Ctrl+F4 closes the window's own subwindow, writing its settings.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(mdi->subWindowList().isEmpty() || !sub->isVisible());
    QCOMPARE(f.catalogue(QStringLiteral("sorrend")), QStringLiteral("nyelv1"));
}

void BilingualWindowTest::missingSecondIndexFallsBackToTheFirstLanguage() {
    Fixture f(false, QStringLiteral("nyelv2"));
    auto w = f.open();
    QVERIFY(w);
    QCOMPARE(f.frame.messages.texts(), QStringList{QStringLiteral("Index hiba")});
    QCOMPARE(w->order(), QStringLiteral("nyelv1"));
    QVERIFY(w->actions().aNyelv1->isChecked());
    QCOMPARE(child<QTableView>(w.get(), "DBGrid1")->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("magyar"));
    typeText(child<QLineEdit>(w.get(), "Edit1"), QStringLiteral("ká"));
    QCOMPARE(currentFirst(w.get()), QStringLiteral("kert"));
}

void BilingualWindowTest::orderCommandWithoutIndexSaysIndexHiba() {
    Fixture f(false);
    auto w = f.open();
    f.frame.messages.clear();
    w->actions().aNyelv2->trigger();
    QCOMPARE(f.frame.messages.texts(), QStringList{QStringLiteral("Index hiba")});
    QCOMPARE(w->order(), QStringLiteral("nyelv1"));
    QVERIFY(w->actions().aNyelv1->isChecked());
    QVERIFY(!w->actions().aNyelv2->isChecked());
    QCOMPARE(child<QTableView>(w.get(), "DBGrid1")->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("magyar"));
}

void BilingualWindowTest::columnWidthsFollowTheShares() {
    Fixture f;
    auto w = f.open();
    w->resize(764, 500);
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QCOMPARE(grid->columnWidth(0), 350);
    QCOMPARE(grid->columnWidth(1), 350);
    store::Query q(f.frame.database());
    q.setSql(QStringLiteral("UPDATE szotarak SET nyelv1szeles=0.25, nyelv2szeles=0.75 WHERE szotarak=%1;").arg(f.id));
    q.exec();
    w->reloadDictionaryInfo();
    QCOMPARE(grid->columnWidth(0), 175);
    QCOMPARE(grid->columnWidth(1), 525);
    w->setOrder(QStringLiteral("nyelv2"));
    QCOMPARE(grid->columnWidth(0), 525); // the column showing nyelv2 keeps its share
    QCOMPARE(grid->columnWidth(1), 175);
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(2);
    auto* grid2 = child<QTableView>(w.get(), "DBGrid2");
    QVERIFY(grid2->width() > 100);
    QCOMPARE(grid2->columnWidth(1), qRound((grid2->width() - 48) * 0.25));
    QCOMPARE(grid2->columnWidth(0), qRound((grid2->width() - 48) * 0.75));
}

void BilingualWindowTest::savingStoresTheNyelv1Share() {
    Fixture f;
    auto w = f.open();
    w->setOrder(QStringLiteral("nyelv2"));
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    grid->setColumnWidth(0, 200);
    grid->setColumnWidth(1, 100);
    w->saveLayoutForDataSheet();
    const QStringList row = f.catalogue(QStringLiteral("nyelv1szeles, nyelv2szeles, sorrend")).split(QLatin1Char('|'));
    QVERIFY(qFuzzyCompare(row.at(0).toDouble(), 1.0 / 3.0));
    QVERIFY(qFuzzyCompare(row.at(1).toDouble(), 2.0 / 3.0));
    QCOMPARE(row.at(2), QStringLiteral("nyelv2"));
    QVERIFY(qFuzzyCompare(w->info().nyelv1szeles, 1.0 / 3.0));
}

void BilingualWindowTest::duplicatePairKeepsTheEditorOpen() {
    Fixture f;
    auto w = f.open();
    withEditor([&] { w->actions().aUj->trigger(); },
               [&](Tfrm_Szerkeszt* d) {
                   QCOMPARE(child<QLabel>(d, "Label1")->text(), QStringLiteral("magyar"));
                   QTest::keyClicks(child<QLineEdit>(d, "DBEdit1"), QStringLiteral("kutya"));
                   QTest::keyClicks(child<QLineEdit>(d, "DBEdit2"), QStringLiteral("dog"));
                   child<QPushButton>(d, "Button1")->click();
                   QCOMPARE(f.frame.messages.texts(), QStringList{QStringLiteral("Hibás adatmegadás, vagy már létező szópáros")});
                   QVERIFY(d->isVisible());
                   QCOMPARE(w->table()->state(), store::Table::State::Insert);
                   // An empty key is refused the same way.
                   child<QLineEdit>(d, "DBEdit1")->clear();
                   child<QPushButton>(d, "Button1")->click();
                   QCOMPARE(f.frame.messages.texts().size(), 2);
                   child<QPushButton>(d, "Button2")->click();
               });
    QCOMPARE(w->table()->state(), store::Table::State::Browse);
    QCOMPARE(w->table()->recordCount(), kPairs.size());
}

void BilingualWindowTest::newAndEditedPairsArePosted() {
    Fixture f;
    auto w = f.open();
    withEditor([&] { QTest::keyClick(child<QTableView>(w.get(), "DBGrid1"), Qt::Key_Insert); },
               [&](Tfrm_Szerkeszt* d) {
                   auto* first = child<QLineEdit>(d, "DBEdit1");
                   first->setFocus();
                   QTest::keyClicks(first, QStringLiteral("macska"));
                   // Enter passes the focus on instead of pressing OK.
                   QTest::keyClick(first, Qt::Key_Return);
                   QTest::keyClicks(child<QLineEdit>(d, "DBEdit2"), QStringLiteral("cat"));
                   child<QPushButton>(d, "Button1")->click();
                   QVERIFY(!d->isVisible());
               });
    QCOMPARE(w->table()->recordCount(), kPairs.size() + 1);
    QCOMPARE(currentFirst(w.get()), QStringLiteral("macska"));
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("11/9"));

    withEditor([&] { w->actions().aSzerkeszt->trigger(); },
               [&](Tfrm_Szerkeszt* d) {
                   auto* second = child<QLineEdit>(d, "DBEdit2");
                   second->clear();
                   QTest::keyClicks(second, QStringLiteral("cat, pussy"));
                   child<QPushButton>(d, "Button1")->click();
               });
    QCOMPARE(w->table()->text(QStringLiteral("nyelv2")), QStringLiteral("cat, pussy"));
    QVERIFY(f.frame.messages.messages().isEmpty());
}

void BilingualWindowTest::deleteAsksFirst() {
    Fixture f;
    auto w = f.open();
    typeText(child<QLineEdit>(w.get(), "Edit1"), QStringLiteral("ház"));
    f.frame.messages.queueAnswer(Answer::No);
    w->actions().aTorol->trigger();
    QCOMPARE(w->table()->recordCount(), kPairs.size());
    QCOMPARE(f.frame.messages.messages().last().text, QStringLiteral("Valóban töröljem a sort?"));
    QCOMPARE(f.frame.messages.messages().last().caption, QStringLiteral("Megerősítés"));
    f.frame.messages.queueAnswer(Answer::Yes);
    w->actions().aTorol->trigger();
    QCOMPARE(w->table()->recordCount(), kPairs.size() - 1);
    QCOMPARE(f.frame.statuses.last().position.section('/', 0, 0), QStringLiteral("9"));
}

void BilingualWindowTest::searchTabOpensFromTheCatalogue() {
    Fixture f(true, QStringLiteral("nyelv1"), 2);
    auto w = f.open();
    QCOMPARE(child<QTabWidget>(w.get(), "PageControl1")->currentIndex(), 2);
    QCOMPARE(child<QTableView>(w.get(), "DBGrid2")->model()->rowCount(), kPairs.size());
    // Leaving the tab closes the list; coming back with less than two characters leaves it closed.
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(0);
    QCOMPARE(child<QTableView>(w.get(), "DBGrid2")->model()->rowCount(), 0);
}

void BilingualWindowTest::commandsActOnlyOnTheirTabs() {
    Fixture f;
    auto w = f.open();
    auto* pages = child<QTabWidget>(w.get(), "PageControl1");
    auto* richEdit1 = child<ResultPane>(w.get(), "RichEdit1");
    w->dictionarizingTab()->editor()->setText(QStringLiteral("kutya kert"));

    // F5 on the word list does nothing.
    QTest::keyClick(child<QLineEdit>(w.get(), "Edit1"), Qt::Key_F5);
    QVERIFY(richEdit1->lines().isEmpty());

    // New, edit and delete do nothing away from the word list (no editor, no question).
    pages->setCurrentIndex(1);
    QTimer guard;
    guard.setInterval(0);
    int dialogs = 0;
    connect(&guard, &QTimer::timeout, [&] {
        if (auto* d = QApplication::activeModalWidget()) {
            ++dialogs;
            d->close();
        }
    });
    guard.start();
    w->actions().aUj->trigger();
    w->actions().aSzerkeszt->trigger();
    w->actions().aTorol->trigger();
    guard.stop();
    QCOMPARE(dialogs, 0);
    QVERIFY(f.frame.messages.messages().isEmpty());
    QCOMPARE(w->table()->state(), store::Table::State::Browse);

    // Üres lap empties the editor only on its own tab.
    pages->setCurrentIndex(2);
    w->actions().aUreslap->trigger();
    QCOMPARE(w->dictionarizingTab()->editor()->text(), QStringLiteral("kutya kert"));

    // F5 on the search tab fills the dictionarizing tab's pane.
    QTest::keyClick(child<QLineEdit>(w.get(), "Edit2"), Qt::Key_F5);
    QCOMPARE(paneLines(richEdit1), (QStringList{"kutya", "   dog", "kert", "   garden"}));

    // Keres focuses the box of its tab.
    pages->setCurrentIndex(1);
    w->actions().aUreslap->trigger();
    QCOMPARE(w->dictionarizingTab()->editor()->text(), QString());
}

void BilingualWindowTest::dictionarizingWritesTheWordList() {
    Fixture f;
    auto w = f.open();
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(1);
    TextEditor* editor = w->dictionarizingTab()->editor();
    editor->setText(QStringLiteral("Alma, ALMA és kutya!\r\nLondon 42 kert alma"));
    w->table()->setRecNo(5);
    const int statusCalls = f.frame.statuses.size();
    QTest::keyClick(editor, Qt::Key_F5);
    // The word list stays where it was.
    QCOMPARE(w->table()->recNo(), 5);
    QCOMPARE(f.frame.statuses.size(), statusCalls);
    auto* pane = child<ResultPane>(w.get(), "RichEdit1");
    QCOMPARE(paneLines(pane), (QStringList{"alma", "   apple", "   apple tree", "alma", "   apple", "   apple tree", "és",
                                           "kutya", "   dog", "london", "kert", "   garden"}));
    // Found words red, missing ones blue, translations black; words bold.
    QCOMPARE(pane->lines().line(0).colour, LineColour::Red);
    QCOMPARE(pane->lines().line(6).colour, LineColour::Blue);
    QCOMPARE(pane->lines().line(9).colour, LineColour::Blue); // London is stored capitalised
    QCOMPARE(pane->lines().line(1).colour, LineColour::Black);
    QCOMPARE(pane->lines().line(0).boldLength, 4u);
    QCOMPARE(pane->lines().line(1).boldLength, 0u);
    // The pane's text can be selected and copied as plain lines.
    pane->selectAll();
    QCOMPARE(pane->selectedText(), paneLines(pane).join(QLatin1Char('\n')));
    auto* progress = child<QProgressBar>(w.get(), "ProgressBar1");
    QVERIFY(progress->isVisible());
    QCOMPARE(progress->orientation(), Qt::Vertical);

    // Ordered by the second language the other column is searched.
    w->setOrder(QStringLiteral("nyelv2"));
    editor->setText(QStringLiteral("garden tree"));
    w->actions().aSzotaraz->trigger();
    QCOMPARE(paneLines(pane), (QStringList{"garden", "   kert", "tree"}));

    // A text without letters writes nothing.
    editor->setText(QStringLiteral("12 + 30 = 42"));
    w->actions().aSzotaraz->trigger();
    QVERIFY(pane->lines().isEmpty());
}

void BilingualWindowTest::dictionarizingTakesASelectionOfTwoOrMore() {
    Fixture f;
    auto w = f.open();
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(1);
    TextEditor* editor = w->dictionarizingTab()->editor();
    auto* pane = child<ResultPane>(w.get(), "RichEdit1");
    editor->setText(QStringLiteral("kert kutya"));
    editor->setSelection(0, 5, 0, 6); // one character: the whole text
    w->actions().aSzotaraz->trigger();
    QCOMPARE(paneLines(pane), (QStringList{"kert", "   garden", "kutya", "   dog"}));
    editor->setSelection(0, 5, 0, 7); // "ku"
    w->actions().aSzotaraz->trigger();
    QCOMPARE(paneLines(pane), (QStringList{"ku"}));
    QCOMPARE(pane->lines().line(0).colour, LineColour::Blue);
}

void BilingualWindowTest::caretWordIsLookedUpIgnoringCase() {
    Fixture f;
    auto w = f.open();
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(1);
    TextEditor* editor = w->dictionarizingTab()->editor();
    auto* pane = child<ResultPane>(w.get(), "RichEdit2");
    editor->setText(QStringLiteral("I saw london and KUTYA"));
    editor->setCursorPosition(0, 8);
    QCOMPARE(paneLines(pane), (QStringList{"london", "   London"}));
    QCOMPARE(pane->lines().line(0).colour, LineColour::Red);
    QCOMPARE(currentFirst(w.get()), QStringLiteral("London")); // the word list follows the caret
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("10/8"));

    // Moving inside the same word does not look it up again.
    pane->clear();
    editor->setCursorPosition(0, 10);
    QVERIFY(pane->lines().isEmpty());
    editor->setCursorPosition(0, 20);
    QCOMPARE(paneLines(pane), (QStringList{"KUTYA", "   dog"}));
    // A word not in the dictionary shows alone.
    editor->setCursorPosition(0, 3);
    QCOMPARE(paneLines(pane), (QStringList{"saw"}));
    QCOMPARE(w->dictionarizingTab()->lastCaretWord(), QStringLiteral("saw"));

    // Előfordulás: the expression search for the caret's word into the same pane.
    editor->setCursorPosition(0, 20);
    w->actions().aElofordulas->trigger();
    QCOMPARE(paneLines(pane), (QStringList{"kutya", "   dog"}));
    QCOMPARE(pane->lines().line(0).boldLength, 5u);
    editor->setText(QStringLiteral("ok"));
    editor->setCursorPosition(0, 1);
    w->actions().aElofordulas->trigger();
    QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Túl rövid kifejezés"));
}

void BilingualWindowTest::prefixListAndExpressionSearch() {
    Fixture f;
    auto w = f.open();
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(2);
    auto* edit2 = child<QLineEdit>(w.get(), "Edit2");
    auto* grid2 = child<QTableView>(w.get(), "DBGrid2");
    auto* pane = child<ResultPane>(w.get(), "RichEdit3");
    QCOMPARE(child<QLabel>(w.get()->searchTab(), "Label1")->text(), QStringLiteral("Keresendő kifejezés (Enter, ha kész)"));
    QAbstractItemModelTester tester(grid2->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);

    QTest::keyClicks(edit2, QStringLiteral("a"));
    QCOMPARE(grid2->model()->rowCount(), 0);
    QTest::keyClicks(edit2, QStringLiteral("b"));
    QCOMPARE(grid2->model()->rowCount(), 2);
    QCOMPARE(grid2->model()->index(0, 0).data().toString(), QStringLiteral("ablak"));
    // One character less keeps the list.
    QTest::keyClick(edit2, Qt::Key_Backspace);
    QCOMPARE(grid2->model()->rowCount(), 2);

    // Enter with two characters is too short; with three it lists every entry containing them.
    edit2->setText(QStringLiteral("ab"));
    QTest::keyClick(edit2, Qt::Key_Return);
    QCOMPARE(f.frame.messages.texts(), QStringList{QStringLiteral("Túl rövid kifejezés")});
    QVERIFY(pane->lines().isEmpty());
    edit2->setText(QStringLiteral("LMA"));
    QTest::keyClick(edit2, Qt::Key_Return);
    QCOMPARE(edit2->selectedText(), QStringLiteral("LMA"));
    QCOMPARE(paneLines(pane), (QStringList{"alma", "   apple", "alma", "   apple tree"}));
    QCOMPARE(pane->lines().line(0).boldStart, 1u);
    QCOMPARE(pane->lines().line(0).boldLength, 3u);

    // Quotes are doubled: the statements stay valid.
    edit2->setText(QStringLiteral("o'c"));
    QCOMPARE(grid2->model()->rowCount(), 1);
    QTest::keyClick(edit2, Qt::Key_Return);
    QCOMPARE(paneLines(pane), (QStringList{"o'clock", "   óra"}));
    edit2->setText(QStringLiteral("'''"));
    QTest::keyClick(edit2, Qt::Key_Return);
    // Nothing found says so in the pane.
    QCOMPARE(paneLines(pane), QStringList{QStringLiteral("Nincs találat: „'''”")});
    QCOMPARE(f.frame.messages.texts().size(), 1);
    // Down goes to the result pane.
    QTest::keyClick(edit2, Qt::Key_Down);
    QVERIFY(pane->hasFocus() || !w->isActiveWindow());

    // Ordered by the second language the list and the search look in nyelv2.
    w->setOrder(QStringLiteral("nyelv2"));
    edit2->setText(QStringLiteral("ho"));
    QCOMPARE(grid2->model()->rowCount(), 2);
    QCOMPARE(grid2->model()->index(0, 0).data().toString(), QStringLiteral("hoop"));
    QCOMPARE(grid2->model()->index(0, 1).data().toString(), QStringLiteral("abroncs"));
}

void BilingualWindowTest::closingWritesTheViewSettings() {
    Fixture f;
    auto w = f.open();
    w->setOrder(QStringLiteral("nyelv2"));
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    grid->setColumnWidth(0, 300);
    grid->setColumnWidth(1, 100);
    child<QTabWidget>(w.get(), "PageControl1")->setCurrentIndex(1);
    QVERIFY(w->close());
    const QStringList row = f.catalogue(QStringLiteral("nyelv1szeles, nyelv2szeles, sorrend, ablak")).split(QLatin1Char('|'));
    QVERIFY(qFuzzyCompare(row.at(0).toDouble(), 0.25));
    QVERIFY(qFuzzyCompare(row.at(1).toDouble(), 0.75));
    QCOMPARE(row.mid(2), (QStringList{"nyelv2", "1"}));
    QVERIFY(!w->table()->isOpen());
    QVERIFY(f.frame.messages.messages().isEmpty());

    // Opened again, the window comes back as it was left.
    auto again = f.open();
    QCOMPARE(again->order(), QStringLiteral("nyelv2"));
    QCOMPARE(child<QTabWidget>(again.get(), "PageControl1")->currentIndex(), 1);
}

void BilingualWindowTest::dataSheetRoundTripReappliesTheOrder() {
    Fixture f;
    auto w = f.open();
    w->setOrder(QStringLiteral("nyelv2"));
    w->saveLayoutForDataSheet();
    QCOMPARE(f.catalogue(QStringLiteral("sorrend")), QStringLiteral("nyelv2"));
    // The properties window renames the languages.
    store::Query q(f.frame.database());
    q.setSql(QStringLiteral("UPDATE szotarak SET nyelv1='Magyar', nyelv2='English', szotarak_nev='Új név' WHERE szotarak=%1;")
                 .arg(f.id));
    q.exec();
    w->reloadDictionaryInfo();
    QCOMPARE(w->actions().aNyelv2->text(), QStringLiteral("English szerint"));
    QCOMPARE(child<QTableView>(w.get(), "DBGrid1")->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("English"));
    QCOMPARE(f.frame.statuses.last().orderLanguage, QStringLiteral("English"));
    // The caption keeps its value until the window is opened again.
    QCOMPARE(w->windowTitle(), QStringLiteral("Angol"));
    // The grid's pop-up "Adatlap" runs the frame's data sheet command.
    auto* sheet = w->findChild<QAction*>(QStringLiteral("miAdatlap"));
    QVERIFY(sheet);
    sheet->trigger();
    QCOMPARE(f.frame.dataSheetRequests, 1);
}

void BilingualWindowTest::deletedTableDoesNotCrashTheWindow() {
    Fixture f;
    auto w = f.open();
    QVERIFY(QFile::remove(f.frame.database().tableFile(QStringLiteral("angol"))));
    QTest::keyClicks(child<QLineEdit>(w.get(), "Edit1"), QStringLiteral("ku"));
    child<QTableView>(w.get(), "DBGrid1")->grab();
    auto* pages = child<QTabWidget>(w.get(), "PageControl1");
    pages->setCurrentIndex(1);
    w->dictionarizingTab()->editor()->setText(QStringLiteral("kutya"));
    w->actions().aSzotaraz->trigger();
    pages->setCurrentIndex(2);
    auto* edit2 = child<QLineEdit>(w.get(), "Edit2");
    edit2->setText(QStringLiteral("kut"));
    QTest::keyClick(edit2, Qt::Key_Return);
    // Each command that met the missing table said so, naming it, and the window still closes.
    QVERIFY(!f.frame.messages.texts().isEmpty());
    for (const QString& text : f.frame.messages.texts()) QVERIFY2(text.contains(QStringLiteral("angol")), qPrintable(text));
    QVERIFY(w->close());
}

QTEST_MAIN(BilingualWindowTest)
#include "test_gui_bilingual.moc"
