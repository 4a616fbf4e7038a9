#pragma once

#include <QByteArray>
#include <QString>

// Picture files as the galleries and recipe books take them in: named in a text file or chosen
// in a dialog, copied into the table unchanged.
namespace verbalo {

// The extension of a file name with its dot, as written (".jpg", ".JPG"); "" when the last
// part of the name has no dot. Only the last dot counts: "a.tar.gz" gives ".gz".
QString fileExtensionWithDot(const QString& path);

// The file a picture path names: an absolute path as it stands; a relative one against
// baseFolder first (the folder of the file that names it), then the current folder. ""
// when neither names an existing file (a folder does not count, nor an empty path).
QString resolvePicturePath(const QString& written, const QString& baseFolder);

struct PictureFileRead {
    bool ok = false;
    QString error; // Hungarian, naming the file
    QByteArray bytes;
};

// The whole content of an existing picture file.
PictureFileRead readPictureFile(const QString& path);

} // namespace verbalo
