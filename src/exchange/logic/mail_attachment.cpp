#include "exchange/logic/mail_attachment.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace verbalo {

bool sendMailWithAttachment(const QString& subject, const QString& text, const QString& attachment) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (tool.isEmpty()) return false;
    QStringList arguments = {QStringLiteral("--subject"), subject, QStringLiteral("--body"), text};
    if (!attachment.isEmpty()) arguments << QStringLiteral("--attach") << attachment;
    return QProcess::startDetached(tool, arguments);
}

} // namespace verbalo
