// What happens around the frame's start: the advert line from the maker's server, one running
// instance per user and settings folder, and the mouse wheel turned into arrow keys.
#include "main/logic/advert_line.h"
#include "main/logic/single_instance.h"
#include "main/wheel_keys.h"
#include "test_gui_main_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUuid>
#include <QWheelEvent>

#include <cstdio>
#include <unistd.h>

using namespace verbalo;
using test::MainFrameFixture;

namespace {

// Serves the advert file from a body set by the test; under "/silent" it accepts and never
// answers, like a server that has stopped responding.
class AdvertServer : public QTcpServer {
public:
    QByteArray body;
    QByteArray status = "200 OK";
    int silentRequests = 0;

    AdvertServer() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!request_.contains("\r\n\r\n")) return;
                    const QByteArray path = request_.split(' ').value(1);
                    request_.clear();
                    if (path.startsWith("/silent")) {
                        ++silentRequests;
                        return;
                    }
                    socket->write("HTTP/1.1 " + status + "\r\nConnection: close\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString address(const char* under = "") const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(under));
    }

private:
    QByteArray request_;
};

QString uniqueKey() {
    return QStringLiteral("verbalo-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void advertLineIsSplitAtTheFirstSemicolon_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("link");
        QTest::newRow("text and link") << QByteArray("Szótárak olcsón;http://example.org/akcio\r\n") << "Szótárak olcsón"
                                       << "http://example.org/akcio";
        QTest::newRow("no semicolon") << QByteArray("Csak egy szöveg") << "Csak egy szöveg"
                                      << "";
        QTest::newRow("first line only") << QByteArray("Első;http://a\r\nMásodik;http://b\r\n") << "Első"
                                         << "http://a";
        QTest::newRow("windows-1250") << QByteArray("\xC1rv\xEDzt\xFBr\xF5;http://x") << "Árvíztűrő"
                                      << "http://x";
        QTest::newRow("empty file") << QByteArray() << ""
                                    << "";
    }
    void advertLineIsSplitAtTheFirstSemicolon() {
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QFETCH(QString, link);
        AdvertServer server;
        server.body = body;
        QTemporaryDir dir;
        const AdvertLine advert = fetchAdvertLine(server.address(), dir.filePath(QStringLiteral("kisreklam.txt")));
        QCOMPARE(advert.text, text);
        QCOMPARE(advert.link, link);
    }

    void advertShownAsALinkInTheStatusBar() {
        AdvertServer server;
        server.body = "Új szótárak a honlapon;http://example.org/uj";
        MainFrameFixture f;
        f.ini().writeString(QStringLiteral("Internet"), QStringLiteral("Server"), server.address());
        auto frame = f.makeFrame();
        // The advert arrives after the frame is up.
        QTRY_VERIFY(frame->advertLabel());
        QLabel* label = frame->advertLabel();
        QCOMPARE(label->text(), QStringLiteral("Új szótárak a honlapon"));
        QCOMPARE(frame->advertLink(), QStringLiteral("http://example.org/uj"));
        QVERIFY(label->font().underline());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(label->pos(), QPoint(4, 4));
        QCOMPARE(frame->statusPanelWidth(0), label->width() + 20);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(f.openedAddresses, QStringList{QStringLiteral("http://example.org/uj")});
        QVERIFY(QFile::exists(f.folders.settingsFolder + QStringLiteral("/kisreklam.txt")));
    }

    void failedFetchKeepsTheEarlierAdvert() {
        AdvertServer server;
        server.status = "404 Not Found";
        server.body = "<html>nincs</html>";
        MainFrameFixture f;
        f.ini().writeString(QStringLiteral("Internet"), QStringLiteral("Server"), server.address());
        QFile old(f.folders.settingsFolder + QStringLiteral("/kisreklam.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("Tegnapi hirdet\xE9s;http://example.org/regi\r\n");
        old.close();
        auto frame = f.makeFrame();
        QTRY_VERIFY(frame->advertLabel());
        QCOMPARE(frame->advertLabel()->text(), QStringLiteral("Tegnapi hirdetés"));
        QCOMPARE(frame->advertLink(), QStringLiteral("http://example.org/regi"));
    }

    void silentServerDoesNotHoldTheStart() {
        AdvertServer server;
        MainFrameFixture f;
        f.ini().writeString(QStringLiteral("Internet"), QStringLiteral("Server"), server.address("/silent"));
        auto frame = f.makeFrame();
        // The frame is built and in use while the server has the request and says nothing.
        QTRY_COMPARE(server.silentRequests, 1);
        QVERIFY(!frame->advertLabel());
        QVERIFY(frame->isEnabled());
        QVERIFY(f.messages.messages().isEmpty());
    }

    void secondInstanceAsksTheFirstToComeForward() {
        const QString key = uniqueKey();
        SingleInstance first(key);
        QCOMPARE(first.start(), SingleInstance::Role::Primary);
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);

        SingleInstance second(key);
        QCOMPARE(second.start(std::chrono::milliseconds(500)), SingleInstance::Role::Secondary);
        QTRY_COMPARE(raised.count(), 1);

        // Another settings folder or user is another program.
        SingleInstance other(uniqueKey());
        QCOMPARE(other.start(), SingleInstance::Role::Primary);
    }

    void secondStartRaisesTheRunningFrame() {
        MainFrameFixture f;
        const QString key = singleInstanceKey(f.folders.settingsFolder);
        QVERIFY(key.contains(QString::number(::getuid())));
        SingleInstance running(key);
        QCOMPARE(running.start(), SingleInstance::Role::Primary);
        auto frame = f.makeFrame();
        QObject::connect(&running, &SingleInstance::raiseRequested, frame.get(), &Tfrm_Main::bringToFront);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        frame->showMinimized();

        SingleInstance again(key);
        QCOMPARE(again.start(), SingleInstance::Role::Secondary);
        QTRY_VERIFY(!frame->isMinimized());
        int frames = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) frames += qobject_cast<Tfrm_Main*>(w) != nullptr;
        QCOMPARE(frames, 1);
        frame->close();
    }

    void killedInstanceDoesNotBlockTheNextStart() {
        const QString key = uniqueKey();
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-instance"), key});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("primary"));
        {
            SingleInstance whileRunning(key);
            QCOMPARE(whileRunning.start(std::chrono::milliseconds(300)), SingleInstance::Role::Secondary);
        }
        holder.kill();
        holder.waitForFinished();
        // The killed holder left its lock file and its socket behind.
        QVERIFY(QFile::exists(SingleInstance(key).lockFilePath()));

        SingleInstance next(key);
        QCOMPARE(next.start(), SingleInstance::Role::Primary);
        QSignalSpy raised(&next, &SingleInstance::raiseRequested);
        SingleInstance later(key);
        QCOMPARE(later.start(std::chrono::milliseconds(500)), SingleInstance::Role::Secondary);
        QTRY_COMPARE(raised.count(), 1);
    }

    void wheelTurnsIntoArrowKeys() {
        WheelToArrowKeys filter;
        qApp->installEventFilter(&filter);
        QListWidget list;
        for (int i = 0; i < 10; ++i) list.addItem(QString::number(i));
        list.setCurrentRow(5);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QApplication::setActiveWindow(&list);
        list.setFocus();
        const auto turn = [&list](int delta) {
            QWheelEvent wheel(QPointF(5, 5), list.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list.viewport(), &wheel);
        };
        turn(120);
        QCOMPARE(list.currentRow(), 4);
        turn(-120);
        turn(-120);
        QCOMPARE(list.currentRow(), 6);
        // Fine-grained wheels move a row once a whole notch has been turned.
        turn(-60);
        QCOMPARE(list.currentRow(), 6);
        turn(-60);
        QCOMPARE(list.currentRow(), 7);
        turn(240);
        QCOMPARE(list.currentRow(), 5);
        qApp->removeEventFilter(&filter);
    }
};

int main(int argc, char* argv[]) {
    // The child process of the killed-instance test: take the instance, say so, wait to be killed.
    if (argc == 3 && qstrcmp(argv[1], "--hold-instance") == 0) {
        QCoreApplication app(argc, argv);
        SingleInstance instance(QString::fromLocal8Bit(argv[2]));
        const bool primary = instance.start() == SingleInstance::Role::Primary;
        std::printf("%s\n", primary ? "primary" : "secondary");
        std::fflush(stdout);
        return app.exec();
    }
    QApplication app(argc, argv);
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_gui_main_startup.moc"
