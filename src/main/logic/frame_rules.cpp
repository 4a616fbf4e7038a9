#include "main/logic/frame_rules.h"

#include <QUrl>

namespace verbalo {

MakerAddresses makerAddresses(const QString& server) {
    QString base = server;
    while (base.endsWith(QLatin1Char('/'))) base.chop(1);
    QString host = QUrl(base).host();
    if (host.isEmpty()) host = QStringLiteral("localhost");
    return {base + QLatin1Char('/'), QStringLiteral("mailto:kelvora@") + host, base + QStringLiteral("/raktar/")};
}

} // namespace verbalo
