// The image gallery window offscreen, over a real gallery table holding generated pictures:
// the picture shown and kept, the search box and type-ahead, the caption dialog's folding,
// adding, replacing, deleting and saving pictures, and the panel width kept in the catalogue.
#include "common/store/query.h"
#include "common/store/table.h"
#include "dictionaries/caption_dialog.h"
#include "dictionaries/gallery_window.h"
#include "dictionaries/picture_panel.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace verbalo;
using test::child;
using test::typeText;

namespace {

QByteArray pictureBytes(int width, int height, const char* format, QColor colour = QColor(40, 120, 200)) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A frame with a gallery "Képek": ALMA with a 1600 × 1200 JPEG, BANAN without a picture,
// CSERESZNYE with a PNG (which a gallery does not show), DINNYE with a 40 × 30 JPEG.
struct Fixture {
    test::TestFrame frame;
    QTemporaryDir files;
    int id = 0;
    QByteArray alma = pictureBytes(1600, 1200, "JPG");

    Fixture() {
        id = frame.addDictionary(3, QStringLiteral("Képek"), QStringLiteral("kepek"));
        exec(QStringLiteral("UPDATE szotarak SET nyelv1szeles=0.3 WHERE szotarak=%1;").arg(id));
        store::Table t(frame.database());
        t.setTableName(QStringLiteral("kepek"));
        t.open();
        const QList<QPair<QString, QByteArray>> entries{{"ALMA", alma},
                                                        {"BANAN", QByteArray()},
                                                        {"CSERESZNYE", pictureBytes(50, 50, "PNG")},
                                                        {"DINNYE", pictureBytes(40, 30, "JPG")}};
        for (const auto& [caption, bytes] : entries) {
            t.insert();
            t.setValue(QStringLiteral("nyelv1"), caption);
            if (!bytes.isEmpty()) t.setBlob(QStringLiteral("kep"), bytes);
            t.post();
        }
    }

    void exec(const QString& sql) {
        store::Query q(frame.database());
        q.setSql(sql);
        q.exec();
    }

    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = files.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    std::unique_ptr<Tfrm_Szotar3> open() {
        auto w = std::make_unique<Tfrm_Szotar3>(frame);
        w->resize(636, 454);
        if (!w->openDictionary(id)) return nullptr;
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
        return w;
    }

    QStringList rows() {
        store::Query q(frame.database());
        q.setSql(QStringLiteral("SELECT nyelv1, length(kep) FROM kepek ORDER BY nyelv1;"));
        QStringList out;
        for (store::ResultSet rs = q.open(); !rs.eof(); rs.next())
            out << rs.value(0).toString() + QLatin1Char('|') + rs.value(1).toString();
        return out;
    }
};

QString current(Tfrm_Szotar3* w) {
    return w->table()->text(QStringLiteral("nyelv1"));
}
QSize shownSize(Tfrm_Szotar3* w) {
    return w->picturePanel()->image().size();
}

} // namespace

class TestGuiGalleryWindow : public QObject {
    Q_OBJECT

private slots:
    void picturesShownAndKept();
    void searchAndTypeAhead();
    void captionFolding_data();
    void captionFolding();
    void addReplaceAndRefuse();
    void cancelledDialogsChangeNothing();
    void deleteAsksFirst();
    void savePicture();
    void panelWidthKept();
};

void TestGuiGalleryWindow::picturesShownAndKept() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    QCOMPARE(current(w.get()), QStringLiteral("ALMA"));
    QCOMPARE(shownSize(w.get()), QSize(1600, 1200));
    auto* image = child<QLabel>(w.get(), "Image1");
    auto* panel = child<QWidget>(w.get(), "Panel2");
    // Scaled by the smaller ratio into the panel less its margins.
    QVERIFY(image->hasScaledContents());
    QVERIFY(image->width() <= panel->width() - 8 && image->height() <= panel->height() - 8);
    QVERIFY(qAbs(image->width() * 3 - image->height() * 4) <= 4);

    // No picture, and a picture that is no JPEG: the last one stays on screen.
    w->table()->next();
    QCOMPARE(current(w.get()), QStringLiteral("BANAN"));
    QCOMPARE(shownSize(w.get()), QSize(1600, 1200));
    w->table()->next();
    QCOMPARE(shownSize(w.get()), QSize(1600, 1200));
    w->table()->next();
    QCOMPARE(shownSize(w.get()), QSize(40, 30));
    QVERIFY(!image->hasScaledContents());
    QCOMPARE(fx.frame.statuses.last().orderLanguage, QStringLiteral("címszó"));
    QCOMPARE(fx.frame.statuses.last().position, QStringLiteral("4/4"));
    QVERIFY(fx.frame.messages.texts().isEmpty());
}

void TestGuiGalleryWindow::searchAndTypeAhead() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    auto* edit = child<QLineEdit>(w.get(), "Edit1");
    auto* grid = child<QTableView>(w.get(), "DBGrid1");
    edit->setFocus();
    typeText(edit, QStringLiteral("cs"));
    QCOMPARE(current(w.get()), QStringLiteral("CSERESZNYE"));
    QTest::keyClick(edit, Qt::Key_Down);
    QVERIFY(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_B);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("b"));
    QCOMPARE(current(w.get()), QStringLiteral("BANAN"));
    QCOMPARE(grid->currentIndex().row(), 1);
    // The shortcut reaches the window with the focus in the search box.
    fx.frame.messages.setDefaultAnswer(Answer::No);
    QTest::keyClick(edit, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(fx.frame.messages.texts(), QStringList{"Valóban töröljem a sort?"});
}

