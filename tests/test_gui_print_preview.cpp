// The preview window and printing into a PDF file chosen in the print dialog, offscreen: page 1
// is shown before the rest of a long report is laid out, the navigation works while the layout
// goes on, the keys, the 80 % zoom; a PDF file the printer writes reaches its name complete or
// not at all.

#include "common/catalogue.h"
#include "common/store/query.h"
#include "common/store/table.h"
#include "printing/logic/dictionary_layouts.h"
#include "printing/logic/paged_report.h"
#include "printing/print_commands.h"
#include "printing/printer_file_output.h"
#include "printing/report_preview_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

using namespace verbalo;
using namespace verbalo::printing;
using verbalo::test::child;
using verbalo::test::whenModal;

namespace {

// Headwords with two translations each: a few dozen pages in 3 columns.
struct LongDictionary {
    test::TestFrame frame;
    int id = 0;
    store::Table table{frame.database()};
    TSzotarak info;

    explicit LongDictionary(int pairs) {
        id = frame.addDictionary(Bilingual, QStringLiteral("Hosszú"), QStringLiteral("hosszu"));
        store::Query q(frame.database());
        q.setSql(QStringLiteral("INSERT INTO hosszu (nyelv1, nyelv2) WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT "
                                "i + 1 FROM c WHERE i < %1) SELECT printf('szó%05d', i / 2), printf('word%06d', i) FROM c")
                     .arg(pairs - 1));
        q.exec();
        readDictionaryInfo(frame.database(), id, info, QString());
        table.setTableName(QStringLiteral("hosszu"));
        table.open();
        table.setIndexFieldNames(kFirstLanguageColumn);
    }
};

// The preview over a report, with the table read as the print commands read it.
struct OpenPreview {
    LongDictionary& data;
    QImage measuringDevice{1, 1, QImage::Format_RGB32};
    ReportLayout layout;
    TableRows rows{data.table};
    ReportPainter measuring{measuringDevice};
    PagedReport report;
    int printRequests = 0;
    ReportPreviewWindow window;

    explicit OpenPreview(LongDictionary& d)
        : data(d), layout(dictionaryFormatLayout(d.info, 3, {})),
          report(layout, rows, measuring.measure(), QDateTime::currentDateTime()),
          window(
              d.frame, layout.title, report,
              [this](const std::function<void()>& work) {
                  store::ReadSpan span(data.table);
                  work();
                  return true;
              },
              {},
              [this] {
                  ++printRequests;
                  return false;
              }) {}

    QAction* action(const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }
    QString pageLabel() { return child<QLabel>(&window, "PageLabel")->text(); }
};

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class GuiPrintPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void firstPageShowsBeforeTheLayoutEnds();
    void keysMoveThroughThePages();
    void zoom();
    void previewCommandOpensAtEightyPercentAndPrintsThroughTheDialog();
    void pdfFromThePrinterIsCompleteOrNothing_data();
    void pdfFromThePrinterIsCompleteOrNothing();
};

void GuiPrintPreviewTest::firstPageShowsBeforeTheLayoutEnds() {
    LongDictionary data(6000);
    OpenPreview preview(data);
    // No event has been handled yet: only page 1 is laid out, and it is painted.
    QCOMPARE(preview.window.currentPage(), 1);
    QCOMPARE(preview.report.pagesKnown(), 1);
    QVERIFY(!preview.report.complete());
    QVERIFY(!preview.window.pageImage().isNull());
    QCOMPARE(preview.pageLabel(), QStringLiteral("Oldal: 1 / …"));
    QVERIFY(!preview.action("aElozoOldal")->isEnabled());
    QVERIFY(preview.action("aKovetkezoOldal")->isEnabled());

    preview.action("aKovetkezoOldal")->trigger();
    QCOMPARE(preview.window.currentPage(), 2);
    QCOMPARE(preview.report.pagesKnown(), 2);
    preview.action("aElsoOldal")->trigger();
    QCOMPARE(preview.window.currentPage(), 1);

    // The last page before it is known: the window goes there once the slices reach it.
    preview.action("aUtolsoOldal")->trigger();
    QVERIFY(!preview.report.complete());
    QVERIFY(child<QLabel>(&preview.window, "LayoutLabel")->text().startsWith(QStringLiteral("Tördelés")));
    QTRY_VERIFY_WITH_TIMEOUT(preview.report.complete(), 60000);
    const int count = preview.report.pageCount();
    QVERIFY(count > 10);
    QCOMPARE(preview.window.currentPage(), count);
    QCOMPARE(preview.pageLabel(), QStringLiteral("Oldal: %1 / %1").arg(count));
    QVERIFY(!preview.action("aKovetkezoOldal")->isEnabled());
    QVERIFY(child<QLabel>(&preview.window, "LayoutLabel")->text().isEmpty());
}

void GuiPrintPreviewTest::keysMoveThroughThePages() {
    LongDictionary data(1500);
    OpenPreview preview(data);
    preview.window.show();
    preview.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&preview.window));
    QTRY_VERIFY_WITH_TIMEOUT(preview.report.complete(), 60000);
    const int count = preview.report.pageCount();
    QVERIFY(count >= 3);
    struct Step {
        QKeyCombination key;
        int page;
    };
    const Step steps[] = {{Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 3}, {Qt::Key_PageUp, 2},
                          {Qt::Key_End, count},  {Qt::Key_PageDown, count}, {Qt::Key_Home, 1},
                          {Qt::Key_PageUp, 1}};
    for (const Step& s : steps) {
        QTest::keyClick(&preview.window, s.key.key(), s.key.keyboardModifiers());
        QCOMPARE(preview.window.currentPage(), s.page);
    }
    QTest::keyClick(&preview.window, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(preview.printRequests, 1);
    QVERIFY(preview.window.isVisible()); // nothing was printed, so it stays
    // Enter closes the preview through its default button, Esc as well.
    QVERIFY(child<QAbstractButton>(&preview.window, "CloseButton")->property("default").toBool());
    QTest::keyClick(&preview.window, Qt::Key_Escape);
    QVERIFY(!preview.window.isVisible());
}

