// The headword list window offscreen: the list with its text preview, the memo, the widths of
// the panel and the grid's columns, the incremental search and type-ahead, the status, the
// entry editor, deleting, the list text export and closing.
#include "common/store/query.h"
#include "common/store/table.h"
#include "dictionaries/headword_editor.h"
#include "dictionaries/list_window.h"
#include "dictionaries/headword_list_model.h"
#include "dictionaries/list_window_widths.h"
#include "exchange/list_import_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"
#include "widgets/editing_dialog.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace verbalo;
using test::child;
using test::typeText;

namespace {

// A frame with one headword list "Lexikon" holding these entries.
struct Fixture {
    test::TestFrame frame;
    int id = 0;

    explicit Fixture(double share = 0.5) {
        id = frame.addDictionary(2, QStringLiteral("Lexikon"), QStringLiteral("lexikon"), QStringLiteral("címszavak"),
                                 QStringLiteral("leírások"));
        exec(QStringLiteral("INSERT INTO lexikon VALUES ('alma', 'Alma is a fruit'), ('körte', ''), "
                            "('banán', 'first line' || char(13,10) || 'second line'), ('Bodza', NULL), "
                            "('cseresznye', '  The cherry is a small, round stone fruit that is red.  '), "
                            "('dinnye', 'x'), ('eper', 'y');"));
        exec(QStringLiteral("UPDATE szotarak SET nyelv1szeles=%1 WHERE szotarak=%2;").arg(share).arg(id));
    }

    void exec(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        q.exec();
    }

    std::unique_ptr<Tfrm_Szotar2> open(int width = 764) {
        auto w = std::make_unique<Tfrm_Szotar2>(frame);
        w->resize(width, 500);
        if (!w->openDictionary(id)) return nullptr;
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
        return w;
    }

    QString catalogue(const QString& columns) { return frame.catalogueCells(id, columns); }

    QStringList rows() {
        store::Query q(frame.database());
        q.setSql(QStringLiteral("SELECT nyelv1, megjegyzes FROM lexikon ORDER BY nyelv1;"));
        QStringList out;
        for (store::ResultSet rs = q.open(); !rs.eof(); rs.next())
            out << rs.value(0).toString() + QLatin1Char('|') +
                       rs.value(1).toString().replace(QLatin1String("\r\n"), QLatin1String("/"));
        return out;
    }
};

QString current(Tfrm_Szotar2* w) {
    return w->table()->text(QStringLiteral("nyelv1"));
}

// Runs trigger with the modal entry editor answered by drive; left open, it is cancelled.
void withEditor(const std::function<void()>& trigger, const std::function<void(Tfrm_Szerkeszt2*)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Tfrm_Szerkeszt2*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // Keys go to the active window; the offscreen platform does not activate dialogs.
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        driven = true;
        drive(dialog);
        // Closed as Mégsem would, without its question about a changed text.
        if (dialog->isVisible()) QTimer::singleShot(0, dialog, [dialog] { dialog->done(QDialog::Rejected); });
    });
    trigger();
    QVERIFY(driven);
}

// Drags the splitter handle between the panel and the memo to x (in the splitter).
void dragSplitterTo(QSplitter* splitter, int x) {
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint start(handle->width() / 2, handle->height() / 2);
    const auto send = [handle](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, handle->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &e);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(x - handle->x() - start.x(), 0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + QPoint(x - handle->x() - start.x(), 0), Qt::NoButton);
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ListWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheListAndTheMemo();
    void modelPassesTheTester();
    void textPreview_data();
    void textPreview();
    void statusOnActivationAndAfterAMove();
    void typingSearchesTheNearestHeadword();
    void typeAhead_data();
    void typeAhead();
    void titleClickOnlyFocusesTheSearchBox();
    void resizingHalvesThePanelAndEqualsTheColumns_data();
    void resizingHalvesThePanelAndEqualsTheColumns();
    void draggingTheSplitterSharesTheColumns();
    void storedShareSetsThePanelUntilTheNextResize();
    void columnShares_data();
    void columnShares();
    void closingStoresThePanelShare();
    void newEntryFromTheKeyboard();
    void existingHeadwordKeepsTheEditorOpen();
    void editorLoadsAnEntryFromAFile_data();
    void editorLoadsAnEntryFromAFile();
    void deleteAsksFirst();
    void exportWritesTheListText();
    void importedRowsShowAtOnce();
    void hugeTextShowsInPieces();
    void missingTableFailsToOpen();
};

