#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// "Mentés" of the gallery and recipe windows: a stored picture into a file of the user's.
namespace verbalo {

// The save dialog titled "Mentés" with the proposed file name; "" when cancelled.
QString askPictureSavePath(QWidget* owner, const QString& proposedName, const QString& filter);

// The picture's bytes, unchanged, into path through the shared writer (the old file stays
// whole when that fails). No bytes write nothing. False after "Hiba az állomány mentésekor:".
bool writePictureFile(const QString& path, const QByteArray& bytes, QWidget* owner);

} // namespace verbalo
