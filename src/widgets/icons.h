#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace verbalo {

// A picture from the bytes of an icon (or PNG/BMP) file; a null pixmap when they are empty or
// cannot be decoded. For multi-size icon files the size nearest to `size` is taken.
QPixmap pixmapFromIconBytes(const QByteArray& bytes, int size);
QIcon iconFromBytes(const QByteArray& bytes);
// An icon file beside the program ("Ico/default48.ico"); a null icon when it is missing.
QIcon iconFromProgramFolder(const QString& programFolder, const QString& relativePath);

} // namespace verbalo
