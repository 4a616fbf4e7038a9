// Downloading a file from a small HTTP server that the test runs on 127.0.0.1.

#include "internet/logic/download.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTimer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace verbalo;
using namespace std::chrono_literals;

namespace {

QByteArray payload() {
    // Large enough to arrive in several pieces; every byte value appears.
    QByteArray bytes;
    for (int i = 0; i < 300 * 1024; ++i) bytes.append(char((i * 7 + i / 256) & 0xFF));
    return bytes;
}

QByteArray response(const QByteArray& status, const QByteArray& body, bool withLength = true,
                    const QByteArray& extraHeaders = QByteArray()) {
    QByteArray r = "HTTP/1.1 " + status + "\r\nConnection: close\r\n" + extraHeaders;
    if (withLength) r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return r + "\r\n" + body;
}

// Answers by path: whole files, error pages, a redirect, and connections that stall or are
// cut short.
class TinyHttpServer : public QTcpServer {
public:
    TinyHttpServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
    }

    QString url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path); }

private:
    void serve(QTcpSocket* socket) {
        QByteArray& request = requests_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QByteArray path = request.split(' ').value(1);
        const QByteArray body = payload();
        if (path == "/file.bin") {
            socket->write(response("200 OK", body));
        } else if (path == "/no-length") {
            socket->write(response("200 OK", "until the connection closes", false));
        } else if (path == "/moved") {
            socket->write(response("302 Found", "", true, "Location: /file.bin\r\n"));
        } else if (path == "/missing") {
            socket->write(response("404 Not Found", "<html>no such file</html>"));
        } else if (path == "/broken") {
            socket->write(response("500 Internal Server Error", "<html>oops</html>"));
        } else if (path == "/cut-short") {
            socket->write(response("200 OK", body).left(5000));
        } else if (path == "/stall-in-body") {
            socket->write(response("200 OK", body).left(5000));
            return; // the connection stays open and silent
        } else if (path == "/stall-before-answer") {
            return;
        } else if (path == "/trickle") {
            // A byte every 100 ms: never silent long enough to stall, never done in time.
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 40\r\n\r\n");
            auto* drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            drip->start(100);
            return;
        } else {
            socket->write(response("400 Bad Request", ""));
        }
        socket->disconnectFromHost();
    }

    QHash<QTcpSocket*, QByteArray> requests_;
};

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void download_data();
    void download();
    void tricklingServerMeetsTheWholeTransferLimit();
    void refusedConnection();
    void missingFolder();
    void badAddress();

private:
    TinyHttpServer server_;
    QTemporaryDir dir_;
};

void TestDownload::initTestCase() {
    QVERIFY(dir_.isValid());
    // A proxy named in the environment must not stand between the test and its own server.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QVERIFY(server_.listen(QHostAddress::LocalHost));
}

void TestDownload::download_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("whole file") << "/file.bin" << true << payload();
    QTest::newRow("no length, ends with the connection") << "/no-length" << true << QByteArray("until the connection closes");
    QTest::newRow("redirect followed") << "/moved" << true << payload();
    QTest::newRow("404 with a page") << "/missing" << false << QByteArray();
    QTest::newRow("500 with a page") << "/broken" << false << QByteArray();
    QTest::newRow("connection cut short") << "/cut-short" << false << QByteArray();
    QTest::newRow("server stalls inside the body") << "/stall-in-body" << false << QByteArray();
    QTest::newRow("server never answers") << "/stall-before-answer" << false << QByteArray();
}

void TestDownload::download() {
    QFETCH(QString, path);
    QFETCH(bool, ok);
    QFETCH(QByteArray, content);
    QTemporaryDir target;
    const QString file = target.filePath(QStringLiteral("list.zip"));

    // Into a new file.
    QString error;
    QCOMPARE(downloadToFile(server_.url(path), file, 1s, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(QFileInfo::exists(file), ok);
    if (ok)
        QCOMPARE(readBytes(file), content);
    else
        QVERIFY(QDir(target.path()).isEmpty());

    // Over an older copy, which a failure leaves as it was.
    QFile old(file);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("older copy") == 10);
    old.close();
    QCOMPARE(downloadToFile(server_.url(path), file, 1s), ok);
    QCOMPARE(readBytes(file), ok ? content : QByteArray("older copy"));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.zip"});
}

void TestDownload::tricklingServerMeetsTheWholeTransferLimit() {
    QTemporaryDir target;
    const QString file = target.filePath(QStringLiteral("kisreklam.txt"));
    QString error;
    QVERIFY(!downloadToFile(server_.url(QStringLiteral("/trickle")), file, 1s, &error, 1500ms));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(target.path()).isEmpty());
}

void TestDownload::refusedConnection() {
    quint16 port = 0;
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    const QString file = dir_.filePath(QStringLiteral("refused.zip"));
    QString error;
    QVERIFY(!downloadToFile(QStringLiteral("http://127.0.0.1:%1/file.bin").arg(port), file, 1s, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(file));
}

void TestDownload::missingFolder() {
    const QString folder = dir_.filePath(QStringLiteral("no/such/folder"));
    QString error;
    QVERIFY(!downloadToFile(server_.url(QStringLiteral("/file.bin")), folder + QStringLiteral("/a.zip"), 1s, &error));
    QVERIFY(error.contains(folder));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("no"))));
}

void TestDownload::badAddress() {
    const QString file = dir_.filePath(QStringLiteral("bad.zip"));
    QVERIFY(!downloadToFile(QStringLiteral("no address at all"), file, 1s));
    QVERIFY(!downloadToFile(QString(), file, 1s));
    QVERIFY(!QFileInfo::exists(file));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "test_download.moc"
