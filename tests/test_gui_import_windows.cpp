// The two plain-text import windows offscreen: their controls, loading the file for viewing,
// importing into a real table, what the progress bar does, refusing to close meanwhile, and
// the bad files (missing, deleted after loading, unreadable, binary, one huge line).
#include "common/store/query.h"
#include "common/store/table.h"
#include "exchange/list_import_window.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/pair_file_editor.h"
#include "exchange/pair_import_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"
#include "widgets/editing_dialog.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

using namespace verbalo;
using test::child;

namespace {

// A frame with a bilingual dictionary "Angol" and a headword list "Lexikon", each with its
// table open as the dictionary window would have it.
struct Fixture {
    test::TestFrame frame;
    store::Table pairs{frame.database()};
    store::Table list{frame.database()};

    Fixture() {
        frame.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"));
        frame.addDictionary(2, QStringLiteral("Lexikon"), QStringLiteral("lexikon"));
        exec(QStringLiteral("INSERT INTO angol VALUES ('alma', 'apple');"));
        exec(QStringLiteral("INSERT INTO lexikon VALUES ('alma', 'fruit');"));
        for (store::Table* t : {&pairs, &list}) {
            t->setTableName(t == &pairs ? QStringLiteral("angol") : QStringLiteral("lexikon"));
            t->setIndexFieldNames(QStringLiteral("nyelv1"));
            t->open();
        }
    }

    void exec(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        q.exec();
    }

    QStringList rows(const QString& table, const QString& second) {
        store::Query q(frame.database());
        q.setSql(QStringLiteral("SELECT nyelv1, %1 FROM %2 ORDER BY nyelv1, %1;").arg(second, table));
        QStringList out;
        for (store::ResultSet rs = q.open(); !rs.eof(); rs.next())
            out << rs.value(0).toString() + QLatin1Char('|') +
                       rs.value(1).toString().replace(QLatin1String("\r\n"), QLatin1String("/"));
        return out;
    }

    QString file(const QString& name) const { return frame.folders().dataFolder + QLatin1Char('/') + name; }
};

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Names a file in Edit1 and leaves the box, as a user typing the name would.
void nameFile(ImportWindow& window, const QString& path) {
    auto* edit = child<QLineEdit>(&window, "Edit1");
    edit->setFocus();
    QCOMPARE(edit->palette().color(QPalette::Base), kFocusColor);
    edit->setText(path);
    child<QPushButton>(&window, "Button2")->setFocus();
    QVERIFY(edit->palette().color(QPalette::Base) != kFocusColor);
}

// The first lines of the messages: "Állomány betöltése kész." without the counts below it.
QStringList firstLines(const QStringList& texts) {
    QStringList out;
    for (const QString& t : texts) out << t.section(QStringLiteral("\r\n"), 0, 0);
    return out;
}

void show(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class ImportWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void pairWindowControls();
    void pairFileIsLoadedIntoTheEditor();
    void pairImport_data();
    void pairImport();
    void editedTextIsWhatGetsImported();
    void importingTwiceChangesNothing();
    void missingOrDeletedFileIsNotImported();
    void unreadableFileIsSaid();
    void binaryFileStoresWhatItCan();
    void hugeLineIsCutInTheEditor();
    void windowStaysOpenWhileImporting();
    void pairWindowKeepsItsBounds();
    void listWindowControls();
    void listImport_data();
    void listImport();
    void listFileIsReadAgainWhenImporting();
    void largeListFileIsPreviewedInPart();
    void hugeListLineIsStoredWhole();
    void listWindowKeepsItsPlace();
};

void ImportWindowsTest::pairWindowControls() {
    Fixture f;
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    QCOMPARE(w.objectName(), QStringLiteral("frm_SzotarBetolt"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Szöveggyűjtemény betöltés"));
    auto* group = child<QGroupBox>(&w, "RadioGroup1");
    QCOMPARE(group->title(), QStringLiteral("Határoló karakter"));
    QStringList items;
    for (int i = 0; i < 4; ++i) items << child<QRadioButton>(&w, qPrintable(QStringLiteral("RadioGroup1_%1").arg(i)))->text();
    QCOMPARE(items, (QStringList{"Pontosvessző (;)", "Vessző (,)", "Tabulátor (#9)", "Cső (|)"}));
    QCOMPARE(w.separatorChoice(), 0);
    // Two columns, filled downwards.
    QVERIFY(child<QRadioButton>(&w, "RadioGroup1_1")->y() > child<QRadioButton>(&w, "RadioGroup1_0")->y());
    QVERIFY(child<QRadioButton>(&w, "RadioGroup1_2")->x() > child<QRadioButton>(&w, "RadioGroup1_0")->x());
    QCOMPARE(child<QPushButton>(&w, "Button1")->text(), QStringLiteral("Betölt"));
    QCOMPARE(child<QPushButton>(&w, "Button2")->text(), QStringLiteral("Bezár"));
    QVERIFY(w.findChild<QWidget*>(QStringLiteral("BitBtn1")));
    auto* editor = child<PairFileEditor>(&w, "SynEdit1");
    // Scintilla keeps colours as blue, green, red bytes.
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEBACK), long(255 | 255 << 8 | 215 << 16));
    QVERIFY(editor->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEVISIBLE));
    QCOMPARE(editor->marginLineNumbers(0), true);
    QCOMPARE(child<QProgressBar>(&w, "ProgressBar1")->value(), 0);
    w.resize(400, 500);
    QCOMPARE(w.width(), Tfrm_SzotarBetolt::kMinimumWidth);
    // Esc closes the window.
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void ImportWindowsTest::pairFileIsLoadedIntoTheEditor() {
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("p.txt")), "alma;apple\r\nk\xf6rte;pear\r\n"));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("p.txt")));
    QCOMPARE(w.editor()->text(), QStringLiteral("alma;apple\r\nkörte;pear\r\n"));
    // The line break at the end gives an empty last line.
    QCOMPARE(w.editor()->lineCount(), 3);
    QCOMPARE(w.editor()->lineText(1), QStringLiteral("körte;pear"));
    QCOMPARE(w.editor()->lineText(2), QString());
    // Naming a file that does not exist leaves the editor as it was.
    nameFile(w, f.file(QStringLiteral("nincs.txt")));
    QCOMPARE(w.editor()->lineCount(), 3);
}

