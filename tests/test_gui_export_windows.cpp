// The export windows offscreen: the delimited export reached from the bilingual window's
// export command and driven by its keys and buttons (text, spreadsheet, stop, errors, opening
// afterwards), and the HTML export's OK and E-Mail with and without a mail tool.
#include "common/store/table.h"
#include "dictionaries/pair_window.h"
#include "exchange/delimited_export_window.h"
#include "exchange/html_export_window.h"
#include "support_gui/gui_driving.h"
#include "support_gui/test_frame.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace verbalo;
using test::child;

namespace {

struct Fixture {
    test::TestFrame frame;
    int id = 0;
    QTemporaryDir out;

    Fixture() {
        id = frame.addDictionary(1, QStringLiteral("Angol"), QStringLiteral("angol"));
        store::Table t(frame.database());
        t.setTableName(QStringLiteral("angol"));
        t.open();
        for (const auto& [a, b] : {std::pair{"alma", "apple"}, std::pair{"körte", "pear"}}) {
            t.insert();
            t.setValue(QStringLiteral("nyelv1"), QString::fromUtf8(a));
            t.setValue(QStringLiteral("nyelv2"), QString::fromUtf8(b));
            t.post();
        }
    }
    QString path(const QString& name) const { return out.path() + QLatin1Char('/') + name; }
    QStringList messageTexts() const {
        QStringList texts;
        for (const Message& m : frame.messages.messages()) texts << m.text;
        return texts;
    }
};

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs the bilingual window's export command and drives the window it opens.
void exportFromBilingualWindow(Fixture& f, std::function<void(Tfrm_Hatarolt*)> drive) {
    Tfrm_Szotar window(f.frame);
    QVERIFY(window.openDictionary(f.id));
    bool driven = false;
    test::whenModal<Tfrm_Hatarolt>([&](Tfrm_Hatarolt* w) {
        drive(w);
        driven = true;
        if (w->isVisible()) w->reject();
    });
    window.exportData();
    QVERIFY(driven);
}

} // namespace

class GuiExportWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void delimitedDefaultsAndEnter();
    void spreadsheetBranchAndOpenAfter();
    void stopWritesWhatItHas();
    void writeFailureIsReported();
    void htmlOkOpensThePage();
    void htmlMailHandsThePageOver();
    void htmlMailWithoutMailToolSaysNothing();
};

