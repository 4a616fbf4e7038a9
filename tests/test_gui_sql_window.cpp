// The free SQL window on a real data folder: which text runs as a query and which as
// statements, what the user is told, the export command's state, files and the export.
#include "common/store/query.h"
#include "exchange/delimited_export_window.h"
#include "freesql/logic/query_result_model.h"
#include "freesql/sql_editor.h"
#include <Qsci/qscilexer.h>
#include "freesql/sql_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace verbalo;
using test::child;

namespace {

const QString kDone = QStringLiteral("SQL futtatás kész.");
const QString kErrorPrefix = QStringLiteral("SQL hiba:\r\n");

struct Fixture {
    Fixture() {
        exec(QStringLiteral("CREATE TABLE szavak (szo CHAR(20), szam INT)"));
        exec(QStringLiteral("INSERT INTO szavak VALUES ('alma', 1)"));
        exec(QStringLiteral("INSERT INTO szavak VALUES ('körte', 2)"));
        window.show();
    }
    void exec(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        q.exec();
    }
    QStringList words() {
        store::Query q(frame.database());
        q.setSql(QStringLiteral("SELECT szo FROM szavak ORDER BY rowid"));
        QStringList out;
        for (store::ResultSet rs = q.open(); !rs.eof(); rs.next()) out << rs.value(0).toString();
        return out;
    }
    void run(const QString& text) {
        window.editor()->setText(text);
        frame.messages.clear();
        window.run();
    }
    bool resultShown() { return child<QTabWidget>(&window, "PageControl1")->currentIndex() == 1; }
    bool exportOn() { return window.command(QStringLiteral("aExport"))->isEnabled(); }

    test::TestFrame frame;
    Tfrm_SQL window{frame};
};

} // namespace

