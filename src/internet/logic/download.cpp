#include "internet/logic/download.h"

#include "internet/logic/file_download.h"

#include <QEventLoop>

#include <exception>
#include <memory>

namespace verbalo {
namespace {

bool fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

bool fetch(const QString& address, const QString& filePath, std::chrono::milliseconds stallTimeout, QString* error,
           std::chrono::milliseconds totalTimeout) {
    FileDownload download(address, filePath, stallTimeout, totalTimeout);
    QEventLoop loop;
    QObject::connect(&download, &FileDownload::finished, &loop, &QEventLoop::quit);
    download.start();
    if (!download.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return download.succeeded() || fail(error, download.error());
}

} // namespace

bool downloadToFile(const QString& address, const QString& filePath, std::chrono::milliseconds stallTimeout, QString* error,
                    std::chrono::milliseconds totalTimeout) {
    try {
        return fetch(address, filePath, stallTimeout, error, totalTimeout);
    } catch (const std::exception& e) {
        return fail(error, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return fail(error, QStringLiteral("Unexpected failure while downloading"));
    }
}

} // namespace verbalo
