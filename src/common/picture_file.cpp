#include "common/picture_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace verbalo {

QString fileExtensionWithDot(const QString& path) {
    // The name is what follows the last separator; both kinds occur in files written on Windows.
    const qsizetype nameStart = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= nameStart ? path.mid(dot) : QString();
}

QString resolvePicturePath(const QString& written, const QString& baseFolder) {
    if (written.isEmpty()) return QString();
    const auto isFile = [](const QString& p) { return QFileInfo(p).isFile(); };
    if (QDir::isAbsolutePath(written)) return isFile(written) ? written : QString();
    if (!baseFolder.isEmpty()) {
        const QString inBase = QDir(baseFolder).filePath(written);
        if (isFile(inBase)) return inBase;
    }
    const QString inCurrent = QDir::current().filePath(written);
    return isFile(inCurrent) ? inCurrent : QString();
}

PictureFileRead readPictureFile(const QString& path) {
    PictureFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("A kép nem olvasható: %1\r\n%2").arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    result.bytes = file.readAll();
    // readAll() cannot tell an empty file from a failed read; the size can.
    if (result.bytes.size() != file.size()) {
        result.error = QStringLiteral("A kép nem olvasható: %1\r\n%2").arg(QDir::toNativeSeparators(path), file.errorString());
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace verbalo
