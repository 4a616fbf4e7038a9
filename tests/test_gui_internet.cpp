// The dictionary download window and the programs window inside the real frame, with their
// lists and packages served by a web server the test runs on 127.0.0.1.

#include "test_gui_main_fixture.h"

#include "support/catalogue_server.h"
#include "support_gui/gui_driving.h"

#include "dictionaries/pair_window.h"
#include "internet/download_window.h"
#include "internet/list_table_model.h"
#include "internet/programs_window.h"
#include "main/dictionary_panel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QListWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QNetworkProxy>
#include <QProgressBar>
#include <QTableView>
#include <QTest>

using namespace verbalo;
using namespace verbalo::test;

namespace {

const QString kUnpackError = QStringLiteral("Hiba az archívum kibontása közben");

QVariantHash listRow(const QString& name, const QString& address, const QString& table, int words, int size) {
    return {{"szotarnev", name},    {"filenev", address}, {"tablanev", table},
            {"szavakszama", words}, {"meret", size},      {"szerzo", "Kiss Anna"}};
}

QVariantHash programRow(int id, const QString& name, const QString& category, const QString& free, const QString& description) {
    return {{"programok", id},
            {"programok_nev", name},
            {"link", "http://honlap/" + name},
            {"letoltlink", "http://letolt/" + name},
            {"kategoria", category},
            {"ingyenes", free},
            {"leiras", description}};
}

// The frame over a data folder holding the bilingual dictionary "angol", its server this test's.
struct Program {
    MainFrameFixture f;
    CatalogueServer& server;
    std::unique_ptr<Tfrm_Main> frame;

    explicit Program(CatalogueServer& s) : server(s) {
        registerDictionaryWindow(Bilingual, [](FrameServices& fs, QWidget* p) { return new Tfrm_Szotar(fs, p); });
        f.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"), true, QStringLiteral("I"));
        exec(QStringLiteral("INSERT INTO angol VALUES ('alma','apple');"));
        f.ini().writeString(QStringLiteral("Internet"), QStringLiteral("Server"), server.url());
        frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        QCoreApplication::processEvents();
    }
    ~Program() {
        if (frame) frame->close();
        registerDictionaryWindow(Bilingual, [](FrameServices& fs, QWidget* p) { return new StubDictionaryWindow(fs, p); });
    }
    void exec(const QString& sql) {
        store::Query q(f.db);
        q.setSql(sql);
        q.exec();
    }
    QStringList rows(const QString& sql) {
        store::Query q(f.db);
        q.setSql(sql);
        QStringList out;
        for (store::ResultSet rs = q.open(); !rs.eof(); rs.next()) out << rs.value(0).toString();
        return out;
    }
    template <typename T>
    QList<T*> windows() const {
        QList<T*> found;
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
            if (auto* w = qobject_cast<T*>(sub->widget())) found << w;
        return found;
    }
    template <typename T>
    T* open(const char* command) {
        frame->action(QLatin1String(command))->trigger();
        QCoreApplication::processEvents();
        return windows<T>().value(0);
    }
    void trigger(QWidget* window, const char* action) {
        auto* a = window->findChild<QAction*>(QLatin1String(action));
        QVERIFY2(a, action);
        a->trigger();
    }
};

QStringList columnTexts(const QTableView* grid, int column) {
    QStringList texts;
    for (int r = 0; r < grid->model()->rowCount(); ++r) texts << grid->model()->index(r, column).data().toString();
    return texts;
}

QStringList titles(const QTableView* grid) {
    QStringList texts;
    for (int c = 0; c < grid->model()->columnCount(); ++c) texts << grid->model()->headerData(c, Qt::Horizontal).toString();
    return texts;
}

QColor colourOf(const QTableView* grid, int row, int column, int role) {
    return grid->model()->index(row, column).data(role).value<QBrush>().color();
}

void clickTitle(QTableView* grid, int column) {
    emit grid->horizontalHeader()->sectionClicked(column);
}

} // namespace

