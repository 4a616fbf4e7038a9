// Window placement under a real window manager: the suite starts its own X server (Xvfb) with
// openbox on it, so that windows get title bars and borders as on a desktop, and checks that the
// places saved in Verbalo9.ini come back as they were, without creeping, and with every title
// bar on the screen. Without Xvfb or openbox every case is skipped.
#include "common/store/table.h"
#include "exchange/delimited_export_window.h"
#include "main/settings_window.h"
#include "main/properties_window.h"
#include "support_gui/gui_driving.h"
#include "test_gui_main_fixture.h"
#include "widgets/window_geometry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QThread>

#include <memory>

using namespace verbalo;
using test::MainFrameFixture;

namespace {

// The X server and window manager of the suite; empty why when they run.
struct Desktop {
    QProcess server;
    QProcess manager;
    QString display;
    QString whyNot;

    bool start() {
        int n = 90;
        while (n < 120 && (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                           QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))))
            ++n;
        display = QStringLiteral(":%1").arg(n);
        server.start(QStringLiteral("Xvfb"),
                     {display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!server.waitForStarted(5000)) return fail(QStringLiteral("Xvfb cannot be started"));
        if (!waitFor([&] { return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)); }))
            return fail(QStringLiteral("Xvfb did not come up"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        manager.setProcessEnvironment(env);
        manager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!manager.waitForStarted(5000)) return fail(QStringLiteral("openbox cannot be started"));
        // The window manager is up once it has announced itself on the root window.
        const bool announced = waitFor([&] {
            QProcess probe;
            probe.setProcessEnvironment(env);
            probe.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            return probe.waitForFinished(2000) && probe.readAllStandardOutput().contains("window id");
        });
        if (!announced) return fail(QStringLiteral("openbox did not take the screen (is xprop there?)"));
        return true;
    }

    bool fail(const QString& why) {
        whyNot = why;
        return false;
    }

    template <typename Ready>
    static bool waitFor(Ready ready) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            if (ready()) return true;
            QThread::msleep(50);
        }
        return false;
    }

    ~Desktop() {
        for (QProcess* p : {&manager, &server}) {
            if (p->state() == QProcess::NotRunning) continue;
            p->terminate();
            if (!p->waitForFinished(3000)) p->kill();
            p->waitForFinished(1000);
        }
    }
};

Desktop* g_desktop = nullptr;

#define REQUIRE_DESKTOP()                                                                                                        \
    if (!g_desktop || !g_desktop->whyNot.isEmpty())                                                                              \
    QSKIP(qPrintable(g_desktop ? g_desktop->whyNot : QStringLiteral("no desktop")))

// Waits until the window manager has framed the window and the frame stands still.
void settle(QWidget* w) {
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QRect last;
    int still = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000 && still < 5) {
        QTest::qWait(40);
        const QRect now = w->frameGeometry();
        still = (now == last && now != w->geometry()) ? still + 1 : 0;
        last = now;
    }
}

QPoint savedCorner(const IniFile& ini, const QString& section) {
    return QPoint(ini.readInteger(section, QStringLiteral("Left"), -9999),
                  ini.readInteger(section, QStringLiteral("Top"), -9999));
}

// Runs `open` and places, measures and closes the dialog of type T it shows.
template <typename T>
QRect dialogFrame(const std::function<void()>& open) {
    QRect frame;
    test::whenModal<T>([&frame](T* dialog) {
        settle(dialog);
        frame = dialog->frameGeometry();
        dialog->reject();
    });
    open();
    return frame;
}

} // namespace

