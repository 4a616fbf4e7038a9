// The print choice window and the print commands, offscreen: the choices and their results,
// what each choice opens, the preview, printing into a PDF file when no printer is installed,
// the bilingual window's order reaching the page, and the programs list's question.

#include "common/catalogue.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "dictionaries/pair_window.h"
#include "dictionaries/picture_decoding.h"
#include "printing/logic/list_layouts.h"
#include "printing/print_choice_window.h"
#include "printing/print_commands.h"
#include "printing/report_preview_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QtTest>

using namespace verbalo;
using verbalo::test::child;
using verbalo::test::whenModal;

namespace {

struct Fixture {
    test::TestFrame frame;
    int angol = 0;
    store::Table table{frame.database()};
    TSzotarak info;

    Fixture() {
        angol = frame.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"));
        exec(QStringLiteral("INSERT INTO angol VALUES ('alma','apple'),('körte','pear');"));
        exec(QStringLiteral("create index idx_nyelv2 on angol (nyelv2);"));
        readDictionaryInfo(frame.database(), angol, info, QString());
        table.setTableName(QStringLiteral("angol"));
        table.open();
    }
    void exec(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        q.exec();
    }
};

// The next modal window's class, closed at once.
void closeNext(QString* seen) {
    whenModal<QDialog>([seen](QDialog* d) {
        *seen = QString::fromLatin1(d->metaObject()->className());
        d->reject();
    });
}

// Answers the next PDF file dialog with path.
void answerPdfFile(const QString& path) {
    whenModal<QFileDialog>([path](QFileDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("PdfFileDialog"));
        // Typed into the name box as a user does: selectFile() leaves the box alone while it has
        // the focus, and the dialog gives it the focus at some point after it is shown.
        d->setDirectory(QFileInfo(path).absolutePath());
        child<QLineEdit>(d, "fileNameEdit")->setText(QFileInfo(path).fileName());
        QCOMPARE(d->selectedFiles().value(0), path);
        // Straight to the result: the dialog's own accept looks the name up in a folder model that
        // is filled in the background, and so sometimes answers before it knows the folder.
        static_cast<QDialog*>(d)->done(QDialog::Accepted);
    });
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool noPrinterInstalled() {
    return QPrinterInfo::availablePrinterNames().isEmpty();
}

} // namespace

class GuiPrintTest : public QObject {
    Q_OBJECT
private slots:
    void choiceWindow_data();
    void choiceWindow();
    void cancelKeepsThePrinterName();
    void bilingualChoicesOpenTheirWindows_data();
    void bilingualChoicesOpenTheirWindows();
    void previewShowsTheLayoutAtEightyPercent();
    void printingWithoutPrinterWritesTheChosenPdfInTheWindowsOrder();
    void programListAsksAboutTheDescription_data();
    void programListAsksAboutTheDescription();
    void recipesPrintAtOnceWithoutChoice();
};

void GuiPrintTest::choiceWindow_data() {
    QTest::addColumn<bool>("offerHtml");
    QTest::addColumn<QString>("given");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("shownPrinter");
    QTest::newRow("preview") << false << "" << 0 << "Első";
    QTest::newRow("print on the named printer") << false << "Második" << 1 << "Második";
    QTest::newRow("delimited export") << true << "" << 2 << "Első";
    QTest::newRow("html") << true << "" << 3 << "Első";
}