void ImportWindowsTest::pairImport_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("separator");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("semicolon, Windows-1250, final line break") << QByteArray("k\xf6rte;pear;x\r\n sz\xedlva ; plum \r\n") << 0
                                                               << QStringList{" szílva | plum ", "alma|apple", "körte|pear"};
    QTest::newRow("UTF-8 keeps its accents")
        << QByteArray("árvíztűrő;flood-proof\nőz;deer") << 0 << QStringList{"alma|apple", "árvíztűrő|flood-proof", "őz|deer"};
    QTest::newRow("tab only at tabs") << QByteArray("a;b\nc\td") << 2 << QStringList{"a;b|", "alma|apple", "c|d"};
    QTest::newRow("comma") << QByteArray("a,b,c") << 1 << QStringList{"a|b", "alma|apple"};
    QTest::newRow("vertical bar, lone CR line ends") << QByteArray("a|b\rc|d") << 3 << QStringList{"a|b", "alma|apple", "c|d"};
}

void ImportWindowsTest::pairImport() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, separator);
    QFETCH(QStringList, rows);
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("p.txt")), bytes));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("p.txt")));
    w.setSeparatorChoice(separator);
    QTest::mouseClick(child<QPushButton>(&w, "Button1"), Qt::LeftButton);
    QCOMPARE(firstLines(f.frame.messages.texts()), QStringList{"Állomány betöltése kész."});
    QCOMPARE(f.rows(QStringLiteral("angol"), QStringLiteral("nyelv2")), rows);
    // The rows are in the window's table at once, and the bar is back at the start.
    QCOMPARE(f.pairs.recordCount(), rows.size());
    QCOMPARE(child<QProgressBar>(&w, "ProgressBar1")->value(), 0);
    QCOMPARE(child<QProgressBar>(&w, "ProgressBar1")->maximum(), w.editor()->lineCount());
    QVERIFY(!w.editor()->isReadOnly());
    QVERIFY(child<QPushButton>(&w, "Button1")->isEnabled());
}

void ImportWindowsTest::editedTextIsWhatGetsImported() {
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("p.txt")), "k\xf6rte;pear\r\n"));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("p.txt")));
    w.editor()->setText(QStringLiteral("szilva;plum\ndió;walnut"));
    w.runImport();
    QCOMPARE(f.rows(QStringLiteral("angol"), QStringLiteral("nyelv2")), (QStringList{"alma|apple", "dió|walnut", "szilva|plum"}));
}

