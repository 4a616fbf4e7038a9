#include "internet/logic/file_download.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace verbalo {

FileDownload::FileDownload(QString address, QString filePath, std::chrono::milliseconds stallTimeout,
                           std::chrono::milliseconds totalTimeout, QObject* parent)
    : QObject(parent), address_(std::move(address)), filePath_(std::move(filePath)), stallTimeout_(stallTimeout),
      totalTimeout_(totalTimeout), file_(filePath_) {
    stall_.setSingleShot(true);
    deadline_.setSingleShot(true);
    // A server that trickles bytes never stalls; a caller that must not wait long gives a
    // limit for the whole transfer as well.
    for (QTimer* timer : {&stall_, &deadline_})
        connect(timer, &QTimer::timeout, this, [this] {
            stalled_ = true;
            if (reply_) reply_->abort();
        });
}

FileDownload::~FileDownload() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void FileDownload::start() {
    if (!QCoreApplication::instance()) return finish(QStringLiteral("Downloading needs a running application object"));
    const QUrl url(address_);
    if (!url.isValid() || url.isRelative()) return finish(QStringLiteral("Not a web address: %1").arg(address_));
    if (!file_.open()) return finish(file_.errorString(), Failure::LocalFile);

    manager_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url);
    // Packages are stored as they come; a transparently unpacked body could not be checked
    // against its announced length.
    request.setRawHeader("Accept-Encoding", "identity");
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &FileDownload::receive);
    connect(reply_, &QNetworkReply::downloadProgress, &stall_, [this] { stall_.start(stallTimeout_); });
    connect(reply_, &QNetworkReply::finished, this, &FileDownload::end);
    stall_.start(stallTimeout_);
    if (totalTimeout_.count() > 0) deadline_.start(totalTimeout_);
}

void FileDownload::receive() {
    stall_.start(stallTimeout_);
    const QByteArray chunk = reply_->readAll();
    received_ += chunk.size();
    if (!chunk.isEmpty()) emit progress(received_);
    if (!writeFailed_ && !file_.write(chunk)) {
        writeFailed_ = true;
        reply_->abort();
    }
}

void FileDownload::end() {
    stall_.stop();
    deadline_.stop();
    if (stalled_) return finish(QStringLiteral("No data arrived from %1 in time").arg(address_));
    if (writeFailed_) return finish(file_.errorString(), Failure::LocalFile);
    if (reply_->error() != QNetworkReply::NoError) return finish(reply_->errorString());
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return finish(QStringLiteral("The server answered %1 for %2").arg(status.toInt()).arg(address_));
    receive();
    if (writeFailed_) return finish(file_.errorString());
    // A connection closed early can end without an error; the announced length tells.
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != received_)
        return finish(QStringLiteral("The download of %1 was cut short").arg(address_));
    if (!file_.commit()) return finish(file_.errorString());
    finish(QString());
}

void FileDownload::finish(const QString& error, Failure failure) {
    if (finished_) return;
    finished_ = true;
    error_ = error;
    failure_ = error.isEmpty() ? Failure::None : failure;
    // An unfinished file is thrown away; the old one stays.
    if (!error_.isEmpty()) file_.discard();
    if (reply_) {
        reply_->disconnect(this);
        reply_->deleteLater();
        reply_ = nullptr;
    }
    emit finished(error_.isEmpty());
}

} // namespace verbalo