void GuiPrintTest::choiceWindow() {
    QFETCH(bool, offerHtml);
    QFETCH(QString, given);
    QFETCH(int, choice);
    QFETCH(QString, shownPrinter);
    test::TestFrame frame;
    Tfrm_NyomValaszt w(frame, {QStringLiteral("Első"), QStringLiteral("Második")}, given, offerHtml);
    QCOMPARE(w.windowTitle(), QStringLiteral("Nyomtatás típusa"));
    QCOMPARE(w.findChildren<QRadioButton*>().size(), offerHtml ? 4 : 3);
    QCOMPARE(w.choice(), 0);
    auto* printers = child<QComboBox>(&w, "ComboBox1");
    QCOMPARE(printers->currentText(), shownPrinter);
    w.show();
    w.setChoice(choice);
    for (int i = 0; i < (offerHtml ? 4 : 3); ++i)
        QCOMPARE(child<QLabel>(&w, qPrintable(QStringLiteral("Image%1").arg(i + 1)))->isVisible(), i == choice);
    QCOMPARE(printers->isEnabled(), choice == Tfrm_NyomValaszt::Print);
    QCOMPARE(child<QLabel>(&w, "Label1")->isEnabled(), choice == Tfrm_NyomValaszt::Print);
    QVERIFY(child<QAbstractButton>(&w, "Button1")->property("default").toBool());
    QCOMPARE(w.choice(), choice);
    QCOMPARE(w.printerName(), shownPrinter);
}

void GuiPrintTest::cancelKeepsThePrinterName() {
    test::TestFrame frame;
    QString printer = QStringLiteral("Régi");
    bool seen = false;
    whenModal<Tfrm_NyomValaszt>([&](Tfrm_NyomValaszt* w) {
        seen = true;
        // The installed printers; none here leaves the box empty.
        if (noPrinterInstalled()) QCOMPARE(child<QComboBox>(w, "ComboBox1")->count(), 0);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    QCOMPARE(choosePrintOutput(frame, printer, true), -1);
    QVERIFY(seen);
    QCOMPARE(printer, QStringLiteral("Régi"));
}

void GuiPrintTest::bilingualChoicesOpenTheirWindows_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("opens");
    QTest::newRow("Excelbe (CSV)") << 2 << "verbalo::Tfrm_Hatarolt";
    QTest::newRow("Html export") << 3 << "verbalo::Tfrm_Grid2Html";
    QTest::newRow("Nyomtatási kép") << 0 << "verbalo::printing::ReportPreviewWindow";
}

void GuiPrintTest::bilingualChoicesOpenTheirWindows() {
    QFETCH(int, choice);
    QFETCH(QString, opens);
    Fixture fx;
    QString seen;
    whenModal<Tfrm_NyomValaszt>([&](Tfrm_NyomValaszt* w) {
        w->setChoice(choice);
        closeNext(&seen);
        w->accept();
    });
    printBilingualList(fx.frame, fx.info, fx.table, nullptr);
    QCOMPARE(seen, opens);
    QVERIFY2(fx.frame.messages.texts().isEmpty(), qPrintable(fx.frame.messages.texts().join(QLatin1Char('|'))));
}

void GuiPrintTest::previewShowsTheLayoutAtEightyPercent() {
    Fixture fx;
    int pages = 0;
    double zoom = 0;
    whenModal<printing::ReportPreviewWindow>([&](printing::ReportPreviewWindow* d) {
        // Two pairs: the slices have laid out the one page by the time the window is up.
        QTRY_COMPARE(child<QLabel>(d, "PageLabel")->text(), QStringLiteral("Oldal: 1 / 1"));
        pages = 1;
        zoom = d->zoom();
        d->reject();
    });
    printDictionaryFormat(fx.frame, fx.info, fx.table, 3, nullptr);
    QCOMPARE(pages, 1);
    QCOMPARE(zoom, 0.8);
}

void GuiPrintTest::printingWithoutPrinterWritesTheChosenPdfInTheWindowsOrder() {
    if (!noPrinterInstalled()) QSKIP("a printer is installed here; this case prints into a PDF file only without one");
    Fixture fx;
    Tfrm_Szotar window(fx.frame);
    QVERIFY(window.openDictionary(fx.angol));
    QVERIFY(window.setOrder(kSecondLanguageColumn));
    const QString path = fx.frame.folders().dataFolder + QStringLiteral("/lista.pdf");
    whenModal<Tfrm_NyomValaszt>([&](Tfrm_NyomValaszt* w) {
        w->setChoice(Tfrm_NyomValaszt::Print);
        answerPdfFile(path);
        w->accept();
    });
    window.printList();
    QVERIFY2(QFile::exists(path), qPrintable(fx.frame.messages.texts().join(QLatin1Char('|'))));
    const QString text = pdfText(path);
    // Ordered by the second language: its caption and its words on the left.
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto lineWith = [&](const QString& word) {
        for (const QString& l : lines)
            if (l.contains(word)) return l;
        return QString();
    };
    QVERIFY(lineWith(QStringLiteral("angol")).indexOf(QStringLiteral("angol")) <
            lineWith(QStringLiteral("angol")).indexOf(QStringLiteral("magyar")));
    QVERIFY(lineWith(QStringLiteral("apple")).indexOf(QStringLiteral("apple")) <
            lineWith(QStringLiteral("apple")).indexOf(QStringLiteral("alma")));
    QVERIFY(text.indexOf(QStringLiteral("apple")) < text.indexOf(QStringLiteral("pear")));
}

void GuiPrintTest::programListAsksAboutTheDescription_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("choiceShown");
    QTest::newRow("cancel") << int(Answer::Cancel) << false;
    QTest::newRow("yes") << int(Answer::Yes) << true;
    QTest::newRow("no") << int(Answer::No) << true;
}