void ListWindowTest::opensWithTheListAndTheMemo() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Lexikon"));
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QAbstractItemModel* model = grid->model();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("címszó"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("leírás"));
    QCOMPARE(model->rowCount(), 7);
    QStringList headwords, previews;
    for (int r = 0; r < model->rowCount(); ++r) {
        headwords << model->index(r, 0).data().toString();
        previews << model->index(r, 1).data().toString();
    }
    QCOMPARE(headwords, (QStringList{"alma", "banán", "Bodza", "cseresznye", "dinnye", "eper", "körte"}));
    QCOMPARE(previews.at(0), QStringLiteral("Alma is a fruit..."));
    // A stored CR LF is one line break: one blank in the grid's one line.
    QCOMPARE(previews.at(1), QStringLiteral("first line second line..."));
    QCOMPARE(previews.at(2), QStringLiteral("..."));
    QCOMPARE(previews.at(6), QStringLiteral("..."));
    QCOMPARE(model->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(), kSortColumnColor);
    QVERIFY(!model->index(0, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);

    auto* memo = child<QPlainTextEdit>(w.get(), "DBMemo1");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toPlainText(), QStringLiteral("Alma is a fruit"));
    w->table()->setRecNo(2);
    QCOMPARE(memo->toPlainText(), QStringLiteral("first line\nsecond line"));
    QCOMPARE(grid->currentIndex().row(), 1);
    w->table()->setRecNo(3);
    QCOMPARE(memo->toPlainText(), QString());

    // The toolbar in its groups, the grid's pop-up menu in its order.
    QCOMPARE(w->actions().aUj->shortcut(), QKeySequence(Qt::Key_Insert));
    QCOMPARE(w->actions().aTorol->text(), QStringLiteral("Töröl"));
    QCOMPARE(w->actions().aNezet->toolTip(), QStringLiteral("Teljes/normál nézet"));
    QStringList items;
    for (QAction* a : child<QMenu>(w.get(), "PopupMenu1")->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items, (QStringList{"Keres", "-", "Új sor", "Szerkeszt", "Töröl", "-", "Tulajdonságok\tAlt+Enter", "-", "Bezár"}));
}

void ListWindowTest::modelPassesTheTester() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    auto* model = child<QTableView>(w.get(), "DBGrid1")->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    w->table()->insert();
    w->table()->setValue(QStringLiteral("nyelv1"), QStringLiteral("füge"));
    w->table()->post();
    QCOMPARE(model->rowCount(), 8);
    w->table()->remove();
    QCOMPARE(model->rowCount(), 7);
}

void ListWindowTest::textPreview_data() {
    QTest::addColumn<QVariant>("text");
    QTest::addColumn<QString>("preview");
    QTest::newRow("short") << QVariant("Alma is a fruit") << "Alma is a fruit...";
    QTest::newRow("empty") << QVariant("") << "...";
    QTest::newRow("null") << QVariant() << "...";
    QTest::newRow("first 37 characters") << QVariant(QString("abcdefghij").repeated(5))
                                         << QString("abcdefghij").repeated(4).left(37) + "...";
    QTest::newRow("blanks trimmed after the cut") << QVariant("  x" + QString(34, ' ') + "tail") << "x...";
    QTest::newRow("line break kept inside") << QVariant("a\r\nb\r\n") << "a\r\nb...";
}

void ListWindowTest::textPreview() {
    QFETCH(QVariant, text);
    QFETCH(QString, preview);
    QCOMPARE(headwordTextPreview(text), preview);
}

void ListWindowTest::statusOnActivationAndAfterAMove() {
    Fixture f;
    f.exec(QStringLiteral("UPDATE szotarak SET sorrend='nyelv2' WHERE szotarak=%1;").arg(f.id));
    auto w = f.open();
    QVERIFY(w);
    f.frame.settings().lastDict = -1;
    w->reportActive();
    QCOMPARE(f.frame.settings().lastDict, f.id);
    QCOMPARE(f.frame.statuses.last().orderLanguage, QStringLiteral("leírások"));
    QCOMPARE(f.frame.statuses.last().name, QStringLiteral("Lexikon"));
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("7/1"));

    QTest::keyClick(child<QTableView>(w.get(), "DBGrid1"), Qt::Key_Down);
    QCOMPARE(current(w.get()), QStringLiteral("banán"));
    QCOMPARE(f.frame.statuses.last().orderLanguage, QStringLiteral("címszó"));
    QCOMPARE(f.frame.statuses.last().position, QStringLiteral("7/2"));
}

