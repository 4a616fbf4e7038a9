#pragma once

#include "internet/logic/list_tables.h"
#include "internet/logic/zip_pack.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace verbalo::test {

// A web server on 127.0.0.1 for the catalogue tests: each path answers with a file, a 404, a
// redirect, silence, or a connection closed half way.
class CatalogueServer : public QTcpServer {
public:
    enum class Answer { File, NotFound, Redirect, Stall, CloseEarly };

    CatalogueServer();
    bool start() { return listen(QHostAddress::LocalHost); }
    QString url(const QString& path = QString()) const;

    void serveFile(const QString& path, const QByteArray& body) { routes_.insert(path, {Answer::File, body}); }
    void serve(const QString& path, Answer answer, const QByteArray& bodyOrTarget = QByteArray()) {
        routes_.insert(path, {answer, bodyOrTarget});
    }
    void clear() { routes_.clear(); }

private:
    struct Route {
        Answer answer = Answer::NotFound;
        QByteArray data;
    };
    void serveRequest(QTcpSocket* socket);

    QHash<QString, Route> routes_;
    QHash<QTcpSocket*, QByteArray> requests_;
};

// The bytes of a bilingual table file named table holding "first;second" pairs.
QByteArray pairTableFile(const QString& table, const QStringList& pairs);

} // namespace verbalo::test