class PlacementTest : public QObject {
    Q_OBJECT

private slots:
    void frameKeepsItsPlaceOverRestarts() {
        REQUIRE_DESKTOP();
        MainFrameFixture f;
        f.ini().writeInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 50);
        f.ini().writeInteger(QStringLiteral("Screen"), QStringLiteral("Top"), 60);
        for (int start = 1; start <= 3; ++start) {
            auto frame = f.makeFrame();
            frame->setSplashClock(nullptr);
            frame->show();
            settle(frame.get());
            // The frame's outer corner is where the file says, title bar and all.
            QCOMPARE(frame->frameGeometry().topLeft(), QPoint(50, 60));
            QVERIFY(frame->geometry().top() > frame->frameGeometry().top());
            QVERIFY(frame->close());
            QCOMPARE(savedCorner(f.ini(), QStringLiteral("Screen")), QPoint(50, 60));
        }
    }

    void titleBarIsBroughtBackOnTheScreen_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("above the screen") << 100 << -50;
        QTest::newRow("far left") << -3000 << 100;
        QTest::newRow("below the screen") << 100 << 5000;
    }
    void titleBarIsBroughtBackOnTheScreen() {
        REQUIRE_DESKTOP();
        QFETCH(int, left);
        QFETCH(int, top);
        MainFrameFixture f;
        f.ini().writeInteger(QStringLiteral("Screen"), QStringLiteral("Left"), left);
        f.ini().writeInteger(QStringLiteral("Screen"), QStringLiteral("Top"), top);
        auto frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        settle(frame.get());
        const QRect screen = frame->screen()->availableGeometry();
        const QRect outer = frame->frameGeometry();
        QVERIFY2(outer.top() >= screen.top() && outer.top() + kReachableTitleHeight <= screen.bottom(),
                 qPrintable(QStringLiteral("%1,%2").arg(outer.left()).arg(outer.top())));
        QVERIFY(outer.right() >= screen.left() + kReachableTitleWidth && outer.left() + kReachableTitleWidth <= screen.right());
        QVERIFY(frame->close());
    }

    void fullScreenShowsTheTitleBar() {
        REQUIRE_DESKTOP();
        MainFrameFixture f;
        f.ini().writeBool(QStringLiteral("Screen"), QStringLiteral("FullScreen"), true);
        auto frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        settle(frame.get());
        const QRect screen = frame->screen()->availableGeometry();
        QCOMPARE(frame->frameGeometry().top(), screen.top());
        QVERIFY(frame->geometry().top() > screen.top());
        QVERIFY(frame->close());
        QVERIFY(f.ini().readInteger(QStringLiteral("Screen"), QStringLiteral("Top"), -1) >= 0);
    }

    void dialogsOpenCentredAndThenKeepTheirPlace() {
        REQUIRE_DESKTOP();
        MainFrameFixture f;
        const int id = f.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"));
        auto frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        settle(frame.get());
        const auto properties = [&] { editDictionaryProperties(frame->pickerContext(), id); };
        const auto settings = [&] { frame->showSettings(); };
        for (const auto& [section, open] :
             {std::pair<QString, std::function<void()>>{QStringLiteral("frm_Tulajdonsag"), properties},
              std::pair<QString, std::function<void()>>{QStringLiteral("frm_Beallit"), settings}}) {
            // The first opening is centred on the frame.
            const QRect first =
                section == QLatin1String("frm_Beallit") ? dialogFrame<Tfrm_Beallit>(open) : dialogFrame<Tfrm_Tulajdonsag>(open);
            QVERIFY(!first.isNull());
            QVERIFY2((first.center() - frame->frameGeometry().center()).manhattanLength() <= 4,
                     qPrintable(section + QStringLiteral(" %1,%2 %3x%4 in %5,%6 %7x%8")
                                              .arg(first.x())
                                              .arg(first.y())
                                              .arg(first.width())
                                              .arg(first.height())
                                              .arg(frame->frameGeometry().x())
                                              .arg(frame->frameGeometry().y())
                                              .arg(frame->frameGeometry().width())
                                              .arg(frame->frameGeometry().height())));
            QCOMPARE(savedCorner(f.ini(), section), first.topLeft());
            // Seven more openings: not a pixel of drift.
            for (int i = 0; i < 7; ++i) {
                const QRect again = section == QLatin1String("frm_Beallit") ? dialogFrame<Tfrm_Beallit>(open)
                                                                            : dialogFrame<Tfrm_Tulajdonsag>(open);
                QCOMPARE(again.topLeft(), first.topLeft());
            }
            QCOMPARE(savedCorner(f.ini(), section), first.topLeft());
        }
        QVERIFY(frame->close());
    }

    // The export windows are placed the same way as every other dialog.
    void exportWindowKeepsItsPlace() {
        REQUIRE_DESKTOP();
        MainFrameFixture f;
        f.addDictionary(Bilingual, QStringLiteral("Angol"), QStringLiteral("angol"));
        auto frame = f.makeFrame();
        frame->setSplashClock(nullptr);
        frame->show();
        settle(frame.get());
        store::Table table(frame->database());
        table.setTableName(QStringLiteral("angol"));
        table.open();
        const auto open = [&] { openDelimitedExport(*frame, table, {}, frame.get()); };
        const QRect first = dialogFrame<Tfrm_Hatarolt>(open);
        QVERIFY(!first.isNull());
        for (int i = 0; i < 3; ++i) QCOMPARE(dialogFrame<Tfrm_Hatarolt>(open).topLeft(), first.topLeft());
        QCOMPARE(savedCorner(f.ini(), QStringLiteral("frm_Hatarolt")), first.topLeft());
        table.close();
        QVERIFY(frame->close());
    }
};

int main(int argc, char** argv) {
    // The desktop first: the application connects to its display when it is made.
    Desktop desktop;
    g_desktop = &desktop;
    if (desktop.start()) {
        qputenv("DISPLAY", desktop.display.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    PlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_gui_placement.moc"
