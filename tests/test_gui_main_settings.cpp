// The settings window, and the about and support windows of the Help menu.
#include "main/settings_window.h"
#include "main/logic/frame_rules.h"
#include "main/about_window.h"
#include "main/support_window.h"
#include "support_gui/gui_driving.h"
#include "test_gui_main_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace verbalo;
using test::MainFrameFixture;
using test::whenModal;

namespace {

QRadioButton* radio(QWidget* w, const char* name) {
    return w->findChild<QRadioButton*>(QString::fromLatin1(name));
}
QLineEdit* edit(QWidget* w, const char* name) {
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsAndTakesTheFourValues() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        const QString newData = f.data.root() + QStringLiteral("/masik adat");
        whenModal<Tfrm_Beallit>([&](Tfrm_Beallit* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Beállítások"));
            QVERIFY(radio(w, "RadioGroup1_1")->isChecked()); // FullScreen off: "Megjegyzi az előző méretét"
            QVERIFY(radio(w, "RadioGroup2_0")->isChecked()); // children maximised
            QCOMPARE(radio(w, "RadioGroup2_1")->text(), QStringLiteral("Összes ablak látszik"));
            QCOMPARE(edit(w, "Edit1")->text(), f.folders.dataFolder);
            QCOMPARE(edit(w, "Edit2")->text(), f.folders.htmlFolder);
            QCOMPARE(w->font().pointSize(), 9);
            radio(w, "RadioGroup1_0")->click();
            radio(w, "RadioGroup2_1")->click();
            edit(w, "Edit1")->setText(newData);
            edit(w, "Edit2")->setText(QStringLiteral("nincs ilyen mappa"));
            w->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        frame->action(QStringLiteral("aBeallit"))->trigger();
        QVERIFY(frame->settings().fullScreen);
        QVERIFY(!frame->settings().mdiFullScreen);
        QCOMPARE(frame->settings().dataFolder, newData);
        QCOMPARE(frame->settings().htmlFolder, QStringLiteral("nincs ilyen mappa"));
        // Nothing reconnected: the store stays on the folder it started with.
        QCOMPARE(frame->database().folder(), f.folders.dataFolder);
        QVERIFY(f.ini().readInteger(QStringLiteral("frm_Beallit"), QStringLiteral("Left"), -999) != -999);
        // The file gets the values at exit only.
        QCOMPARE(f.ini().readString(QStringLiteral("Database"), QStringLiteral("Path"), QString()), QString());
        QVERIFY(frame->close());
        QCOMPARE(f.ini().readString(QStringLiteral("Database"), QStringLiteral("Path"), QString()), newData);
        QCOMPARE(f.ini().readInteger(QStringLiteral("Screen"), QStringLiteral("FullScreen"), 0), 1);
    }

    void cancelChangesNothing() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        const MainSettings before = frame->settings();
        whenModal<Tfrm_Beallit>([](Tfrm_Beallit* w) {
            radio(w, "RadioGroup1_0")->click();
            edit(w, "Edit1")->setText(QStringLiteral("/mashol"));
            edit(w, "Edit2")->setText(QStringLiteral("/mashol/html"));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        frame->action(QStringLiteral("aBeallit"))->trigger();
        QCOMPARE(frame->settings().dataFolder, before.dataFolder);
        QCOMPARE(frame->settings().htmlFolder, before.htmlFolder);
        QCOMPARE(frame->settings().fullScreen, before.fullScreen);
    }

    void folderButtonsBrowse_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("title");
        QTest::newRow("data") << "BitBtn1"
                              << "Edit1"
                              << "Adatbázis mappa választás";
        QTest::newRow("html") << "BitBtn2"
                              << "Edit2"
                              << "Html exportok mappa választás";
    }
    void folderButtonsBrowse() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, title);
        MainFrameFixture f;
        MainSettings settings;
        settings.dataFolder = f.folders.dataFolder;
        settings.htmlFolder = f.folders.htmlFolder;
        const IniFile ini = f.ini();
        Tfrm_Beallit w(settings, ini);
        w.show();
        const QString chosen = f.data.root() + QStringLiteral("/valasztott");
        QDir().mkpath(chosen);
        QString seenTitle, seenStart;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            seenTitle = dialog->windowTitle();
            seenStart = dialog->directory().absolutePath();
            // In folder mode an empty name box accepts the folder the dialog is in.
            dialog->setDirectory(chosen);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clear();
            QMetaObject::invokeMethod(dialog, "accept");
        });
        w.findChild<QToolButton*>(button)->click();
        QCOMPARE(seenTitle, title);
        QCOMPARE(w.findChild<QLineEdit*>(field)->text(), chosen);
        QVERIFY(!seenStart.isEmpty());
    }

    void aboutAndSupportWindows() {
        MainFrameFixture f;
        auto frame = f.makeFrame();
        bool sawVersion = false;
        whenModal<Tfrm_Nevjegy>([&](Tfrm_Nevjegy* about) {
            for (QLabel* l : about->findChildren<QLabel*>()) sawVersion |= l->text() == QStringLiteral("V9.3.0.320");
            QCOMPARE(about->windowTitle(), QStringLiteral("Névjegy"));
            whenModal<Tfrm_Tamogat>([about](Tfrm_Tamogat* support) {
                QCOMPARE(support->windowTitle(), QStringLiteral("Támogatás"));
                auto* mail = support->findChild<QPushButton*>(QStringLiteral("Button2"));
                QCOMPARE(mail->text(), QStringLiteral("E-mail küldése"));
                mail->click();
                support->accept();
                QTimer::singleShot(0, about, &QDialog::accept);
            });
            about->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        });
        frame->action(QStringLiteral("HelpAbout1"))->trigger();
        QVERIFY(sawVersion);
        QCOMPARE(f.openedAddresses, QStringList{makerAddresses(frame->settings().server).mail});
        QVERIFY(f.ini().readInteger(QStringLiteral("frm_Nevjegy"), QStringLiteral("Top"), -999) != -999);
        QVERIFY(f.ini().readInteger(QStringLiteral("frm_Tamogat"), QStringLiteral("Top"), -999) != -999);

        whenModal<Tfrm_Tamogat>([](Tfrm_Tamogat* support) { support->reject(); });
        frame->action(QStringLiteral("aTamogat"))->trigger();
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "test_gui_main_settings.moc"
