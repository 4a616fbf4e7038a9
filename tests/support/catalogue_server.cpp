#include "catalogue_server.h"

#include "store_fixture.h"

#include "common/store/table.h"

#include <QFile>
#include <QTcpSocket>

namespace verbalo::test {
namespace {

QByteArray response(const QByteArray& status, const QByteArray& body, const QByteArray& extraHeaders = QByteArray()) {
    return "HTTP/1.1 " + status + "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" +
           extraHeaders + "\r\n" + body;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

CatalogueServer::CatalogueServer() {
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serveRequest(socket); });
        }
    });
}

QString CatalogueServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

void CatalogueServer::serveRequest(QTcpSocket* socket) {
    QByteArray& request = requests_[socket];
    request += socket->readAll();
    if (!request.contains("\r\n\r\n")) return;
    const QString path = QString::fromUtf8(request.split(' ').value(1));
    const Route route = routes_.value(path);
    switch (route.answer) {
    case Answer::File: socket->write(response("200 OK", route.data)); break;
    case Answer::NotFound: socket->write(response("404 Not Found", "<html>nincs ilyen</html>")); break;
    case Answer::Redirect: socket->write(response("302 Found", QByteArray(), "Location: " + route.data + "\r\n")); break;
    case Answer::Stall: return; // the connection stays open and silent
    case Answer::CloseEarly: socket->write(response("200 OK", route.data).left(200)); break;
    }
    socket->disconnectFromHost();
}

QByteArray pairTableFile(const QString& table, const QStringList& pairs) {
    StoreFixture store;
    store.makePairs(table, pairs);
    const QString file = store.db().tableFile(table);
    store.db().disconnect();
    return readAll(file);
}

} // namespace verbalo::test