void ListWindowTest::typingSearchesTheNearestHeadword() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    auto* edit = child<QLineEdit>(w.get(), "Edit1");
    QTest::keyClicks(edit, QStringLiteral("cs"));
    QCOMPARE(current(w.get()), QStringLiteral("cseresznye"));
    QTest::keyClicks(edit, QStringLiteral("z"));
    QCOMPARE(current(w.get()), QStringLiteral("dinnye"));
    edit->clear();
    QCOMPARE(current(w.get()), QStringLiteral("dinnye"));
    QTest::keyClicks(edit, QStringLiteral("zzz"));
    QCOMPARE(current(w.get()), QStringLiteral("körte"));
    QCOMPARE(child<QPlainTextEdit>(w.get(), "DBMemo1")->toPlainText(), QString());

    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(child<QTableView>(w.get(), "DBGrid1")->hasFocus());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Down);
    QVERIFY(child<QTableView>(w.get(), "DBGrid1")->hasFocus());
}

void ListWindowTest::typeAhead_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("headword");
    QTest::newRow("capital letter") << "B"
                                    << "b"
                                    << "banán";
    QTest::newRow("small letter") << "e"
                                  << "e"
                                  << "eper";
    QTest::newRow("accented capital") << "Ő"
                                      << "ő"
                                      << "körte";
    QTest::newRow("accented small") << "é"
                                    << "é"
                                    << "eper";
    QTest::newRow("digit does nothing") << "5"
                                        << ""
                                        << "alma";
    QTest::newRow("sign does nothing") << "!"
                                       << ""
                                       << "alma";
}

void ListWindowTest::typeAhead() {
    QFETCH(QString, typed);
    QFETCH(QString, search);
    QFETCH(QString, headword);
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    auto* edit = child<QLineEdit>(w.get(), "Edit1");
    grid->setFocus();
    typeText(grid, typed);
    QCOMPARE(edit->text(), search);
    QCOMPARE(current(w.get()), headword);
    if (search.isEmpty()) {
        QVERIFY(grid->hasFocus());
    } else {
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->cursorPosition(), 1);
        QVERIFY(!edit->hasSelectedText());
    }
}

void ListWindowTest::titleClickOnlyFocusesTheSearchBox() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    grid->setFocus();
    w->table()->setRecNo(4);
    emit grid->horizontalHeader()->sectionClicked(1);
    QVERIFY(child<QLineEdit>(w.get(), "Edit1")->hasFocus());
    QCOMPARE(current(w.get()), QStringLiteral("cseresznye"));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("alma"));
}

void ListWindowTest::resizingHalvesThePanelAndEqualsTheColumns_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("800") << 800;
    QTest::newRow("odd width") << 901;
    QTest::newRow("narrow") << 500;
}

void ListWindowTest::resizingHalvesThePanelAndEqualsTheColumns() {
    QFETCH(int, width);
    Fixture f(0.3);
    auto w = f.open();
    QVERIFY(w);
    w->resize(width, 500);
    QTRY_COMPARE(w->width(), width);
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QCOMPARE(child<QWidget>(w.get(), "Panel1")->width(), width / 2);
    QCOMPARE(grid->width(), width / 2);
    const int half = static_cast<int>((width / 2 - 40) * 0.5);
    QCOMPARE(grid->columnWidth(0), half);
    QCOMPARE(grid->columnWidth(1), half);
}

void ListWindowTest::draggingTheSplitterSharesTheColumns() {
    Fixture f;
    auto w = f.open(800);
    QVERIFY(w);
    auto* splitter = child<QSplitter>(w.get(), "Splitter1");
    dragSplitterTo(splitter, 300);
    auto* panel = child<QWidget>(w.get(), "Panel1");
    QVERIFY2(std::abs(panel->width() - 300) <= splitter->handleWidth(), qPrintable(QString::number(panel->width())));
    QCOMPARE(w->panelWidth(), panel->width());
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    const headword_widths::ColumnWidths shared = headword_widths::sharedColumns(panel->width());
    QCOMPARE(grid->columnWidth(0), shared.headword);
    QCOMPARE(grid->columnWidth(1), shared.text);
    QVERIFY(grid->columnWidth(1) > 2 * grid->columnWidth(0) - 2);

    // The next resize of the window halves the panel again, with equal columns.
    w->resize(1000, 500);
    QTRY_COMPARE(panel->width(), 500);
    QCOMPARE(grid->columnWidth(0), grid->columnWidth(1));
}