void ImportWindowsTest::importingTwiceChangesNothing() {
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("p.txt")), "alma;apple\r\nk\xf6rte;pear"));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("p.txt")));
    w.runImport();
    const QStringList once = f.rows(QStringLiteral("angol"), QStringLiteral("rowid"));
    w.runImport();
    QCOMPARE(f.rows(QStringLiteral("angol"), QStringLiteral("rowid")), once);
    // Each import ends with what it stored and refused: "alma" was there before the first.
    QCOMPARE(f.frame.messages.texts(),
             (QStringList{"Állomány betöltése kész.\r\n1 sor tárolva, 1 sor visszautasítva (már létező vagy üres).",
                          "Állomány betöltése kész.\r\n0 sor tárolva, 2 sor visszautasítva (már létező vagy üres)."}));
}

void ImportWindowsTest::missingOrDeletedFileIsNotImported() {
    Fixture f;
    Tfrm_SzotarBetolt pairs(f.frame, f.pairs);
    pairs.runImport();
    QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Nem létező állomány"));

    // Loaded, then deleted before "Betölt": the editor still holds it, but nothing is imported.
    QVERIFY(writeBytes(f.file(QStringLiteral("p.txt")), "k\xf6rte;pear\r\n"));
    show(pairs);
    nameFile(pairs, f.file(QStringLiteral("p.txt")));
    QVERIFY(QFile::remove(f.file(QStringLiteral("p.txt"))));
    pairs.runImport();
    QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Nem létező állomány"));
    QCOMPARE(f.rows(QStringLiteral("angol"), QStringLiteral("nyelv2")), QStringList{"alma|apple"});

    Tfrm_ListaBetolt list(f.frame, f.list);
    QVERIFY(writeBytes(f.file(QStringLiteral("l.txt")), "##k\xf6rte\r\n"));
    show(list);
    nameFile(list, f.file(QStringLiteral("l.txt")));
    QVERIFY(QFile::remove(f.file(QStringLiteral("l.txt"))));
    list.runImport();
    QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Nem létező állomány"));
    // A folder is no file to import.
    list.setFileName(f.frame.folders().dataFolder);
    list.runImport();
    QCOMPARE(f.frame.messages.texts().last(), QStringLiteral("Nem létező állomány"));
    QCOMPARE(f.rows(QStringLiteral("lexikon"), QStringLiteral("megjegyzes")), QStringList{"alma|fruit"});
}

void ImportWindowsTest::unreadableFileIsSaid() {
    Fixture f;
    QString path = f.file(QStringLiteral("locked.txt"));
    QVERIFY(writeBytes(path, "k\xf6rte;pear\r\n"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    if (QFile(path).open(QIODevice::ReadOnly)) {
        // A user who may read any file still cannot read this one: it opens, but reading its
        // start fails.
        path = QStringLiteral("/proc/self/mem");
        if (!QFileInfo(path).isFile()) QSKIP("no file here that this user cannot read");
    }
    Tfrm_SzotarBetolt pairs(f.frame, f.pairs);
    show(pairs);
    nameFile(pairs, path);
    QVERIFY(f.frame.messages.texts().last().startsWith(QStringLiteral("Az állomány nem olvasható:\r\n")));
    Tfrm_ListaBetolt list(f.frame, f.list);
    list.setFileName(path);
    list.runImport();
    QVERIFY(f.frame.messages.texts().last().startsWith(QStringLiteral("Az állomány nem olvasható:\r\n")));
    QCOMPARE(f.rows(QStringLiteral("lexikon"), QStringLiteral("megjegyzes")), QStringList{"alma|fruit"});
}

void ImportWindowsTest::binaryFileStoresWhatItCan() {
    Fixture f;
    QByteArray bytes("k\xf6rte;pear\r\n\x01\x02;\x7f\xff\xfe\r\n");
    bytes += '\0';
    bytes += "after;nul\r\n";
    for (int i = 0; i < 4096; ++i) bytes += char((i * 7919) % 256);
    QVERIFY(writeBytes(f.file(QStringLiteral("bin.dat")), bytes));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("bin.dat")));
    // The NUL ends the text.
    QCOMPARE(w.editor()->lineCount(), 3);
    w.runImport();
    QCOMPARE(f.frame.messages.texts().last().section(QStringLiteral("\r\n"), 0, 0), QStringLiteral("Állomány betöltése kész."));
    const QStringList rows = f.rows(QStringLiteral("angol"), QStringLiteral("nyelv2"));
    QCOMPARE(rows.size(), 3);
    QVERIFY(rows.contains(QStringLiteral("körte|pear")));
    QVERIFY(rows.contains(QStringLiteral("alma|apple")));

    QVERIFY(writeBytes(f.file(QStringLiteral("bin.dat")), "##bin\r\n" + bytes));
    Tfrm_ListaBetolt list(f.frame, f.list);
    list.setFileName(f.file(QStringLiteral("bin.dat")));
    list.runImport();
    QCOMPARE(f.frame.messages.texts().last().section(QStringLiteral("\r\n"), 0, 0), QStringLiteral("Állomány betöltése kész."));
    QCOMPARE(f.rows(QStringLiteral("lexikon"), QStringLiteral("length(megjegyzes)")), (QStringList{"alma|5", "bin|20"}));
}