class TestGuiInternet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commandsAndPanelOpenOneWindowOfEachKind();
    void downloadWindowRefreshesOrdersAndInstalls();
    void installAsksBeforeClosingTheOpenDictionary();
    void refreshFailuresLeaveTheListClosed();
    void programsWindowListsSearchesAndOpensLinks();

private:
    void serveDictionaryList();
    CatalogueServer server_;
};

void TestGuiInternet::initTestCase() {
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QVERIFY(server_.start());
}

void TestGuiInternet::serveDictionaryList() {
    server_.clear();
    const QList<QVariantHash> rows = {
        listRow("Angol-magyar", server_.url("/p/angol.zip"), "Angol", 1200000, 3000),
        listRow("Német-magyar", server_.url("/p/nemet.zip"), "nemet", 45000, 900000),
        listRow("Francia", server_.url("/p/francia.zip"), "francia", 100, 20),
    };
    server_.serveFile("/data/internet.zip",
                      zipArchiveBytes({{"internet.DB", makeListTableFile("internet", dictionaryListStatements(), rows)}}));
    server_.serveFile("/p/nemet.zip",
                      zipArchiveBytes({{"nemet.DB", pairTableFile("nemet", {"Hund;kutya"})},
                                       {".ini", "[dict]\r\nszotarak_nev=Német-magyar\r\ntablanev=nemet\r\nnyelv1=német\r\n"}}));
}

void TestGuiInternet::commandsAndPanelOpenOneWindowOfEachKind() {
    Program p(server_);
    for (const char* command : {"FileLetolt", "aHelpProgram"}) QVERIFY(p.frame->action(command)->isEnabled());
    auto* download = p.open<Tfrm_Internet>("FileLetolt");
    QVERIFY(download);
    QCOMPARE(download->windowTitle(), QStringLiteral("Szótárak letöltése Internetről"));
    p.open<Tfrm_Internet>("FileLetolt");
    emit p.frame->dictionaryPanel()->openRequested(DictionaryPanel::kDownloadKey);
    QCOMPARE(p.windows<Tfrm_Internet>().size(), 1);
    QCOMPARE(p.frame->mdiArea()->activeSubWindow()->widget(), download);

    emit p.frame->dictionaryPanel()->openRequested(DictionaryPanel::kProgramsKey);
    auto* programs = p.windows<Tfrm_Programok>().value(0);
    QVERIFY(programs);
    QCOMPARE(programs->windowTitle(), QStringLiteral("További programok"));
    p.open<Tfrm_Programok>("aHelpProgram");
    QCOMPARE(p.windows<Tfrm_Programok>().size(), 1);
    QVERIFY(p.frame->action("FileBezar")->isEnabled());
    // With no list yet, each window said the store's own message and opened empty.
    QCOMPARE(p.f.messages.texts().size(), 2);
    QCOMPARE(download->grid()->model()->rowCount(), 0);
}