void GuiExportWindowsTest::delimitedDefaultsAndEnter() {
    Fixture f;
    const QString target = f.path(QStringLiteral("out.csv"));
    exportFromBilingualWindow(f, [&](Tfrm_Hatarolt* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("Határolt szöveg export"));
        QVERIFY(w->fileName().endsWith(QStringLiteral("/File001.csv")));
        auto* list = child<QListWidget>(w, "CheckListBox1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
        QVERIFY(!child<QPushButton>(w, "Button3")->isEnabled());
        QVERIFY(child<QGroupBox>(w, "RadioGroup2")->findChildren<QRadioButton*>().at(0)->isChecked());
        QVERIFY(child<QGroupBox>(w, "RadioGroup1")->findChildren<QRadioButton*>().at(2)->isChecked());
        child<QPushButton>(w, "Button5")->click();
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
        child<QPushButton>(w, "Button4")->click();
        auto* edit = child<QLineEdit>(w, "Edit1");
        edit->setText(target);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(readBytes(target), QByteArray("nyelv1;nyelv2;\r\nalma;apple;\r\nk\xF6rte;pear;\r\n"));
    QCOMPARE(f.messageTexts(), QStringList{target + QStringLiteral(" file kész.")});
}

void GuiExportWindowsTest::spreadsheetBranchAndOpenAfter() {
    Fixture f;
    const QString target = f.path(QStringLiteral("LISTA.Xls"));
    exportFromBilingualWindow(f, [&](Tfrm_Hatarolt* w) {
        w->setFileName(target);
        child<QCheckBox>(w, "CheckBox4")->setChecked(true);
        child<QPushButton>(w, "Button1")->click();
        QVERIFY(!w->isVisible()); // opening afterwards closes the window
    });
    QVERIFY(readBytes(target).startsWith(QByteArray("\x09\x00\x04\x00\x02\x00\x10\x00", 8)));
    QCOMPARE(f.frame.openedAddresses, QStringList{target});
    QVERIFY(f.messageTexts().isEmpty());
}

void GuiExportWindowsTest::stopWritesWhatItHas() {
    Fixture f;
    const QString target = f.path(QStringLiteral("out.csv"));
    exportFromBilingualWindow(f, [&](Tfrm_Hatarolt* w) {
        w->setFileName(target);
        auto* stop = child<QPushButton>(w, "Button3");
        // Pressed while the export lets the window handle its events before the first row.
        QTimer::singleShot(0, stop, [stop] {
            QVERIFY(stop->isEnabled());
            stop->click();
        });
        child<QPushButton>(w, "Button1")->click();
        QVERIFY(!stop->isEnabled());
    });
    QCOMPARE(readBytes(target), QByteArray("nyelv1;nyelv2;\r\n"));
    QCOMPARE(f.messageTexts(), QStringList{target + QStringLiteral(" file kész.")});
}

void GuiExportWindowsTest::writeFailureIsReported() {
    Fixture f;
    exportFromBilingualWindow(f, [&](Tfrm_Hatarolt* w) {
        w->setFileName(f.path(QStringLiteral("nincs/out.csv")));
        child<QPushButton>(w, "Button1")->click();
    });
    QCOMPARE(f.frame.messages.messages().size(), 1);
    QCOMPARE(f.frame.messages.messages().first().kind, MessageKind::Error);
    QVERIFY(f.messageTexts().first().startsWith(QStringLiteral("Hiba: ")));
}

void GuiExportWindowsTest::htmlOkOpensThePage() {
    Fixture f;
    store::Table t(f.frame.database());
    t.setTableName(QStringLiteral("angol"));
    t.open();
    const QString target = f.path(QStringLiteral("p.htm"));
    test::whenModal<Tfrm_Grid2Html>([&](Tfrm_Grid2Html* w) {
        QVERIFY(w->fileName().endsWith(QStringLiteral("/angol.htm")));
        QVERIFY(child<QCheckBox>(w, "CheckBox1")->isChecked());
        w->setFileName(target);
        QTest::keyClick(child<QLineEdit>(w, "Edit1"), Qt::Key_Return);
    });
    exportHtmlPage(f.frame, t, {QStringLiteral("nyelv1;magyar;50;"), QStringLiteral("nyelv2;angol;50;")},
                   QStringLiteral("Angol"));
    QVERIFY(readBytes(target).contains("<td width=\"50%\"><font face=\"Verdana\" size=\"1\">k\xF6rte</font></td>"));
    QCOMPARE(f.frame.openedAddresses, QStringList{target});
}

void GuiExportWindowsTest::htmlMailHandsThePageOver() {
    Fixture f;
    QTemporaryDir tools;
    const QString argsFile = tools.path() + QStringLiteral("/args");
    QFile script(tools.path() + QStringLiteral("/xdg-email"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > %1.part && mv %1.part %1\n").arg(argsFile).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", tools.path().toUtf8() + ':' + oldPath);

    store::Table t(f.frame.database());
    t.setTableName(QStringLiteral("angol"));
    t.open();
    Tfrm_Grid2Html w(f.frame, t, parseHtmlColumns({QStringLiteral("nyelv1;a;50;")}), QStringLiteral("Angol"));
    const QString target = f.path(QStringLiteral("p.htm"));
    w.setFileName(target);
    w.show();
    child<QPushButton>(&w, "Button3")->click();
    qputenv("PATH", oldPath);
    QVERIFY(!child<QCheckBox>(&w, "CheckBox1")->isChecked());
    QVERIFY(w.isVisible());
    QVERIFY(QFile::exists(target));
    QTRY_VERIFY(QFile::exists(argsFile));
    QCOMPARE(QString::fromUtf8(readBytes(argsFile)).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList({QStringLiteral("--subject"), QStringLiteral("Html küldés"), QStringLiteral("--body"),
                          QStringLiteral("Html küldés"), QStringLiteral("--attach"), target}));
    QVERIFY(f.frame.openedAddresses.isEmpty());
}

void GuiExportWindowsTest::htmlMailWithoutMailToolSaysNothing() {
    Fixture f;
    QTemporaryDir emptyTools;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", emptyTools.path().toUtf8());
    store::Table t(f.frame.database());
    t.setTableName(QStringLiteral("angol"));
    t.open();
    Tfrm_Grid2Html w(f.frame, t, parseHtmlColumns({QStringLiteral("nyelv1;a;50;")}), QStringLiteral("Angol"));
    const QString target = f.path(QStringLiteral("p.htm"));
    w.setFileName(target);
    w.writeAndMail();
    qputenv("PATH", oldPath);
    QVERIFY(QFile::exists(target));
    QVERIFY(f.messageTexts().isEmpty());
    QVERIFY(f.frame.openedAddresses.isEmpty());
}

QTEST_MAIN(GuiExportWindowsTest)
#include "test_gui_export_windows.moc"