void ListWindowTest::storedShareSetsThePanelUntilTheNextResize() {
    Fixture f(0.3);
    auto w = f.open(800);
    QVERIFY(w);
    auto* panel = child<QWidget>(w.get(), "Panel1");
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QCOMPARE(panel->width(), 240);
    QCOMPARE(grid->columnWidth(0), headword_widths::sharedColumns(240).headword);
    QCOMPARE(grid->columnWidth(1), headword_widths::sharedColumns(240).text);
    // Maximised right after opening, the panel takes half the width.
    w->resize(1200, 600);
    QTRY_COMPARE(panel->width(), 600);
}

void ListWindowTest::columnShares_data() {
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("headword");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("equal");
    QTest::newRow("400") << 400 << 117 << 239 << 180;
    // 50 × 0.33 = 16.5 and 50 × 0.67 = 33.5: halves go to the even neighbour.
    QTest::newRow("halves to even") << 94 << 16 << 34 << 27;
    QTest::newRow("odd equal width truncated") << 401 << 118 << 239 << 180;
    QTest::newRow("too narrow") << 20 << 0 << 0 << 0;
}

void ListWindowTest::columnShares() {
    QFETCH(int, gridWidth);
    QFETCH(int, headword);
    QFETCH(int, text);
    QFETCH(int, equal);
    QCOMPARE(headword_widths::sharedColumns(gridWidth).headword, headword);
    QCOMPARE(headword_widths::sharedColumns(gridWidth).text, text);
    QCOMPARE(headword_widths::equalColumns(gridWidth).headword, equal);
    QCOMPARE(headword_widths::equalColumns(gridWidth).text, equal);
}

void ListWindowTest::closingStoresThePanelShare() {
    QCOMPARE(headword_widths::saveShareStatement(12, 0.5),
             QStringLiteral("UPDATE szotarak SET nyelv1szeles=0.5,nyelv2szeles=0.5 WHERE szotarak=12;"));
    Fixture f;
    auto w = f.open(800);
    QVERIFY(w);
    dragSplitterTo(child<QSplitter>(w.get(), "Splitter1"), 200);
    const int panel = child<QWidget>(w.get(), "Panel1")->width();
    QVERIFY(w->queryClose());
    QCOMPARE(f.catalogue(QStringLiteral("nyelv1szeles")).toDouble(), panel / 800.0);
    QCOMPARE(f.catalogue(QStringLiteral("nyelv2szeles")).toDouble(), 1 - panel / 800.0);
    // The order and the tab are not this window's to store.
    QCOMPARE(f.catalogue(QStringLiteral("sorrend||'/'||ablak")), QStringLiteral("nyelv1/0"));
    QVERIFY(w->table()->isOpen());
    w->close();
    QVERIFY(!w->table()->isOpen());
}

void ListWindowTest::newEntryFromTheKeyboard() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    grid->setFocus();
    withEditor([&] { QTest::keyClick(grid, Qt::Key_Insert); },
               [](Tfrm_Szerkeszt2* d) {
                   QCOMPARE(d->windowTitle(), QStringLiteral("Szöveg szerkesztése"));
                   QCOMPARE(d->headwordEdit()->text(), QString());
                   QCOMPARE(d->headwordEdit()->maxLength(), 75);
                   typeText(d->headwordEdit(), QStringLiteral("füge"));
                   // Enter moves on to the memo, where it starts a new line.
                   QTest::keyClick(d->headwordEdit(), Qt::Key_Return);
                   QVERIFY(d->textEdit()->hasFocus());
                   QCOMPARE(d->textEdit()->palette().color(QPalette::Base), kFocusColor);
                   QTest::keyClicks(d->textEdit(), QStringLiteral("sweet"));
                   QTest::keyClick(d->textEdit(), Qt::Key_Return);
                   QTest::keyClicks(d->textEdit(), QStringLiteral("fig"));
                   QTest::keyClick(d->textEdit(), Qt::Key_Return, Qt::ControlModifier);
                   QVERIFY(!d->isVisible());
               });
    QVERIFY(f.rows().contains(QStringLiteral("füge|sweet/fig")));
    QCOMPARE(current(w.get()), QStringLiteral("füge"));

    // F2 edits the current entry; Esc asks before throwing the change away, and leaves the
    // entry as it was on yes.
    withEditor([&] { QTest::keyClick(grid, Qt::Key_F2); },
               [&f](Tfrm_Szerkeszt2* d) {
                   QCOMPARE(d->headwordEdit()->text(), QStringLiteral("füge"));
                   QCOMPARE(d->textEdit()->toPlainText(), QStringLiteral("sweet\nfig"));
                   d->textEdit()->setPlainText(QStringLiteral("changed"));
                   f.frame.messages.clear();
                   f.frame.messages.queueAnswer(Answer::No);
                   QTest::keyClick(d->textEdit(), Qt::Key_Escape);
                   QCOMPARE(f.frame.messages.texts(), QStringList{QStringLiteral("Elveti a módosításokat?")});
                   QVERIFY(d->isVisible());
                   QCOMPARE(d->textEdit()->toPlainText(), QStringLiteral("changed"));
                   f.frame.messages.queueAnswer(Answer::Yes);
                   QTest::keyClick(d->textEdit(), Qt::Key_Escape);
                   QVERIFY(!d->isVisible());
               });
    QVERIFY(f.rows().contains(QStringLiteral("füge|sweet/fig")));
    QCOMPARE(w->table()->state(), store::Table::State::Browse);
}