void TestGuiInternet::downloadWindowRefreshesOrdersAndInstalls() {
    serveDictionaryList();
    Program p(server_);
    // A table in the data folder without a catalogue row counts as installed all the same.
    p.exec(QStringLiteral("CREATE TABLE francia ( nyelv1 CHAR(50), nyelv2 CHAR(50), PRIMARY KEY (nyelv1,nyelv2));"));
    auto* w = p.open<Tfrm_Internet>("FileLetolt");
    QVERIFY(w);
    QAbstractItemModelTester tester(w->grid()->model());
    p.f.messages.clear();
    p.trigger(w, "aFrissit");
    QCOMPARE(p.f.messages.texts(), QStringList{"Lista frissítése kész."});
    QVERIFY(!w->progressBar()->isVisible());
    QTableView* grid = w->grid();
    QCOMPARE(titles(grid), QStringList({"*", "szótár neve", "internetcím", "szavak", "méret"}));
    QCOMPARE(columnTexts(grid, 1), QStringList({"Angol-magyar", "Francia", "Német-magyar"}));
    QCOMPARE(columnTexts(grid, 3), QStringList({"1 200 000", "100", "45 000"}));
    QCOMPARE(grid->columnWidth(0), 22);
    // "Angol" differs from the installed "angol" in case only: greyed.
    for (int row : {0, 1}) {
        QCOMPARE(colourOf(grid, row, 2, Qt::ForegroundRole), QColor(128, 128, 128));
        QCOMPARE(colourOf(grid, row, 2, Qt::BackgroundRole), QColor(233, 233, 233));
        QCOMPARE(colourOf(grid, row, 1, Qt::BackgroundRole), QColor(255, 255, 185)); // the sort column
    }
    QVERIFY(!grid->model()->index(2, 2).data(Qt::ForegroundRole).isValid());

    clickTitle(grid, 4);
    QCOMPARE(columnTexts(grid, 1), QStringList({"Francia", "Angol-magyar", "Német-magyar"}));
    clickTitle(grid, 0); // the picture column orders nothing
    QCOMPARE(columnTexts(grid, 1), QStringList({"Francia", "Angol-magyar", "Német-magyar"}));
    QCOMPARE(static_cast<ListTableModel*>(grid->model())->highlightedColumn(), 4);

    grid->selectRow(2);
    QCOMPARE(w->findChild<QLabel*>("DBText1")->text(), QStringLiteral("Német-magyar"));
    w->findChild<QAction*>("aMasol")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), server_.url("/p/nemet.zip"));
    p.f.messages.clear();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(p.f.messages.texts(), QStringList{"Szótár telepítése kész."});
    QCOMPARE(colourOf(grid, 2, 2, Qt::ForegroundRole), QColor(128, 128, 128));
    QCOMPARE(p.rows("SELECT szotarak_nev || '|' || nyelv1 || '|' || letezik FROM szotarak WHERE tablanev = 'nemet'"),
             QStringList{"Német-magyar|német|I"});
    QVERIFY(!QFile::exists(p.f.folders.settingsFolder + "/nemet.zip"));
    // The side panel, when shown, lists the new dictionary at once.
    p.frame->showDictionaryPanel();
    p.trigger(w, "aLetolt");
    auto* list = p.frame->dictionaryPanel()->findChild<QListWidget*>();
    QVERIFY(list);
    QVERIFY(!list->findItems("Német-magyar", Qt::MatchExactly).isEmpty());
}

void TestGuiInternet::installAsksBeforeClosingTheOpenDictionary() {
    server_.clear();
    const QList<QVariantHash> rows = {listRow("Angol", server_.url("/p/angol.zip"), "angol", 2, 100)};
    server_.serveFile("/data/internet.zip",
                      zipArchiveBytes({{"internet.DB", makeListTableFile("internet", dictionaryListStatements(), rows)}}));
    server_.serveFile("/p/angol.zip", zipArchiveBytes({{"angol.DB", pairTableFile("angol", {"körte;pear", "szilva;plum"})}}));
    Program p(server_);
    p.frame->openDictionaryWindow(1);
    QCOMPARE(p.windows<Tfrm_Szotar>().size(), 1);
    auto* w = p.open<Tfrm_Internet>("FileLetolt");
    p.trigger(w, "aFrissit");
    p.f.messages.clear();

    p.f.messages.queueAnswer(Answer::No);
    p.trigger(w, "aLetolt");
    QCOMPARE(p.f.messages.messages().value(0).kind, MessageKind::YesNo);
    QVERIFY(p.f.messages.texts().value(0).contains("Angol"));
    QCOMPARE(p.f.messages.texts().value(1), kUnpackError);
    QCOMPARE(p.windows<Tfrm_Szotar>().size(), 1);
    QCOMPARE(p.rows("SELECT nyelv1 FROM angol"), QStringList{"alma"});

    p.f.messages.clear();
    p.f.messages.queueAnswer(Answer::Yes);
    p.trigger(w, "aLetolt");
    QCOMPARE(p.f.messages.texts().value(1), QStringLiteral("Szótár telepítése kész."));
    QCoreApplication::processEvents();
    QCOMPARE(p.windows<Tfrm_Szotar>().size(), 0);
    QCOMPARE(p.rows("SELECT nyelv1 FROM angol ORDER BY nyelv1"), QStringList({"körte", "szilva"}));
    QCOMPARE(p.rows("SELECT count(*) FROM szotarak"), QStringList{"1"}); // its row kept, none added
}

