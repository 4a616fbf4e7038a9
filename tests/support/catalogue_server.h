#pragma once

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

// One member of a test archive: a file, or (with unixMode) a folder, link or the like.
struct ZipMember {
    QString name;
    QByteArray bytes;
    unsigned unixMode = 0; // 0: a plain file with the usual mode
};

// The bytes of a ZIP archive holding members, stored uncompressed so tests can patch them.
QByteArray zipArchive(const QList<ZipMember>& members);

// The bytes of a bilingual table file named table holding "first;second" pairs.
QByteArray pairTableFile(const QString& table, const QStringList& pairs);

// The bytes of a programs list or dictionary list table file, made with the statements given
// (the table and its indexes) and filled with rows of values (by column name).
QByteArray listTableFile(const QString& table, const QStringList& statements, const QList<QVariantHash>& rows);

// The dictionary list's and the programs list's tables with an index for every column a
// title click orders by.
QStringList dictionaryListStatements();
QStringList programListStatements();

} // namespace verbalo::test