void ListWindowTest::existingHeadwordKeepsTheEditorOpen() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    withEditor([&] { w->actions().aUj->trigger(); },
               [&](Tfrm_Szerkeszt2* d) {
                   d->headwordEdit()->setText(QStringLiteral("alma"));
                   d->textEdit()->setPlainText(QStringLiteral("again"));
                   d->findChild<QAction*>(QStringLiteral("aElfogad"))->trigger();
                   QVERIFY(d->isVisible());
                   QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Hibás adatmegadás, vagy már létező címszó"));
                   QCOMPARE(w->table()->state(), store::Table::State::Insert);
                   // Mégsem throws the typed entry away after asking.
                   f.frame.messages.queueAnswer(Answer::Yes);
                   d->findChild<QAction*>(QStringLiteral("aMegsem"))->trigger();
                   QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Elveti a módosításokat?"));
               });
    QCOMPARE(w->table()->state(), store::Table::State::Browse);
    QCOMPARE(f.rows().size(), 7);
    QVERIFY(f.rows().contains(QStringLiteral("alma|Alma is a fruit")));
}

void ListWindowTest::editorLoadsAnEntryFromAFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("headword");
    QTest::addColumn<QString>("text");
    QTest::newRow("headword line") << QByteArray("#alma\r\nfirst\r\nsecond\r\n") << "alma"
                                   << "first\nsecond\n";
    QTest::newRow("all marks and blanks removed") << QByteArray("###  k\xf6rte  \r\nx") << "körte"
                                                  << "x\n";
    QTest::newRow("no headword line") << QByteArray("plain\r\nx") << "was"
                                      << "plain\nx\n";
    QTest::newRow("headword only") << QByteArray("#szilva\r\n") << "szilva"
                                   << "";
    QTest::newRow("empty file changes nothing") << QByteArray() << "was"
                                                << "old";
}

void ListWindowTest::editorLoadsAnEntryFromAFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, headword);
    QFETCH(QString, text);
    test::TestFrame frame;
    frame.addDictionary(2, QStringLiteral("Lexikon"), QStringLiteral("lexikon"));
    store::Table table(frame.database());
    table.setTableName(QStringLiteral("lexikon"));
    table.open();
    table.insert();
    table.setValue(QStringLiteral("nyelv1"), QStringLiteral("was"));
    table.setValue(QStringLiteral("megjegyzes"), QStringLiteral("old"));
    Tfrm_Szerkeszt2 dialog(table);
    const QString path = frame.folders().dataFolder + QStringLiteral("/entry.txt");
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(dialog.loadFromFile(path));
    QCOMPARE(dialog.headwordEdit()->text(), headword);
    QCOMPARE(dialog.textEdit()->toPlainText(), text);
    dialog.acceptEntry();
    QCOMPARE(table.text(QStringLiteral("nyelv1")), headword);
    QCOMPARE(table.text(QStringLiteral("megjegyzes")), QString(text).replace(QLatin1String("\n"), QLatin1String("\r\n")));

    QVERIFY(!dialog.loadFromFile(frame.folders().dataFolder + QStringLiteral("/missing.txt")));
    QVERIFY(frame.messages.texts().last().startsWith(QStringLiteral("Az állomány nem olvasható:\r\n")));
}

