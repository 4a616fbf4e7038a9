#pragma once

#include "common/safe_file_writer.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace verbalo {

// One file fetched from the web without blocking: start() returns at once and finished()
// comes when the transfer has ended, well or not. The data goes to a temporary file beside
// filePath through the safe writer and replaces it only when it is complete: any failure (no
// such folder, a refused or broken connection, an HTTP error status even with a page, a
// transfer that makes no progress for the stall time, or one not done within the whole-transfer
// limit when that is given) leaves filePath as it was, with the reason in error().
class FileDownload : public QObject {
    Q_OBJECT
public:
    FileDownload(QString address, QString filePath, std::chrono::milliseconds stallTimeout,
                 std::chrono::milliseconds totalTimeout = std::chrono::milliseconds::zero(), QObject* parent = nullptr);
    ~FileDownload() override;

    // Why a transfer failed: the local file could not be made, or the server did not deliver.
    enum class Failure { None, LocalFile, Transfer };

    void start();
    bool isFinished() const { return finished_; }
    Failure failure() const { return failure_; }
    bool succeeded() const { return finished_ && error_.isEmpty(); }
    const QString& error() const { return error_; }

signals:
    // The bytes of the body received so far.
    void progress(qint64 received);
    void finished(bool ok);

private:
    void receive();
    void end();
    void finish(const QString& error, Failure failure = Failure::Transfer);

    QString address_;
    QString filePath_;
    std::chrono::milliseconds stallTimeout_;
    std::chrono::milliseconds totalTimeout_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply* reply_ = nullptr; // owned by manager_
    SafeFileWriter file_;
    QTimer stall_;
    QTimer deadline_;
    bool stalled_ = false;
    bool writeFailed_ = false;
    qint64 received_ = 0;
    bool finished_ = false;
    Failure failure_ = Failure::None;
    QString error_;
};

} // namespace verbalo