class GuiSqlWindowTest : public QObject {
    Q_OBJECT

private slots:
    void runsAQueryOrStatements_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("resultRows"); // -1: no result
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("words");
        const QStringList before{"alma", "körte"};
        QTest::newRow("lower-case query") << "select * from szavak" << 2 << "" << before;
        QTest::newRow("query after blanks and empty lines")
            << "  \r\n\r\n  SELECT szo FROM szavak WHERE szam = 2" << 1 << "" << before;
        QTest::newRow("comment before a select runs as statements")
            << "-- minden szó\r\nSELECT * FROM szavak;" << -1 << kDone << before;
        QTest::newRow("query plus statements fails whole")
            << "SELECT * FROM szavak; DELETE FROM szavak;" << -1 << "error" << before;
        QTest::newRow("failed query") << "SELECT * FROM nincsilyen" << -1 << "error" << before;
        QTest::newRow("no final semicolon runs nothing") << "DELETE FROM szavak" << -1 << kDone << before;
        QTest::newRow("only the statement with its semicolon") << "INSERT INTO szavak VALUES ('szilva', 3);\r\nDELETE FROM szavak"
                                                               << -1 << kDone << QStringList{"alma", "körte", "szilva"};
        QTest::newRow("a failure stops the list, earlier ones stay")
            << "INSERT INTO szavak VALUES ('szilva', 3);\r\nINSERT INTO nincs VALUES (1);\r\nDELETE FROM szavak;" << -1 << "error"
            << QStringList{"alma", "körte", "szilva"};
        QTest::newRow("a semicolon inside quotes cuts too") << "INSERT INTO szavak VALUES ('a;b', 4);" << -1 << "error" << before;
    }
    void runsAQueryOrStatements() {
        QFETCH(QString, text);
        QFETCH(int, resultRows);
        QFETCH(QString, message);
        QFETCH(QStringList, words);
        Fixture f;
        f.run(text);
        const QStringList messages = f.frame.messages.texts();
        if (message == QLatin1String("error")) {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().startsWith(kErrorPrefix) && messages.first().size() > kErrorPrefix.size(),
                     qPrintable(messages.first()));
        } else {
            QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
        }
        QCOMPARE(f.window.resultModel()->isOpen(), resultRows >= 0);
        QCOMPARE(f.exportOn(), resultRows >= 0);
        QCOMPARE(f.resultShown(), resultRows >= 0);
        if (resultRows >= 0) QCOMPARE(f.window.resultModel()->rowCount(), resultRows);
        QCOMPARE(f.words(), words);
    }

    void resultGridAndProgressBar() {
        Fixture f;
        f.run(QStringLiteral("SELECT szo, szam, szo || '!' AS kiemelt FROM szavak"));
        auto* grid = child<QTableView>(&f.window, "DBGrid1");
        for (int c = 0; c < 3; ++c) QCOMPARE(grid->columnWidth(c), 64);
        QVERIFY(!grid->horizontalHeader()->sectionsClickable());
        // Statements close the result and turn the export off; the bar is hidden after a
        // list that ran to its end and stays where it stopped after a failure.
        auto* bar = child<QProgressBar>(&f.window, "ProgressBar1");
        f.run(QStringLiteral("UPDATE szavak SET szam = 5;"));
        QVERIFY(!f.exportOn());
        QVERIFY(!f.window.resultModel()->isOpen());
        QVERIFY(bar->isHidden());
        f.run(QStringLiteral("UPDATE szavak SET szam = 6;\r\nUPDATE nincs SET x = 1;\r\nUPDATE szavak SET szam = 7;"));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->maximum(), 3);
        QCOMPARE(bar->value(), 1);
    }

    void onlyTheSelectionRuns() {
        Fixture f;
        f.window.editor()->setText(QStringLiteral("DELETE FROM szavak;\r\nINSERT INTO szavak VALUES ('szilva', 3);"));
        f.window.editor()->setSelection(1, 0, 1, 41);
        f.window.run();
        QCOMPARE(f.frame.messages.texts(), QStringList{kDone});
        QCOMPARE(f.words(), (QStringList{"alma", "körte", "szilva"}));
    }

    void noSecondRunNorCloseWhileStatementsRun() {
        Fixture f;
        f.window.editor()->setText(QStringLiteral("INSERT INTO szavak VALUES ('szilva', 3);"));
        bool checked = false;
        // The window handles its events before the first statement: commands come in there.
        QTimer::singleShot(0, [&] {
            QVERIFY(f.window.running());
            QVERIFY(!f.window.command(QStringLiteral("aFuttat"))->isEnabled());
            QVERIFY(!f.window.command(QStringLiteral("aBezar"))->isEnabled());
            f.window.run();
            QVERIFY(!f.window.close());
            checked = true;
        });
        f.window.command(QStringLiteral("aFuttat"))->trigger();
        QVERIFY(checked);
        QVERIFY(f.window.isVisible());
        QVERIFY(f.window.command(QStringLiteral("aFuttat"))->isEnabled());
        QCOMPARE(f.words(), (QStringList{"alma", "körte", "szilva"}));
        QCOMPARE(f.frame.messages.texts(), QStringList{kDone});
        QVERIFY(f.window.close());
    }

    void aTransactionLeftOpenIsRolledBackOnClose() {
        Fixture f;
        f.run(QStringLiteral("BEGIN;\r\nINSERT INTO szavak VALUES ('szilva', 3);"));
        QCOMPARE(f.frame.messages.texts(), QStringList{kDone});
        f.frame.messages.clear();
        QVERIFY(f.window.close());
        QCOMPARE(f.frame.messages.texts().size(), 1);
        QVERIFY(f.frame.messages.texts().first().contains(QLatin1String("COMMIT")));
        QCOMPARE(f.words(), (QStringList{"alma", "körte"}));
        // A committed one is simply kept.
        Tfrm_SQL second(f.frame);
        second.show();
        second.editor()->setText(QStringLiteral("BEGIN;\r\nINSERT INTO szavak VALUES ('szilva', 3);\r\nCOMMIT;"));
        second.run();
        f.frame.messages.clear();
        QVERIFY(second.close());
        QVERIFY(f.frame.messages.texts().isEmpty());
        QCOMPARE(f.words(), (QStringList{"alma", "körte", "szilva"}));
    }

    void runsByItsShortcutFromTheEditor() {
        Fixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        // The window opens with the focus in the editing area.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.window.editor()));
        f.window.editor()->setText(QStringLiteral("select szo from szavak"));
        QTest::keyClick(f.window.editor()->viewport(), Qt::Key_F5);
        QVERIFY(f.window.resultModel()->isOpen());
        // Ctrl+N in the editor empties it through the window's command.
        QTest::keyClick(f.window.editor()->viewport(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(f.window.editor()->text().isEmpty());
    }

    void editorLooks() {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("SQL lekérdezés"));
        // Scintilla keeps colours as 0xBBGGRR.
        QCOMPARE(f.window.editor()->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEBACK), long(225 | 240 << 8 | 255 << 16));
        QVERIFY(f.window.editor()->marginLineNumbers(0));
        QCOMPARE(f.window.editor()->lexer()->font(0).pointSize(), f.frame.settings().fontSize + 2);
        QCOMPARE(f.window.font().pointSize(), f.frame.settings().fontSize);
    }

    void filesKeepTheTextAndTheName() {
        Fixture f;
        const QString path = f.frame.folders().settingsFolder + QStringLiteral("/proba.sql");
        f.window.editor()->setText(QStringLiteral("SELECT 'ő' AS betu;\r\n-- vége\r\n"));
        QVERIFY(f.window.saveFile(path));
        QCOMPARE(f.window.fileName(), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("SELECT '\xF5' AS betu;\r\n-- v\xE9ge\r\n"));
        file.close();
        f.window.newText();
        QVERIFY(f.window.editor()->text().isEmpty());
        QCOMPARE(f.window.fileName(), path);
        QVERIFY(f.window.openFile(path));
        QCOMPARE(f.window.editor()->text(), QStringLiteral("SELECT 'ő' AS betu;\r\n-- vége"));

        // A file that cannot be read or written: the message, the text and the name as they were.
        f.frame.messages.clear();
        QVERIFY(!f.window.openFile(path + QStringLiteral(".nincs")));
        QVERIFY(!f.window.saveFile(f.frame.folders().settingsFolder + QStringLiteral("/nincs/mappa/x.sql")));
        QCOMPARE(f.frame.messages.texts().size(), 2);
        QCOMPARE(f.window.fileName(), path);
        QCOMPARE(f.window.editor()->text(), QStringLiteral("SELECT 'ő' AS betu;\r\n-- vége"));
    }

    void exportWritesTheOpenResult() {
        Fixture f;
        f.run(QStringLiteral("SELECT szo, szam * 10 AS tiz FROM szavak ORDER BY szo"));
        const QString target = f.frame.folders().settingsFolder + QStringLiteral("/eredmeny.csv");
        bool driven = false;
        test::whenModal<Tfrm_Hatarolt>([&](Tfrm_Hatarolt* w) {
            auto* edit = child<QLineEdit>(w, "Edit1");
            edit->setText(target);
            w->runExport();
            driven = true;
            if (w->isVisible()) w->reject();
        });
        f.window.command(QStringLiteral("aExport"))->trigger();
        QVERIFY(driven);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("szo;tiz;\r\nalma;10;\r\nk\xF6rte;20;\r\n"));
        // The scratch copy is gone and never reached the data folder.
        QCOMPARE(f.frame.database().tableNames().filter(QStringLiteral("eredmeny")), QStringList());
        QVERIFY(QDir(f.frame.folders().tempFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }
};

QTEST_MAIN(GuiSqlWindowTest)
#include "test_gui_sql_window.moc"
