#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writing a ZIP archive: the catalogue site's lists and packages.
namespace verbalo {

struct ZipMember {
    QString name;
    QByteArray bytes;
    unsigned unixMode = 0; // file type and permissions; 0: a plain file with the usual mode
};

// Writes members to path through the shared file writer, stored uncompressed (packages hold
// table files that compress little, and stored members keep the archive simple to check).
// False with the reason in error.
bool writeZipArchive(const QString& path, const QList<ZipMember>& members, QString* error = nullptr);

// The archive's bytes; empty when it could not be made.
QByteArray zipArchiveBytes(const QList<ZipMember>& members);

} // namespace verbalo
