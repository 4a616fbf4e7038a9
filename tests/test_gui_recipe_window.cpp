// The recipe book window offscreen, over a real recipe table holding generated pictures: the
// category order and search (and the row-by-row search on a table without the category index),
// the pictures by extension, the list panel's minimum width and column rule, the memos typed
// into in place, the editor's refusals, saving the picture and the data sheet round trip.
#include "common/store/query.h"
#include "common/store/table.h"
#include "dictionaries/picture_panel.h"
#include "dictionaries/recipe_editor.h"
#include "dictionaries/recipe_window.h"
#include "dictionaries/recipe_window_widths.h"
#include "main/logic/dictionary_creation.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace verbalo;
using test::child;

namespace {

QByteArray pictureBytes(int width, int height, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

struct Recipe {
    QString category, dish;
    QByteArray picture;
    QString extension;
};

// A frame with a recipe book "Receptek", its recipes stored in this order (so that key order
// and category order differ): a JPEG, a metafile, a PNG stored as ".JPG", one without picture.
struct Fixture {
    test::TestFrame frame;
    QTemporaryDir files;
    int id = 0;

    explicit Fixture(bool withCategoryIndex = true) {
        id = frame.addDictionary(5, QStringLiteral("Receptek"), QStringLiteral("receptek"));
        if (!withCategoryIndex) exec(QStringLiteral("drop index receptek.idx_receptek_kategoria;"));
        store::Table t(frame.database());
        t.setTableName(QStringLiteral("receptek"));
        t.open();
        const QList<Recipe> recipes{{"levesek", "Gulyás", pictureBytes(1600, 1200, "JPG"), ".jpg"},
                                    {"desszertek", "Rétes", QByteArray("\x01\x00\x00\x00 not drawable", 20), ".emf"},
                                    {"levesek", "Bableves", pictureBytes(50, 40, "PNG"), ".JPG"},
                                    {"főételek", "Pörkölt", QByteArray(), QString()}};
        for (const Recipe& r : recipes) {
            t.insert();
            t.setValue(QStringLiteral("nyelv1"), r.category);
            t.setValue(QStringLiteral("nyelv2"), r.dish);
            t.setValue(QStringLiteral("nehezseg"), 2);
            t.setValue(QStringLiteral("perc"), 30);
            t.setValue(QStringLiteral("hozzavalo"), r.dish + QStringLiteral(" hozzávalói\r\n"));
            if (!r.picture.isEmpty()) t.setBlob(QStringLiteral("kep"), r.picture);
            t.setValue(QStringLiteral("filekit"), r.extension);
            t.post();
        }
    }

    void exec(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        q.exec();
    }

    QString cell(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        return q.open().value(0).toString();
    }

    std::unique_ptr<Tfrm_Szotar5> open() {
        auto w = std::make_unique<Tfrm_Szotar5>(frame);
        w->resize(636, 454);
        if (!w->openDictionary(id)) return nullptr;
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
        return w;
    }
};

QString dish(Tfrm_Szotar5* w) {
    return w->table()->text(QStringLiteral("nyelv2"));
}

QStringList listed(Tfrm_Szotar5* w) {
    auto* grid = child<QTableView>(w, "DBGrid1");
    QStringList out;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        out << grid->model()->index(row, 0).data().toString() + QLatin1Char('/') + grid->model()->index(row, 1).data().toString();
    return out;
}

} // namespace

class TestGuiRecipeWindow : public QObject {
    Q_OBJECT

private slots:
    void orderAndSearch_data();
    void orderAndSearch();
    void newBookIsListedByCategory();
    void picturesByExtension();
    void listPanelWidths();
    void memosPostedBeforeMovingAndClosing();
    void editorRefusesAndCancels_data();
    void editorRefusesAndCancels();
    void newRecipeThroughTheWindow();
    void savePictureAndDataSheet();
};

void TestGuiRecipeWindow::orderAndSearch_data() {
    QTest::addColumn<bool>("indexed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("category order: first soup by dish") << true << "lev"
                                                        << "Bableves";
    QTest::newRow("category order: accented category") << true << "fő"
                                                       << "Pörkölt";
    QTest::newRow("category order: past the end is the last") << true << "zzz"
                                                              << "Gulyás";
    QTest::newRow("no index: first soup by key") << false << "LEV"
                                                 << "Gulyás";
    QTest::newRow("no index: prefix of another category") << false << "desz"
                                                          << "Rétes";
    QTest::newRow("no index: nothing found stays") << false << "zzz"
                                                   << "Gulyás";
}

void TestGuiRecipeWindow::orderAndSearch() {
    QFETCH(bool, indexed);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    Fixture fx(indexed);
    auto w = fx.open();
    QVERIFY(w);
    QCOMPARE(w->orderedByCategory(), indexed);
    if (indexed)
        QCOMPARE(listed(w.get()), (QStringList{"desszertek/Rétes", "főételek/Pörkölt", "levesek/Bableves", "levesek/Gulyás"}));
    else
        QCOMPARE(listed(w.get()).first(), QStringLiteral("levesek/Gulyás"));
    QVERIFY(fx.frame.messages.texts().isEmpty());

    auto* search = child<QLineEdit>(w.get(), "Edit1");
    test::typeText(search, typed);
    QCOMPARE(dish(w.get()), found);
    // The grid follows, and the details show the recipe found.
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    QCOMPARE(grid->currentIndex().row(), w->table()->recNo() - 1);
    QCOMPARE(child<QLabel>(w.get(), "DBText1")->text(), found);
    QVERIFY(fx.frame.messages.texts().isEmpty());
}

void TestGuiRecipeWindow::newBookIsListedByCategory() {
    test::TestFrame frame;
    NewDictionary book;
    book.type = RecipeBook;
    book.name = QStringLiteral("Szakácskönyv");
    book.table = QStringLiteral("szakacs");
    const int id = createDictionary(frame.database(), book);
    Tfrm_Szotar5 w(frame);
    QVERIFY(w.openDictionary(id));
    QVERIFY(w.orderedByCategory());
    QVERIFY(frame.messages.texts().isEmpty());
}

void TestGuiRecipeWindow::picturesByExtension() {
    Fixture fx(false); // key order: the recipes as stored
    auto w = fx.open();
    QVERIFY(w);
    const QStatusBar* status = w->statusBar();
    QCOMPARE(dish(w.get()), QStringLiteral("Gulyás"));
    QCOMPARE(w->picturePanel()->image().size(), QSize(1600, 1200));
    QVERIFY(status->currentMessage().isEmpty());

    // A metafile cannot be drawn here: no picture, and the status bar says why.
    w->table()->next();
    QVERIFY(w->picturePanel()->image().isNull());
    QVERIFY(status->currentMessage().contains(QStringLiteral(".emf")));

    // A PNG stored as ".JPG" is still shown.
    w->table()->next();
    QCOMPARE(w->picturePanel()->image().size(), QSize(50, 40));
    QVERIFY(status->currentMessage().isEmpty());
    auto* image = child<QLabel>(w.get(), "Image1");
    auto* panel = child<QWidget>(w.get(), "Panel8");
    QCOMPARE(image->geometry(), QRect(4, 4, panel->width() - 8, panel->height() - 8));

    // No picture clears the one before.
    w->table()->next();
    QVERIFY(w->picturePanel()->image().isNull());
    QVERIFY(fx.frame.messages.texts().isEmpty());
}

void TestGuiRecipeWindow::listPanelWidths() {
    Fixture fx;
    fx.exec(QStringLiteral("UPDATE szotarak SET nyelv1szeles=0.1 WHERE szotarak=%1;").arg(fx.id));
    auto w = fx.open();
    QVERIFY(w);
    QCOMPARE(w->listPanelWidth(), recipe_widths::kListPanelMinimum);

    // Dragged narrower, the panel stays at its minimum.
    auto* splitter = child<QSplitter>(w.get(), "Splitter1");
    splitter->setSizes({200, w->width() - 200});
    QCoreApplication::processEvents();
    QCOMPARE(w->listPanelWidth(), recipe_widths::kListPanelMinimum);
    splitter->setSizes({400, w->width() - 400});
    QCoreApplication::processEvents();
    QCOMPARE(w->listPanelWidth(), 400);

    // The columns: a third and two thirds of the grid less its edge, halves to even.
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    const recipe_widths::ColumnWidths expected = recipe_widths::columns(grid->width());
    QCOMPARE(grid->columnWidth(0), expected.category);
    QCOMPARE(grid->columnWidth(1), expected.dish);
    QCOMPARE(recipe_widths::columns(333).category, 96);
    QCOMPARE(recipe_widths::columns(333).dish, 201);
    QCOMPARE(recipe_widths::columns(20).category, 0);
}

void TestGuiRecipeWindow::memosPostedBeforeMovingAndClosing() {
    Fixture fx(false);
    auto w = fx.open();
    QVERIFY(w);
    auto* ingredients = child<QPlainTextEdit>(w.get(), "DBMemo1");
    auto* method = child<QPlainTextEdit>(w.get(), "DBMemo2");
    QCOMPARE(ingredients->toPlainText(), QStringLiteral("Gulyás hozzávalói\n"));

    // Typed in, then another recipe chosen in the grid: the text goes with the first recipe.
    ingredients->setFocus();
    ingredients->moveCursor(QTextCursor::End);
    test::typeText(ingredients, QStringLiteral("só"));
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    grid->setFocus();
    grid->selectionModel()->setCurrentIndex(grid->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(dish(w.get()), QStringLiteral("Rétes"));
    QCOMPARE(fx.cell(QStringLiteral("SELECT hozzavalo FROM receptek WHERE nyelv2='Gulyás'")),
             QStringLiteral("Gulyás hozzávalói\r\nsó"));

    // Typed into the method and the window closed at once: stored too.
    method->setFocus();
    test::typeText(method, QStringLiteral("Sütjük."));
    w->close();
    QCOMPARE(fx.cell(QStringLiteral("SELECT elkeszites FROM receptek WHERE nyelv2='Rétes'")), QStringLiteral("Sütjük."));
    QVERIFY(fx.frame.messages.texts().isEmpty());
}

void TestGuiRecipeWindow::editorRefusesAndCancels_data() {
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<bool>("stored");
    QTest::newRow("whole number") << "3" << true;
    QTest::newRow("empty is no value") << "" << true;
    QTest::newRow("a word") << "közepes" << false;
    QTest::newRow("a fraction") << "1.5" << false;
}

void TestGuiRecipeWindow::editorRefusesAndCancels() {
    QFETCH(QString, difficulty);
    QFETCH(bool, stored);
    Fixture fx;
    store::Table t(fx.frame.database());
    t.setTableName(QStringLiteral("receptek"));
    t.open();
    t.insert();
    Tfrm_Szerkeszt5 editor(t);
    editor.categoryEdit()->setText(QStringLiteral("levesek"));
    editor.dishEdit()->setText(QStringLiteral("Húsleves"));
    editor.difficultyEdit()->setText(difficulty);
    QVERIFY(editor.takePicture([&] {
        const QString path = fx.files.filePath(QStringLiteral("leves.PNG"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(pictureBytes(10, 10, "PNG"));
        return path;
    }()));
    QCOMPARE(editor.acceptRecipe(), stored);
    if (stored) {
        QCOMPARE(fx.cell(QStringLiteral("SELECT count(*) FROM receptek")), QStringLiteral("5"));
        QCOMPARE(fx.cell(QStringLiteral("SELECT filekit FROM receptek WHERE nyelv2='Húsleves'")), QStringLiteral(".PNG"));
        QVERIFY(fx.frame.messages.texts().isEmpty());
        return;
    }
    // Refused: said, and the row still being edited; closing otherwise throws it away.
    QCOMPARE(fx.frame.messages.texts(), QStringList{QStringLiteral("Hibás adatmegadás, vagy már létező tétel")});
    QCOMPARE(t.state(), store::Table::State::Insert);
    editor.reject();
    QCOMPARE(t.state(), store::Table::State::Browse);
    QCOMPARE(fx.cell(QStringLiteral("SELECT count(*) FROM receptek")), QStringLiteral("4"));
}

void TestGuiRecipeWindow::newRecipeThroughTheWindow() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    bool seen = false;
    test::whenModal<Tfrm_Szerkeszt5>([&](Tfrm_Szerkeszt5* editor) {
        seen = true;
        // A new recipe starts with difficulty 1 and time 1.
        QCOMPARE(editor->difficultyEdit()->text(), QStringLiteral("1"));
        QCOMPARE(editor->minutesEdit()->text(), QStringLiteral("1"));
        editor->categoryEdit()->setText(QStringLiteral("saláták"));
        editor->dishEdit()->setText(QStringLiteral("Cékla"));
        // A text file loaded into the method memo, which has the focus.
        const QString path = fx.files.filePath(QStringLiteral("elkeszites.txt"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("Felvágjuk.\r\nTálaljuk.\r\n");
        f.close();
        editor->methodEdit()->setFocus();
        QVERIFY(editor->loadMemoFromFile(path));
        QVERIFY(editor->acceptRecipe());
    });
    w->actions().aUj->trigger();
    QVERIFY(seen);
    QCOMPARE(dish(w.get()), QStringLiteral("Cékla"));
    QCOMPARE(fx.cell(QStringLiteral("SELECT elkeszites FROM receptek WHERE nyelv2='Cékla'")),
             QStringLiteral("Felvágjuk.\r\nTálaljuk.\r\n"));

    // Deleting asks in the window's own words.
    fx.frame.messages.setDefaultAnswer(Answer::Yes);
    w->actions().aTorol->trigger();
    QCOMPARE(fx.frame.messages.texts(), QStringList{QStringLiteral("Valóban töröljem a finomságot?")});
    QCOMPARE(fx.cell(QStringLiteral("SELECT count(*) FROM receptek")), QStringLiteral("4"));
}

void TestGuiRecipeWindow::savePictureAndDataSheet() {
    Fixture fx(false);
    auto w = fx.open();
    QVERIFY(w);
    QCOMPARE(w->proposedPictureName(), QStringLiteral("Gulyás.jpg"));
    const QString path = fx.files.filePath(QStringLiteral("gulyas.jpg"));
    QVERIFY(w->savePictureTo(path));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), pictureBytes(1600, 1200, "JPG"));

    // The data sheet: the layout goes to the catalogue, and what the sheet changed comes back.
    w->saveLayoutForDataSheet();
    QCOMPARE(fx.cell(QStringLiteral("SELECT nyelv1szeles FROM szotarak WHERE szotarak=%1").arg(fx.id)).toDouble(),
             double(w->listPanelWidth()) / w->width());
    fx.exec(QStringLiteral("UPDATE szotarak SET nyelv1szeles=0.75, szotarak_nev='Szakácskönyv' WHERE szotarak=%1;").arg(fx.id));
    w->reloadDictionaryInfo();
    QCoreApplication::processEvents();
    QCOMPARE(child<QLabel>(w.get(), "Label1")->text(), QStringLiteral("Szakácskönyv"));
    QVERIFY(qAbs(w->listPanelWidth() - qRound(w->width() * 0.75)) <= 8);
    QVERIFY(fx.frame.messages.texts().isEmpty());
}

QTEST_MAIN(TestGuiRecipeWindow)
#include "test_gui_recipe_window.moc"