void ImportWindowsTest::hugeLineIsCutInTheEditor() {
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("huge.txt")), "h;" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nk\xf6rte;pear\r\n"));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("huge.txt")));
    QCOMPARE(f.frame.messages.texts().last(),
             QStringLiteral(
                 "Az állomány 1 sora hosszabb 65536 karakternél; a szerkesztő ezeket levágva mutatja, és így is tölti be."));
    QCOMPARE(w.editor()->lineText(0).size(), kLongestShownLine);
    QCOMPARE(w.editor()->lineText(1), QStringLiteral("körte;pear"));
    w.runImport();
    QCOMPARE(f.rows(QStringLiteral("angol"), QStringLiteral("nyelv2")),
             (QStringList{"alma|apple", "h|" + QString(50, QLatin1Char('x')), "körte|pear"}));
}

void ImportWindowsTest::windowStaysOpenWhileImporting() {
    Fixture f;
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i) bytes += "w" + QByteArray::number(i) + ";t\r\n";
    QVERIFY(writeBytes(f.file(QStringLiteral("p.txt")), bytes));
    Tfrm_SzotarBetolt w(f.frame, f.pairs);
    show(w);
    nameFile(w, f.file(QStringLiteral("p.txt")));
    bool tried = false;
    bool stayed = false;
    bool controlsOff = false;
    // The first repaint of the import lets this run.
    QTimer::singleShot(0, &w, [&] {
        tried = w.importing();
        controlsOff = !child<QPushButton>(&w, "Button1")->isEnabled() && !child<QPushButton>(&w, "Button2")->isEnabled();
        w.close();
        w.reject();
        QTest::keyClick(&w, Qt::Key_Escape);
        stayed = w.isVisible();
        w.runImport(); // a second click on "Betölt" is no second import
    });
    w.runImport();
    QVERIFY(tried);
    QVERIFY(stayed);
    QVERIFY(controlsOff);
    QCOMPARE(firstLines(f.frame.messages.texts()), QStringList{"Állomány betöltése kész."});
    QCOMPARE(f.pairs.recordCount(), 20001);
    QVERIFY(w.isVisible());
    w.reject();
    QVERIFY(!w.isVisible());
}

void ImportWindowsTest::pairWindowKeepsItsBounds() {
    Fixture f;
    {
        Tfrm_SzotarBetolt w(f.frame, f.pairs);
        show(w);
        w.setGeometry(30, 40, 700, 450);
        w.reject();
    }
    QCOMPARE(f.frame.ini().readInteger(QStringLiteral("frm_SzotarBetolt"), QStringLiteral("Width"), 0), 700);
    QCOMPARE(f.frame.ini().readInteger(QStringLiteral("frm_SzotarBetolt"), QStringLiteral("Height"), 0), 450);
    Tfrm_SzotarBetolt again(f.frame, f.pairs);
    show(again);
    QCOMPARE(again.size(), QSize(700, 450));
    QCOMPARE(again.font().pointSize(), f.frame.settings().fontSize);
}

void ImportWindowsTest::listWindowControls() {
    Fixture f;
    Tfrm_ListaBetolt w(f.frame, f.list);
    show(w);
    QCOMPARE(w.objectName(), QStringLiteral("frm_ListaBetolt"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Szöveggyűjtemény betöltés"));
    auto* memo = child<QPlainTextEdit>(&w, "Memo1");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')),
             (QStringList{"##első címszó", "Szöveg... első sor", "Szöveg... második sor", "Szöveg... harmadik sor",
                          "##második címszó", "..."}));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(child<QPushButton>(&w, "Button1")->text(), QStringLiteral("Betölt"));
    QCOMPARE(child<QPushButton>(&w, "Button2")->text(), QStringLiteral("Bezár"));
}

void ImportWindowsTest::listImport_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("blocks, carried lines, duplicate")
        << QByteArray("el\xf5sz\xf3\r\n##k\xf6rte\r\npear\r\n##\r\nx\r\n##b\r\n##alma\r\ndup\r\n")
        << QStringList{"alma|fruit", "b|x/", "körte|előszó/pear/"};
    QTest::newRow("UTF-8 keeps its accents")
        << QByteArray("##árvíztűrő\ntükörfúrógép\n") << QStringList{"alma|fruit", "árvíztűrő|tükörfúrógép/"};
    QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF##őz\r\n") << QStringList{"alma|fruit", "őz|"};
    QTest::newRow("no final line break, no empty line") << QByteArray("##a\r\nx") << QStringList{"a|x/", "alma|fruit"};
}

