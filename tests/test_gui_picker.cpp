// The catalogue picker in both programs' modes: name order, search, title clicks, greyed rows,
// new / edit / delete and the name index rebuilt when it is broken.
#include "common/catalogue.h"
#include "common/store/query.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "main/catalogue_grid_model.h"
#include "main/catalogue_picker.h"
#include "main/properties_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"
#include "widgets/editing_dialog.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <memory>

using namespace verbalo;
using test::typeText;
using test::whenModal;

namespace {

QAction* actionNamed(QWidget* window, const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

void setCatalogueValue(test::TestFrame& frame, int id, const QString& assignment) {
    store::Query q(frame.database());
    q.setSql(QStringLiteral("UPDATE szotarak SET %1 WHERE szotarak=%2;").arg(assignment).arg(id));
    q.exec();
}

QStringList namesInGrid(Tfrm_TorzsSzotar& picker) {
    QStringList names;
    for (int r = 0; r < picker.model()->rowCount(); ++r) names << picker.model()->index(r, 0).data().toString();
    return names;
}

} // namespace

class PickerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestFrame> frame_;
    int nemet_ = 0, angol_ = 0, azsiai_ = 0, hidden_ = 0;

    PickerContext context(PickerMode mode = PickerMode::MainProgram) {
        return PickerContext{frame_->database(), frame_->ini(), frame_->folders(), 10, mode, nullptr};
    }

private slots:
    void init() {
        frame_ = std::make_unique<test::TestFrame>();
        nemet_ = frame_->addDictionary(1, QStringLiteral("Német"), QStringLiteral("nemet"), QStringLiteral("magyar"),
                                       QStringLiteral("német"));
        angol_ = frame_->addDictionary(1, QStringLiteral("angol"), QStringLiteral("angol"));
        azsiai_ = frame_->addDictionary(2, QStringLiteral("Ázsiai nevek"), QStringLiteral("azsia"));
        hidden_ = frame_->addDictionary(1, QStringLiteral("Rejtett"), QStringLiteral("rejtett"));
        setCatalogueValue(*frame_, hidden_, QStringLiteral("letezik='N'"));
        setCatalogueValue(*frame_, azsiai_, QStringLiteral("megjegyzes='Keleti nevek'"));
    }
    void cleanup() { frame_.reset(); }

    void listsExistingDictionariesByName() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        QAbstractItemModelTester tester(picker.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(namesInGrid(picker),
                 (QStringList{QStringLiteral("angol"), QStringLiteral("Ázsiai nevek"), QStringLiteral("Német")}));
        QCOMPARE(picker.currentId(), angol_);
        QCOMPARE(picker.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("szótár neve"));
        QCOMPARE(picker.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("szerző"));
        QCOMPARE(picker.model()->index(2, 2).data().toString(), QStringLiteral("német"));
        QCOMPARE(picker.windowTitle(), QStringLiteral("Szótár állományok"));
        QCOMPARE(picker.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Szótárak  "));
    }

    void preselectsAndShowsNote() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(azsiai_);
        QCOMPARE(picker.currentId(), azsiai_);
        QCOMPARE(picker.findChild<QPlainTextEdit*>(QStringLiteral("DBMemo1"))->toPlainText(), QStringLiteral("Keleti nevek"));
        QCOMPARE(picker.findChild<QTableView*>(QStringLiteral("DBGrid1"))->currentIndex().row(), 1);
        // An id that is not listed leaves the first row current.
        picker.openCatalogue(hidden_);
        QCOMPARE(picker.currentId(), angol_);
    }

