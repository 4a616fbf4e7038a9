#include "main/logic/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace verbalo {

namespace {
const QByteArray kRaiseMessage = QByteArrayLiteral("raise\n");
}

QString singleInstanceKey(const QString& settingsFolder) {
    const QByteArray digest =
        QCryptographicHash::hash(QDir::cleanPath(settingsFolder).toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("Verbalo9-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest));
}

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // A running instance holds the lock for hours: only a dead owner makes it stale.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lock_->isLocked()) lock_->unlock();
}

QString SingleInstance::lockFilePath() const {
    return QDir::tempPath() + QLatin1Char('/') + key_ + QStringLiteral(".lock");
}

SingleInstance::Role SingleInstance::start(std::chrono::milliseconds wait) {
    if (lock_->tryLock(0)) {
        listen();
        return Role::Primary;
    }
    if (lock_->error() != QLockFile::LockFailedError) {
        // The lock cannot be made at all (no temporary folder): run unguarded rather than never.
        listen();
        return Role::Primary;
    }
    askPrimaryToRaise(wait);
    return Role::Secondary;
}

void SingleInstance::listen() {
    // Holding the lock means no live instance listens: a socket file left over is stale.
    QLocalServer::removeServer(key_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(key_);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kRaiseMessage)) emit raiseRequested();
            });
        }
    });
}

bool SingleInstance::askPrimaryToRaise(std::chrono::milliseconds wait) {
    const QDeadlineTimer deadline(wait);
    do {
        QLocalSocket socket;
        socket.connectToServer(key_);
        if (socket.waitForConnected(200)) {
            socket.write(kRaiseMessage);
            const bool written = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return written;
        }
        // The other instance may hold the lock but not listen yet.
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

} // namespace verbalo
