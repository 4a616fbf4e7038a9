#include "internet/logic/download.h"

#include "common/safe_file_writer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <exception>
#include <memory>

namespace verbalo {
namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

bool fetch(const QString &address, const QString &filePath,
           std::chrono::milliseconds stallTimeout, QString *error, std::chrono::milliseconds totalTimeout)
{
    if (!QCoreApplication::instance())
        return fail(error, QStringLiteral("Downloading needs a running application object"));
    const QUrl url(address);
    if (!url.isValid() || url.isRelative())
        return fail(error, QStringLiteral("Not a web address: %1").arg(address));

    SafeFileWriter file(filePath);
    if (!file.open())
        return fail(error, file.errorString());

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    // Packages are stored as they come; a transparently unpacked body could not be checked
    // against its announced length.
    request.setRawHeader("Accept-Encoding", "identity");
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    QTimer stall;
    stall.setSingleShot(true);
    stall.setInterval(stallTimeout);
    bool stalled = false;
    bool writeFailed = false;
    qint64 received = 0;

    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        stall.start();
        const QByteArray chunk = reply->readAll();
        received += chunk.size();
        if (!writeFailed && !file.write(chunk)) {
            writeFailed = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &stall,
                     [&stall] { stall.start(); });
    QObject::connect(&stall, &QTimer::timeout, &loop, [&] {
        stalled = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // A server that trickles bytes never stalls; a caller that must not wait long gives a
    // limit for the whole transfer as well.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        stalled = true;
        reply->abort();
    });
    if (totalTimeout.count() > 0)
        deadline.start(totalTimeout);

    stall.start();
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    stall.stop();
    deadline.stop();

    if (stalled)
        return fail(error, QStringLiteral("No data arrived from %1 in time").arg(address));
    if (writeFailed)
        return fail(error, file.errorString());
    if (reply->error() != QNetworkReply::NoError)
        return fail(error, reply->errorString());

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return fail(error, QStringLiteral("The server answered %1 for %2").arg(status.toInt()).arg(address));

    const QByteArray rest = reply->readAll();
    received += rest.size();
    if (!file.write(rest))
        return fail(error, file.errorString());

    // A connection closed early can end without an error; the announced length tells.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != received)
        return fail(error, QStringLiteral("The download of %1 was cut short").arg(address));

    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace

bool downloadToFile(const QString &address, const QString &filePath,
                    std::chrono::milliseconds stallTimeout, QString *error,
                    std::chrono::milliseconds totalTimeout)
{
    try {
        return fetch(address, filePath, stallTimeout, error, totalTimeout);
    } catch (const std::exception &e) {
        return fail(error, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return fail(error, QStringLiteral("Unexpected failure while downloading"));
    }
}

} // namespace verbalo