    void searchLocatesByPrefix_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower case finds upper") << "né"
                                                << "Német";
        QTest::newRow("upper case finds lower") << "AN"
                                                << "angol";
        QTest::newRow("accent") << "ázs"
                                << "Ázsiai nevek";
        QTest::newRow("no match keeps the row") << "xyz"
                                                << "angol";
    }
    void searchLocatesByPrefix() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        picker.show();
        typeText(picker.findChild<QLineEdit*>(QStringLiteral("Edit1")), typed);
        QCOMPARE(picker.table().text(QStringLiteral("szotarak_nev")), expected);
        QCOMPARE(picker.findChild<QTableView*>(QStringLiteral("DBGrid1"))->currentIndex().data().toString(), expected);
    }

    void pickReturnsChosenIdOrMinusOne() {
        PickerContext ctx = context();
        whenModal<Tfrm_TorzsSzotar>([](Tfrm_TorzsSzotar* picker) {
            // The dialog's shortcuts act in the active window.
            QApplication::setActiveWindow(picker);
            typeText(picker->findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("né"));
            QTest::keyClick(picker->findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::Key_Return);
        });
        QCOMPARE(pickDictionary(ctx, -1), nemet_);

        whenModal<Tfrm_TorzsSzotar>([](Tfrm_TorzsSzotar* picker) { QTest::keyClick(picker, Qt::Key_Escape); });
        QCOMPARE(pickDictionary(ctx, azsiai_), -1);

        // The window's bounds are kept in its own section.
        QVERIFY(frame_->ini().readInteger(QStringLiteral("frm_TorzsSzotar"), QStringLiteral("Width"), 0) > 0);
    }

    void downArrowInSearchGoesToGrid() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        picker.show();
        QApplication::setActiveWindow(&picker);
        auto* search = picker.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        search->setFocus();
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), picker.findChild<QTableView*>(QStringLiteral("DBGrid1")));
    }

    void titleClickOrdersOnlyByIndexedColumns() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(nemet_);
        picker.show();
        auto* grid = picker.findChild<QTableView*>(QStringLiteral("DBGrid1"));
        // No index on the author: refused with a message, the list and its row stay.
        emit grid->horizontalHeader()->sectionClicked(3);
        QCOMPARE(frame_->messages.messages().size(), 1);
        QVERIFY(frame_->messages.texts().first().startsWith(QStringLiteral("Index hiba: ")));
        QCOMPARE(picker.currentId(), nemet_);
        QCOMPARE(picker.model()->rowCount(), 3);
        QCOMPARE(picker.model()->highlightedColumn(), 0);

        // With an index on the first language the click orders by it.
        runStatement(frame_->database(), QStringLiteral("create index idx_szotarak_nyelv1 on szotarak (nyelv1);"));
        setCatalogueValue(*frame_, angol_, QStringLiteral("nyelv1='zulu'"));
        picker.openCatalogue(nemet_);
        emit grid->horizontalHeader()->sectionClicked(1);
        QCOMPARE(frame_->messages.messages().size(), 1);
        QCOMPARE(picker.model()->highlightedColumn(), 1);
        QCOMPARE(picker.model()->index(2, 0).data().toString(), QStringLiteral("angol"));
        QCOMPARE(picker.currentId(), nemet_);
        QCOMPARE(picker.model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), kSortColumnColor);
        // Searching now runs on the first language.
        QTest::keyClicks(picker.findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("zu"));
        QCOMPARE(picker.currentId(), angol_);
    }

    void rowsWithoutTableAreGreyed_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        const QColor face = QApplication::palette().color(QPalette::Button);
        QTest::newRow("main program") << int(PickerMode::MainProgram) << QColor(233, 233, 233) << QColor(128, 128, 128);
        QTest::newRow("quick finder") << int(PickerMode::QuickFinder)
                                      << QColor(std::min(255, face.red() + 15), std::min(255, face.green() + 15),
                                                std::min(255, face.blue() + 15))
                                      << QColor(192, 192, 192);
    }
    void rowsWithoutTableAreGreyed() {
        QFETCH(int, mode);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QVERIFY(QFile::remove(frame_->folders().dataFolder + QStringLiteral("/nemet.DB")));
        PickerContext ctx = context(PickerMode(mode));
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        QVERIFY(picker.model()->isMissing(2));
        QVERIFY(!picker.model()->isMissing(0));
        QCOMPARE(picker.model()->index(2, 0).data(Qt::BackgroundRole).value<QColor>(), background);
        QCOMPARE(picker.model()->index(2, 3).data(Qt::ForegroundRole).value<QColor>(), text);
        QVERIFY(!picker.model()->index(0, 1).data(Qt::ForegroundRole).isValid());
    }

    void brokenNameIndexIsRebuiltInTheMainProgramOnly() {
        runStatement(frame_->database(), QStringLiteral("drop index szotarak.idx_szotarak_nev;"));
        {
            PickerContext ctx = context(PickerMode::QuickFinder);
            Tfrm_TorzsSzotar picker(ctx);
            QVERIFY_THROWS_EXCEPTION(store::StoreError, picker.openCatalogue(-1));
        }
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        QCOMPARE(namesInGrid(picker).first(), QStringLiteral("angol"));
        QVERIFY(frame_->messages.messages().isEmpty());
    }

    void quickFinderModeOnlyChooses() {
        PickerContext ctx = context(PickerMode::QuickFinder);
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        picker.show();
        QVERIFY(!actionNamed(&picker, "aUj"));
        QVERIFY(!actionNamed(&picker, "aSzerkeszt"));
        QVERIFY(!actionNamed(&picker, "aTorol"));
        QCOMPARE(picker.findChild<QToolBar*>()->actions().size(), 2);
        QCOMPARE(picker.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Szótárak"));
        QCOMPARE(picker.font().pointSize(), 9);
        QCOMPARE(picker.model()->highlightedColumn(), -1);
    }

    void mainModeCommands() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        picker.show();
        const struct {
            const char* name;
            const char* caption;
            const char* hint;
            QKeySequence key;
        } expected[] = {{"aUj", "Új szótár", "Új szótár", QKeySequence(Qt::Key_Insert)},
                        {"aSzerkeszt", "Szerkeszt", "Szerkeszt", QKeySequence(Qt::Key_F2)},
                        {"aTorol", "Töröl", "Töröl", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
                        {"aElfogad", "Megnyit", "Elfogad", QKeySequence(Qt::Key_Return)},
                        {"aBezar", "Bezár", "Bezár", QKeySequence(Qt::Key_Escape)}};
        for (const auto& e : expected) {
            QAction* a = actionNamed(&picker, e.name);
            QVERIFY2(a, e.name);
            QCOMPARE(a->text(), QString::fromUtf8(e.caption));
            QCOMPARE(a->toolTip(), QString::fromUtf8(e.hint));
            QCOMPARE(a->shortcut(), e.key);
        }
        QCOMPARE(picker.font().pointSize(), 10);
        QCOMPARE(picker.model()->highlightedColumn(), 0);
    }

    void columnsShareTheGridWidth() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        picker.show();
        picker.resize(700, 400);
        QCoreApplication::processEvents();
        auto* grid = picker.findChild<QTableView*>(QStringLiteral("DBGrid1"));
        const int width = grid->width() - 40;
        // The shares, but no title clipped: the name column gives up what the others need.
        const QFontMetrics fm = grid->horizontalHeader()->fontMetrics();
        int total = 0;
        for (int c = 0; c < 4; ++c) {
            const int needed = fm.horizontalAdvance(picker.model()->headerData(c, Qt::Horizontal).toString()) + 16;
            if (c > 0) QCOMPARE(grid->columnWidth(c), std::max(int(width * (c == 3 ? 0.25 : 0.15)), needed));
            total += grid->columnWidth(c);
        }
        QVERIFY2(std::abs(total - int(width * 0.45) - int(width * 0.15) * 2 - int(width * 0.25)) <= 1,
                 qPrintable(QString::number(total)));
    }

    void deleteAsksTwice_data() {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("rowGone");
        QTest::addColumn<bool>("fileGone");
        QTest::addColumn<int>("questions");
        QTest::newRow("no") << QList<Answer>{Answer::No} << false << false << 1;
        QTest::newRow("row only") << QList<Answer>{Answer::Yes, Answer::No} << true << false << 2;
        QTest::newRow("row and file") << QList<Answer>{Answer::Yes, Answer::Yes} << true << true << 2;
    }
    void deleteAsksTwice() {
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, rowGone);
        QFETCH(bool, fileGone);
        QFETCH(int, questions);
        for (Answer a : answers) frame_->messages.queueAnswer(a);
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(nemet_);
        actionNamed(&picker, "aTorol")->trigger();
        QCOMPARE(frame_->messages.messages().size(), questions);
        QCOMPARE(frame_->messages.texts().first(), QStringLiteral("Valóban töröljem a szótárat?"));
        QCOMPARE(frame_->messages.messages().first().caption, QStringLiteral("Megerősítés"));
        if (questions == 2) QCOMPARE(frame_->messages.texts().at(1), QStringLiteral("Töröljem a szótár állományt is? (nemet)"));
        QCOMPARE(dictionaryTypeOf(frame_->database(), nemet_) == 0, rowGone);
        QCOMPARE(!frame_->database().tableExists(QStringLiteral("nemet")), fileGone);
        QCOMPARE(picker.model()->rowCount(), rowGone ? 2 : 3);
    }

    void deletingNeverDropsTheCatalogue() {
        // A row naming the catalogue as its table must not take the catalogue with it.
        setCatalogueValue(*frame_, nemet_, QStringLiteral("tablanev='SZOTARAK'"));
        frame_->messages.setDefaultAnswer(Answer::Yes);
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(nemet_);
        actionNamed(&picker, "aTorol")->trigger();
        QVERIFY(frame_->database().tableExists(QStringLiteral("szotarak")));
        QCOMPARE(dictionaryTypeOf(frame_->database(), angol_), 1);
        QCOMPARE(dictionaryTypeOf(frame_->database(), nemet_), 0);
    }

    void newAndEditGoThroughThePropertiesWindow() {
        PickerContext ctx = context();
        Tfrm_TorzsSzotar picker(ctx);
        picker.openCatalogue(-1);
        whenModal<Tfrm_Tulajdonsag>([](Tfrm_Tulajdonsag* w) {
            QVERIFY(w->isNew());
            w->findChild<QLineEdit*>(QStringLiteral("DBEdit1"))->setText(QStringLiteral("Francia"));
            w->findChild<QLineEdit*>(QStringLiteral("DBEdit5"))->setText(QStringLiteral("francia"));
            w->accept();
        });
        actionNamed(&picker, "aUj")->trigger();
        QVERIFY(frame_->database().tableExists(QStringLiteral("francia")));
        // The list is read again with the existence flags brought up to date: the new
        // dictionary is there, current, and so is "Rejtett", whose table was there all along.
        QCOMPARE(picker.model()->rowCount(), 5);
        QVERIFY(namesInGrid(picker).contains(QStringLiteral("Francia")));
        TSzotarak made;
        QVERIFY(readDictionaryInfo(frame_->database(), picker.currentId(), made, frame_->folders().programFolder));
        QCOMPARE(made.szotarak_nev, QStringLiteral("Francia"));

        picker.openCatalogue(azsiai_);
        whenModal<Tfrm_Tulajdonsag>([](Tfrm_Tulajdonsag* w) {
            QVERIFY(!w->isNew());
            QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("DBEdit1"))->text(), QStringLiteral("Ázsiai nevek"));
            w->findChild<QLineEdit*>(QStringLiteral("DBEdit1"))->setText(QStringLiteral("Ázsiai nevek II"));
            w->accept();
        });
        actionNamed(&picker, "aSzerkeszt")->trigger();
        TSzotarak info;
        QVERIFY(readDictionaryInfo(frame_->database(), azsiai_, info, frame_->folders().programFolder));
        QCOMPARE(info.szotarak_nev, QStringLiteral("Ázsiai nevek II"));
        QCOMPARE(picker.currentId(), azsiai_);
    }
};

QTEST_MAIN(PickerTest)
#include "test_gui_picker.moc"