void TestGuiGalleryWindow::captionFolding_data() {
    QTest::addColumn<bool>("keepCase");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("folded") << false << QStringLiteral("tükör") << QStringLiteral("TUKOR");
    QTest::newRow("folded, long accents and quotes") << false << QStringLiteral("Őszi \"táj\"") << QStringLiteral("OSZI  TAJ ");
    QTest::newRow("case kept") << true << QStringLiteral("tükör") << QStringLiteral("tükör");
}

void TestGuiGalleryWindow::captionFolding() {
    QFETCH(bool, keepCase);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Tfrm_InpStr dialog(QStringLiteral("Címszó"), QStringLiteral("Add meg a címszót"), QString(), keepCase, QChar());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* entry = child<QLineEdit>(&dialog, "Edit1");
    entry->setFocus();
    typeText(entry, typed);
    QCOMPARE(entry->text(), shown);
    QCOMPARE(entry->cursorPosition(), shown.size());
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.text(), shown);
}

void TestGuiGalleryWindow::addReplaceAndRefuse() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    const QString korte = fx.file(QStringLiteral("korte.jpg"), pictureBytes(20, 10, "JPG"));
    QVERIFY(w->storeEntry(QStringLiteral("KORTE"), korte, false));
    QCOMPARE(current(w.get()), QStringLiteral("KORTE"));
    QCOMPARE(shownSize(w.get()), QSize(20, 10));

    // A caption that exists: the message, and the pending row goes.
    QVERIFY(!w->storeEntry(QStringLiteral("ALMA"), korte, false));
    QCOMPARE(fx.frame.messages.texts(), QStringList{"Hibás adatmegadás, vagy már létező tétel"});
    QCOMPARE(w->table()->state(), store::Table::State::Browse);

    // Replacing changes caption and picture of the current entry.
    w->table()->first();
    QVERIFY(w->storeEntry(QStringLiteral("ALMAK"), korte, true));
    const QString size = QString::number(QFile(korte).size());
    QCOMPARE(fx.rows(),
             (QStringList{"ALMAK|" + size, "BANAN|", "CSERESZNYE|" + QString::number(pictureBytes(50, 50, "PNG").size()),
                          "DINNYE|" + QString::number(pictureBytes(40, 30, "JPG").size()), "KORTE|" + size}));

    // A picture file that cannot be read is said so, and nothing changes.
    fx.frame.messages.clear();
    QVERIFY(!w->storeEntry(QStringLiteral("X"), fx.files.filePath(QStringLiteral("nincs.jpg")), false));
    QVERIFY2(fx.frame.messages.texts().join("#").startsWith(QStringLiteral("A kép nem olvasható")),
             qPrintable(fx.frame.messages.texts().join("#")));
    QCOMPARE(fx.rows().size(), 5);
}

void TestGuiGalleryWindow::cancelledDialogsChangeNothing() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    const QStringList before = fx.rows();
    for (QAction* command : {w->actions().aUj, w->actions().aSzerkeszt}) {
        bool cancelled = false;
        test::whenModal<Tfrm_InpStr>([&cancelled, command](Tfrm_InpStr* d) {
            // Replacing starts from the current caption.
            if (command->objectName() == QLatin1String("aSzerkeszt")) QCOMPARE(d->text(), QStringLiteral("ALMA"));
            cancelled = true;
            d->reject();
        });
        command->trigger();
        QVERIFY(cancelled);
    }
    QCOMPARE(fx.rows(), before);
}

void TestGuiGalleryWindow::deleteAsksFirst() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    fx.frame.messages.queueAnswer(Answer::No);
    w->actions().aTorol->trigger();
    QCOMPARE(fx.rows().size(), 4);
    fx.frame.messages.queueAnswer(Answer::Yes);
    w->actions().aTorol->trigger();
    QCOMPARE(fx.rows().constFirst().section(QLatin1Char('|'), 0, 0), QStringLiteral("BANAN"));
    QCOMPARE(fx.frame.messages.texts(), (QStringList{"Valóban töröljem a sort?", "Valóban töröljem a sort?"}));
}

void TestGuiGalleryWindow::savePicture() {
    Fixture fx;
    auto w = fx.open();
    QVERIFY(w);
    QCOMPARE(w->proposedPictureName(), QStringLiteral("ALMA.jpg"));
    const QString path = fx.files.filePath(QStringLiteral("ALMA.jpg"));
    QVERIFY(w->savePictureTo(path));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), fx.alma);

    // No picture: nothing written.
    w->table()->next();
    const QString empty = fx.files.filePath(QStringLiteral("BANAN.jpg"));
    QVERIFY(w->savePictureTo(empty));
    QVERIFY(!QFile::exists(empty));

    // A folder that is not there: the message, no file.
    w->table()->first();
    QVERIFY(!w->savePictureTo(fx.files.filePath(QStringLiteral("nincs/ALMA.jpg"))));
    QVERIFY2(fx.frame.messages.texts().join("#").startsWith(QStringLiteral("Hiba az állomány mentésekor:")),
             qPrintable(fx.frame.messages.texts().join("#")));
}

void TestGuiGalleryWindow::panelWidthKept() {
    Fixture fx;
    {
        auto w = fx.open();
        QVERIFY(w);
        auto* panel1 = child<QWidget>(w.get(), "Panel1");
        QVERIFY(qAbs(panel1->width() - qRound(636 * 0.3)) <= 2);
        auto* grid = child<QTableView>(w.get(), "DBGrid1");
        QCOMPARE(grid->columnWidth(0), grid->width() - 33);
        w->close();
    }
    const double share = fx.frame.catalogueCells(fx.id, QStringLiteral("nyelv1szeles")).toDouble();
    QVERIFY2(qAbs(share - 0.3) < 0.01, qPrintable(QString::number(share)));
}

QTEST_MAIN(TestGuiGalleryWindow)
#include "test_gui_gallery_window.moc"
