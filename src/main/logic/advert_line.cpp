#include "main/logic/advert_line.h"

#include "internet/logic/download.h"
#include "internet/logic/file_download.h"
#include "common/text_file.h"
#include "common/text_routines.h"

#include <QFileInfo>

namespace verbalo {

QString advertAddress(const QString& server) {
    QString base = server;
    while (base.endsWith(QLatin1Char('/'))) base.chop(1);
    return base + QStringLiteral("/kisreklam.php");
}

AdvertLine readAdvertFile(const QString& path) {
    if (!QFileInfo::exists(path)) return {};
    const TextReadResult file = readTextFile(path);
    if (!file.ok || file.lines.isEmpty()) return {};
    const QString& line = file.lines.first();
    return {getToken(QStringLiteral(";"), line, 1), getToken(QStringLiteral(";"), line, 2)};
}

AdvertLine fetchAdvertLine(const QString& server, const QString& path, std::chrono::milliseconds timeout) {
    downloadToFile(advertAddress(server), path, timeout, nullptr, timeout);
    return readAdvertFile(path);
}

void fetchAdvertLineLater(const QString& server, const QString& path, QObject* context,
                          std::function<void(const AdvertLine&)> shown, std::chrono::milliseconds timeout) {
    auto* download = new FileDownload(advertAddress(server), path, timeout, timeout, context);
    QObject::connect(download, &FileDownload::finished, context, [download, path, shown = std::move(shown)] {
        download->deleteLater();
        shown(readAdvertFile(path));
    });
    download->start();
}

} // namespace verbalo