void ImportWindowsTest::listImport() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("l.txt")), bytes));
    Tfrm_ListaBetolt w(f.frame, f.list);
    show(w);
    nameFile(w, f.file(QStringLiteral("l.txt")));
    QTest::mouseClick(child<QPushButton>(&w, "Button1"), Qt::LeftButton);
    QCOMPARE(firstLines(f.frame.messages.texts()), QStringList{"Állomány betöltése kész."});
    QCOMPARE(f.rows(QStringLiteral("lexikon"), QStringLiteral("megjegyzes")), rows);
    QCOMPARE(f.list.recordCount(), rows.size());
    QCOMPARE(child<QProgressBar>(&w, "ProgressBar1")->value(), 0);
}

void ImportWindowsTest::listFileIsReadAgainWhenImporting() {
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("l.txt")), "##old\r\n"));
    Tfrm_ListaBetolt w(f.frame, f.list);
    show(w);
    nameFile(w, f.file(QStringLiteral("l.txt")));
    QCOMPARE(child<QPlainTextEdit>(&w, "Memo1")->toPlainText(), QStringLiteral("##old\n"));
    QVERIFY(writeBytes(f.file(QStringLiteral("l.txt")), "##new\r\n"));
    w.runImport();
    QCOMPARE(f.rows(QStringLiteral("lexikon"), QStringLiteral("megjegyzes")), (QStringList{"alma|fruit", "new|"}));
}

void ImportWindowsTest::largeListFileIsPreviewedInPart() {
    Fixture f;
    QByteArray bytes;
    for (int i = 0; bytes.size() < 3 * Tfrm_ListaBetolt::kPreviewChars; ++i)
        bytes += "##szo" + QByteArray::number(i) + "\r\nSzoveg a szohoz, egy kicsit hosszabb sor.\r\n";
    QVERIFY(writeBytes(f.file(QStringLiteral("l.txt")), bytes));
    Tfrm_ListaBetolt w(f.frame, f.list);
    show(w);
    nameFile(w, f.file(QStringLiteral("l.txt")));
    const QString shown = child<QPlainTextEdit>(&w, "Memo1")->toPlainText();
    QVERIFY(shown.size() <= Tfrm_ListaBetolt::kPreviewChars + 4);
    QVERIFY(shown.endsWith(QLatin1String("\n...")));
    QVERIFY(shown.startsWith(QLatin1String("##szo0\nSzoveg")));
    w.runImport();
    QCOMPARE(f.list.recordCount(), bytes.count("##") + 1);
}

void ImportWindowsTest::hugeListLineIsStoredWhole() {
    Fixture f;
    QVERIFY(writeBytes(f.file(QStringLiteral("l.txt")),
                       "##" + QByteArray(100, 'h') + "\r\n" + QByteArray(10 * 1024 * 1024, 'x') + "\r\n"));
    Tfrm_ListaBetolt w(f.frame, f.list);
    show(w);
    nameFile(w, f.file(QStringLiteral("l.txt")));
    w.runImport();
    QCOMPARE(f.rows(QStringLiteral("lexikon"), QStringLiteral("length(megjegyzes)")),
             (QStringList{"alma|5", QString(75, QLatin1Char('h')) + "|" + QString::number(10 * 1024 * 1024 + 2)}));
}

void ImportWindowsTest::listWindowKeepsItsPlace() {
    Fixture f;
    {
        Tfrm_ListaBetolt w(f.frame, f.list);
        show(w);
        w.move(33, 44);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }
    QCOMPARE(f.frame.ini().readInteger(QStringLiteral("frm_ListaBetolt"), QStringLiteral("Left"), 0), 33);
    QCOMPARE(f.frame.ini().readInteger(QStringLiteral("frm_ListaBetolt"), QStringLiteral("Top"), 0), 44);
    QCOMPARE(f.frame.ini().readInteger(QStringLiteral("frm_ListaBetolt"), QStringLiteral("Width"), -1), -1);
}

QTEST_MAIN(ImportWindowsTest)
#include "test_gui_import_windows.moc"