void ListWindowTest::deleteAsksFirst() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    w->table()->setRecNo(2);
    f.frame.messages.queueAnswer(Answer::No);
    w->actions().aTorol->trigger();
    QCOMPARE(f.frame.messages.messages().last().text, QStringLiteral("Valóban töröljem a sort?"));
    QCOMPARE(f.frame.messages.messages().last().caption, QStringLiteral("Megerősítés"));
    QCOMPARE(f.rows().size(), 7);
    f.frame.messages.queueAnswer(Answer::Yes);
    w->actions().aTorol->trigger();
    QCOMPARE(f.rows().size(), 6);
    QVERIFY(!f.rows().join(QLatin1Char(' ')).contains(QLatin1String("banán")));
}

void ListWindowTest::exportWritesTheListText() {
    test::TestFrame frame;
    const int id = frame.addDictionary(2, QStringLiteral("Lexikon"), QStringLiteral("lexikon"));
    store::Query q(frame.database());
    q.setSql(QStringLiteral("INSERT INTO lexikon VALUES ('alma', 'first line' || char(13,10) || 'second line'), ('körte', '');"));
    q.exec();
    Tfrm_Szotar2 w(frame);
    QVERIFY(w.openDictionary(id));
    w.table()->last();
    const QString path = frame.folders().dataFolder + QStringLiteral("/lista.txt");
    w.exportListTextTo(path);
    QCOMPARE(readBytes(path), QByteArray("##alma\r\nfirst line\r\nsecond line\r\n##k\xf6rte\r\n\r\n"));
    QCOMPARE(frame.messages.texts().last(), QDir::toNativeSeparators(path) + QStringLiteral(" állomány mentése kész."));
    QCOMPARE(w.table()->recNo(), 1);

    w.exportListTextTo(frame.folders().dataFolder + QStringLiteral("/no/such/folder/lista.txt"));
    QVERIFY(frame.messages.texts().last().startsWith(QStringLiteral("Hiba az állomány mentésekor:\r\n")));
}

void ListWindowTest::importedRowsShowAtOnce() {
    Fixture f;
    auto w = f.open();
    QVERIFY(w);
    const QString path = f.frame.folders().dataFolder + QStringLiteral("/uj.txt");
    QVERIFY(writeBytes(path, "##f\xfcge\r\nsweet\r\n##alma\r\nagain\r\n"));
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* import = qobject_cast<Tfrm_ListaBetolt*>(QApplication::activeModalWidget());
        QVERIFY(import);
        ran = true;
        import->setFileName(path);
        import->runImport();
        import->reject();
    });
    w->importData();
    QVERIFY(ran);
    QCOMPARE(f.frame.messages.texts().last().section(QStringLiteral("\r\n"), 0, 0), QStringLiteral("Állomány betöltése kész."));
    auto* model = child<QTableView>(w.get(), "DBGrid1")->model();
    QCOMPARE(model->rowCount(), 8);
    QCOMPARE(model->index(6, 0).data().toString(), QStringLiteral("füge"));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Alma is a fruit..."));
    QCOMPARE(f.frame.statuses.last().position.section(QLatin1Char('/'), 0, 0), QStringLiteral("8"));
}

void ListWindowTest::hugeTextShowsInPieces() {
    // A text of one line of megabytes (a file that was no list at all) is shown without
    // laying the whole line out at once.
    Fixture f;
    f.exec(QStringLiteral("INSERT INTO lexikon VALUES ('aaa', '%1');").arg(QString(2'000'000, QLatin1Char('x'))));
    auto w = f.open();
    QVERIFY(w);
    QCOMPARE(current(w.get()), QStringLiteral("aaa"));
    auto* memo = child<QPlainTextEdit>(w.get(), "DBMemo1");
    QVERIFY(memo->blockCount() > 1);
    QCOMPARE(memo->toPlainText().remove(QLatin1Char('\n')).size(), 2'000'000);
    QCOMPARE(child<QTableView>(w.get(), "DBGrid1")->model()->index(0, 1).data().toString(),
             QString(37, QLatin1Char('x')) + "...");
}

void ListWindowTest::missingTableFailsToOpen() {
    Fixture f;
    f.exec(QStringLiteral("DROP TABLE lexikon;"));
    Tfrm_Szotar2 w(f.frame);
    QVERIFY(!w.openDictionary(f.id));
    QVERIFY(f.frame.messages.texts().last().startsWith(QStringLiteral("Hiba az adatbázis megnyitásakor:\r\n")));
}

QTEST_MAIN(ListWindowTest)
#include "test_gui_list_window.moc"
