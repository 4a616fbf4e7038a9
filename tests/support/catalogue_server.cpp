#include "catalogue_server.h"

#include "store_fixture.h"

#include "common/store/table.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <zip.h>

#include <sys/stat.h>

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

QByteArray zipArchive(const QList<ZipMember>& members) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return QByteArray();
    for (const ZipMember& m : members) {
        // The source takes no copy: the members outlive zip_close below.
        zip_source_t* source = zip_source_buffer(archive, m.bytes.constData(), zip_uint64_t(m.bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, m.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        if (m.unixMode) zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, m.unixMode << 16);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return QByteArray();
    }
    return readAll(path);
}

QByteArray pairTableFile(const QString& table, const QStringList& pairs) {
    StoreFixture store;
    store.makePairs(table, pairs);
    const QString file = store.db().tableFile(table);
    store.db().disconnect();
    return readAll(file);
}

QByteArray listTableFile(const QString& table, const QStringList& statements, const QList<QVariantHash>& rows) {
    StoreFixture store;
    for (const QString& statement : statements) store.exec(statement);
    {
        store::Table t(store.db());
        t.setTableName(table);
        t.open();
        for (const QVariantHash& row : rows) {
            t.insert();
            for (auto it = row.begin(); it != row.end(); ++it) t.setValue(it.key(), it.value());
            t.post();
        }
    }
    const QString file = store.db().tableFile(table);
    store.db().disconnect();
    return readAll(file);
}

} // namespace verbalo::test

namespace verbalo::test {

QStringList dictionaryListStatements() {
    return {QStringLiteral("CREATE TABLE internet ( szotarnev CHAR(50), filenev CHAR(100), kep BLOB(0,2), szerzo CHAR(50), "
                           "szavakszama INT, meret INT, megjegyzes CHAR(255), tablanev CHAR(50), PRIMARY KEY (szotarnev));"),
            QStringLiteral("create index filenev on internet (filenev);"),
            QStringLiteral("create index szavakszama on internet (szavakszama);"),
            QStringLiteral("create index meret on internet (meret);")};
}

QStringList programListStatements() {
    return {
        QStringLiteral("CREATE TABLE programok ( programok INT, programok_nev CHAR(50), link CHAR(255), letoltlink CHAR(255), "
                       "kategoria CHAR(50), ingyenes CHAR(1), leiras CHAR(255), kep BLOB(0,2), PRIMARY KEY (programok));"),
        QStringLiteral("create index programok_nev on programok (programok_nev);"),
        QStringLiteral("create index kategoria on programok (kategoria);"),
        QStringLiteral("create index ingyenes on programok (ingyenes);")};
}

} // namespace verbalo::test