void GuiPrintPreviewTest::zoom() {
    LongDictionary data(10);
    OpenPreview preview(data);
    QCOMPARE(preview.window.zoom(), 0.8);
    QCOMPARE(child<QLabel>(&preview.window, "ZoomLabel")->text(), QStringLiteral("80 %"));
    const int width = preview.window.pageImage().width();
    // A4 at 80 % of the screen's resolution.
    QVERIFY(std::abs(width - 210 / 25.4 * preview.window.logicalDpiX() * 0.8 * preview.window.devicePixelRatioF()) < 3);
    preview.action("aNagyitas")->trigger();
    QCOMPARE(child<QLabel>(&preview.window, "ZoomLabel")->text(), QStringLiteral("100 %"));
    QVERIFY(preview.window.pageImage().width() > width);
    preview.action("aKicsinyites")->trigger();
    preview.action("aKicsinyites")->trigger();
    QVERIFY(preview.window.pageImage().width() < width);
}

void GuiPrintPreviewTest::previewCommandOpensAtEightyPercentAndPrintsThroughTheDialog() {
    LongDictionary data(400);
    const QString path = data.frame.folders().dataFolder + QStringLiteral("/szotar.pdf");
    QVERIFY(writeFile(path, "the old file"));
    bool seen = false;
    bool printed = false;
    whenModal<ReportPreviewWindow>([&](ReportPreviewWindow* w) {
        seen = true;
        QCOMPARE(w->objectName(), QStringLiteral("PrintPreview"));
        QCOMPARE(w->zoom(), 0.8);
        QCOMPARE(w->currentPage(), 1);
        QVERIFY(!w->pageImage().isNull());
        // The print dialog set to print into a PDF file.
        whenModal<QPrintDialog>([&](QPrintDialog* d) {
            d->printer()->setOutputFormat(QPrinter::PdfFormat);
            d->printer()->setOutputFileName(path);
            d->done(QDialog::Accepted);
        });
        child<QAbstractButton>(w, "PrintButton")->click();
        printed = !w->isVisible();
        if (w->isVisible()) w->reject();
    });
    printDictionaryFormat(data.frame, data.info, data.table, 3, nullptr);
    QVERIFY(seen);
    QVERIFY2(printed, qPrintable(data.frame.messages.texts().join(QLatin1Char('|'))));
    QVERIFY(contentOf(path).startsWith("%PDF-"));
    const QString text = pdfText(path);
    QVERIFY(text.contains(QStringLiteral("szó00000")));
    QVERIFY(text.contains(QStringLiteral("word000399")));
    // Nothing left behind in the temporary folder.
    QCOMPARE(QDir(data.frame.folders().tempFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void GuiPrintPreviewTest::pdfFromThePrinterIsCompleteOrNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("errorShown");
    QTest::newRow("painted to the end") << "complete" << true << false;
    QTest::newRow("painting failed halfway") << "fails" << false << false;
    QTest::newRow("nothing painted") << "nothing" << false << true;
    QTest::newRow("folder of the file missing") << "no folder" << false << true;
}

void GuiPrintPreviewTest::pdfFromThePrinterIsCompleteOrNothing() {
    QFETCH(QString, how);
    QFETCH(bool, printed);
    QFETCH(bool, errorShown);
    QTemporaryDir dir;
    const QString temp = dir.filePath(QStringLiteral("Temp"));
    const QString path = dir.filePath(how == QLatin1String("no folder") ? QStringLiteral("nincs/uj.pdf") : QStringLiteral("uj.pdf"));
    if (how != QLatin1String("no folder")) QVERIFY(writeFile(path, "the old file"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QString paintedInto;
    const PrinterOutcome outcome = paintOnPrinter(printer, temp, [&](QPrinter& p) {
        paintedInto = p.outputFileName();
        if (how == QLatin1String("nothing")) return true;
        QPainter painter;
        if (!painter.begin(&p)) return false;
        painter.drawText(QPointF(500, 500), QStringLiteral("új tartalom"));
        p.newPage();
        painter.drawText(QPointF(500, 500), QStringLiteral("második oldal"));
        painter.end();
        return how != QLatin1String("fails");
    });
    QCOMPARE(outcome.printed, printed);
    QCOMPARE(!outcome.error.isEmpty(), errorShown);
    QVERIFY(paintedInto != path);
    QCOMPARE(printer.outputFileName(), path);
    if (printed) {
        QVERIFY(contentOf(path).startsWith("%PDF-"));
        QVERIFY(pdfText(path).contains(QStringLiteral("második oldal")));
    } else if (how == QLatin1String("no folder")) {
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(outcome.error.contains(QStringLiteral("uj.pdf")));
    } else {
        QCOMPARE(contentOf(path), QByteArray("the old file"));
    }
    QCOMPARE(QDir(temp).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_MAIN(GuiPrintPreviewTest)
#include "test_gui_print_preview.moc"