void TestGuiInternet::refreshFailuresLeaveTheListClosed() {
    serveDictionaryList();
    Program p(server_);
    auto* w = p.open<Tfrm_Internet>("FileLetolt");
    p.trigger(w, "aFrissit");
    QCOMPARE(w->grid()->model()->rowCount(), 3);

    server_.serve("/data/internet.zip", CatalogueServer::Answer::NotFound);
    p.f.messages.clear();
    p.trigger(w, "aFrissit");
    QCOMPARE(p.f.messages.texts(),
             QStringList{"Hiba letöltés közben: Kiszolgáló nem elérhető, vagy\r\nspeciális proxibeállítások szükségesek"});
    QCOMPARE(w->grid()->model()->rowCount(), 0);
    QVERIFY(!w->progressBar()->isHidden());

    server_.serveFile("/data/internet.zip", "nem zip");
    p.f.messages.clear();
    p.trigger(w, "aFrissit");
    QCOMPARE(p.f.messages.texts(), QStringList{kUnpackError});
    QVERIFY(w->progressBar()->isHidden());
    // The old list is still in the data folder: opening the window again shows it.
    QCOMPARE(p.rows("SELECT count(*) FROM internet"), QStringList{"3"});
}

void TestGuiInternet::programsWindowListsSearchesAndOpensLinks() {
    server_.clear();
    const QString longText = QString(70, QLatin1Char('x'));
    const QList<QVariantHash> rows = {programRow(1, "Anyagnyilvántartó", "raktár", "N", longText),
                                      programRow(2, "Betűvető", "szöveg", "I", "Rövid leírás"),
                                      programRow(3, "Címtár", "iroda", "", "")};
    server_.serveFile("/data/programok.zip",
                      zipArchiveBytes({{"programok.DB", makeListTableFile("programok", programListStatements(), rows)}}));
    Program p(server_);
    auto* w = p.open<Tfrm_Programok>("aHelpProgram");
    QAbstractItemModelTester tester(w->grid()->model());
    p.f.messages.clear();
    p.trigger(w, "aFrissit");
    QCOMPARE(p.f.messages.texts(), QStringList{"Lista frissítése kész."});
    QTableView* grid = w->grid();
    QCOMPARE(titles(grid), QStringList({"program neve", "leírás", "kategória", "ingyenes?"}));
    QCOMPARE(columnTexts(grid, 1), QStringList({QString(67, QLatin1Char('x')) + "...", "Rövid leírás", ""}));
    QCOMPARE(columnTexts(grid, 3), QStringList({"nem", "igen", "nem"}));
    QCOMPARE(colourOf(grid, 1, 2, Qt::BackgroundRole), QColor(217, 255, 236));
    QCOMPARE(colourOf(grid, 2, 2, Qt::BackgroundRole), w->palette().color(QPalette::Base));
    QCOMPARE(grid->columnWidth(3), 77);

    clickTitle(grid, 1); // the short description orders nothing
    QCOMPARE(static_cast<ListTableModel*>(grid->model())->highlightedColumn(), 0);
    clickTitle(grid, 3);
    QCOMPARE(static_cast<ListTableModel*>(grid->model())->highlightedColumn(), 3);
    QTest::keyClicks(w->searchBox(), "i");
    QCOMPARE(grid->model()->index(grid->currentIndex().row(), 0).data().toString(), QStringLiteral("Betűvető"));

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_7);
    QCOMPARE(w->searchBox()->text(), QStringLiteral("i"));
    grid->setFocus();
    QTest::keyClicks(grid, "Á");
    QCOMPARE(w->searchBox()->text(), QStringLiteral("á"));
    QCOMPARE(QApplication::focusWidget(), w->searchBox());
    QTest::keyClick(w->searchBox(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), grid);

    grid->selectRow(0);
    p.f.openedAddresses.clear();
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_F4);
    const QString name = grid->model()->index(0, 0).data().toString();
    QCOMPARE(p.f.openedAddresses, QStringList({"http://honlap/" + name, "http://letolt/" + name}));
}

QTEST_MAIN(TestGuiInternet)
#include "test_gui_internet.moc"
