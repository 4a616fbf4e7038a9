// The frame's program-wide commands on the real gallery and recipe windows: print and export
// are on, so that the user reaches the frame's word that these kinds have none; import opens
// the kind's own import window, by the menu and by Ctrl+I in the search box.
#include "dictionaries/gallery_window.h"
#include "dictionaries/recipe_window.h"
#include "exchange/gallery_import_window.h"
#include "exchange/recipe_import_window.h"
#include "main/frame_window.h"
#include "support_gui/gui_driving.h"
#include "test_gui_main_fixture.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

using namespace verbalo;
using test::MainFrameFixture;

namespace {

struct Program {
    MainFrameFixture f;
    int gallery = 0;
    int recipes = 0;
    std::unique_ptr<Tfrm_Main> frame;

    Program() {
        registerDictionaryWindow(ImageGallery, [](FrameServices& s, QWidget* p) { return new Tfrm_Szotar3(s, p); });
        registerDictionaryWindow(RecipeBook, [](FrameServices& s, QWidget* p) { return new Tfrm_Szotar5(s, p); });
        gallery = f.addDictionary(ImageGallery, QStringLiteral("Képek"), QStringLiteral("kepek"));
        recipes = f.addDictionary(RecipeBook, QStringLiteral("Receptek"), QStringLiteral("receptek"));
        frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        if (!QTest::qWaitForWindowActive(frame.get())) qWarning("the window did not become active");
    }
    ~Program() {
        if (frame) frame->close();
        for (int type : {int(ImageGallery), int(RecipeBook)})
            registerDictionaryWindow(type, [](FrameServices& s, QWidget* p) { return new test::StubDictionaryWindow(s, p); });
    }

    DictionaryWindow* open(int id) {
        frame->openDictionaryWindow(id);
        QApplication::setActiveWindow(frame.get());
        QCoreApplication::processEvents();
        return frame->activeDictionaryWindow();
    }
};

} // namespace

class PictureBookCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void printAndExportAreRefused_data();
    void printAndExportAreRefused();
    void recipesPrintAtOnce();
    void importOpensTheKindsWindow();
};

void PictureBookCommandsTest::printAndExportAreRefused_data() {
    QTest::addColumn<bool>("gallery");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("gallery print") << true << "FileNyomtat"
                                   << "Ez a szótár típus nem nyomtatható.";
    QTest::newRow("gallery export") << true << "aExport"
                                    << "Ez a szótár típus nem exportálható.";
    QTest::newRow("recipe export") << false << "aExport"
                                   << "Ez a szótár típus nem exportálható.";
}

void PictureBookCommandsTest::recipesPrintAtOnce() {
    // No choice window: with no printer installed the recipes go into a PDF file the user
    // names, and cancelling that question prints nothing and says nothing.
    Program p;
    QVERIFY(p.open(p.recipes));
    QAction* print = p.frame->action(QStringLiteral("FileNyomtat"));
    QVERIFY(print->isEnabled());
    bool asked = false;
    test::whenModal<QFileDialog>([&](QFileDialog* d) {
        asked = true;
        d->reject();
    });
    print->trigger();
    QVERIFY(asked);
    QCOMPARE(p.f.messages.texts(), QStringList());
}

void PictureBookCommandsTest::printAndExportAreRefused() {
    QFETCH(bool, gallery);
    QFETCH(QString, command);
    QFETCH(QString, message);
    Program p;
    QVERIFY(p.open(gallery ? p.gallery : p.recipes));
    QAction* action = p.frame->action(command);
    QVERIFY(action->isEnabled());
    // The dictionary format is on too: it answers a picture book with its own message.
    QVERIFY(p.frame->action(QStringLiteral("aNyomSzotar2"))->isEnabled());
    action->trigger();
    QCOMPARE(p.f.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
}

void PictureBookCommandsTest::importOpensTheKindsWindow() {
    Program p;
    auto* galleryWindow = p.open(p.gallery);
    QVERIFY(qobject_cast<Tfrm_Szotar3*>(galleryWindow));
    bool seen = false;
    test::whenModal<Tfrm_KeptarBetolt>([&](Tfrm_KeptarBetolt* w) {
        seen = true;
        w->reject();
    });
    p.frame->action(QStringLiteral("aImport"))->trigger();
    QVERIFY(seen);

    auto* recipeWindow = p.open(p.recipes);
    QVERIFY(qobject_cast<Tfrm_Szotar5*>(recipeWindow));
    auto* search = test::child<QLineEdit>(recipeWindow, "Edit1");
    search->setFocus();
    QCoreApplication::processEvents();
    seen = false;
    test::whenModal<Tfrm_ReceptBetolt>([&](Tfrm_ReceptBetolt* w) {
        seen = true;
        w->reject();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier);
    QVERIFY(seen);
    QVERIFY(p.f.messages.texts().isEmpty());
}

QTEST_MAIN(PictureBookCommandsTest)
#include "test_gui_picture_book_commands.moc"