void GuiPrintTest::programListAsksAboutTheDescription() {
    QFETCH(int, answer);
    QFETCH(bool, choiceShown);
    Fixture fx;
    fx.exec(QStringLiteral("CREATE TABLE programok (programok_nev CHAR(60), rovid CHAR(120), kategoria CHAR(30), "
                           "ingyenesstr CHAR(10), link CHAR(200), letoltlink CHAR(200), leiras BLOB(0,1))"));
    store::Table programs(fx.frame.database());
    programs.setTableName(QStringLiteral("programok"));
    programs.open();
    fx.frame.messages.queueAnswer(static_cast<Answer>(answer));
    QString opened;
    bool chosen = false;
    if (choiceShown) {
        whenModal<Tfrm_NyomValaszt>([&](Tfrm_NyomValaszt* w) {
            chosen = true;
            QCOMPARE(w->findChildren<QRadioButton*>().size(), 3);
            w->setChoice(Tfrm_NyomValaszt::DelimitedExport);
            closeNext(&opened);
            w->accept();
        });
    }
    printProgramList(fx.frame, programs, nullptr);
    QCOMPARE(fx.frame.messages.messages().size(), 1);
    QCOMPARE(fx.frame.messages.messages().first().text, printing::kDescriptionQuestion);
    QCOMPARE(fx.frame.messages.messages().first().caption, QStringLiteral("Kérdés"));
    QCOMPARE(chosen, choiceShown);
    QCOMPARE(opened, choiceShown ? QStringLiteral("verbalo::Tfrm_Hatarolt") : QString());
    QVERIFY(!QApplication::activeModalWidget());
}

void GuiPrintTest::recipesPrintAtOnceWithoutChoice() {
    if (!noPrinterInstalled()) QSKIP("a printer is installed here; this case prints into a PDF file only without one");
    Fixture fx;
    const int id = fx.frame.addDictionary(RecipeBook, QStringLiteral("Receptek"), QStringLiteral("receptek"));
    fx.exec(QStringLiteral("INSERT INTO receptek (nyelv1, nyelv2) VALUES ('Levesek', 'Gulyás');"));
    TSzotarak info;
    readDictionaryInfo(fx.frame.database(), id, info, QString());
    store::Table recipes(fx.frame.database());
    recipes.setTableName(QStringLiteral("receptek"));
    recipes.open();
    const QString path = fx.frame.folders().dataFolder + QStringLiteral("/receptek.pdf");
    answerPdfFile(path);
    printRecipes(
        fx.frame, info, recipes, true,
        [](const QByteArray& bytes, const QString& extension) { return decodeRecipePicture(bytes, extension).image; }, nullptr);
    QVERIFY2(QFile::exists(path), qPrintable(fx.frame.messages.texts().join(QLatin1Char('|'))));
    QVERIFY(pdfText(path).contains(QStringLiteral("Gulyás")));
}

QTEST_MAIN(GuiPrintTest)
#include "test_gui_print.moc"
