#include "dictionaries/picture_saving.h"

#include "common/messages.h"
#include "common/safe_file_writer.h"

#include <QFileDialog>

namespace verbalo {

QString askPictureSavePath(QWidget* owner, const QString& proposedName, const QString& filter) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Mentés"), proposedName, filter);
}

bool writePictureFile(const QString& path, const QByteArray& bytes, QWidget* owner) {
    if (bytes.isEmpty()) return true;
    const FileWriteResult written = writeFileSafely(path, bytes);
    if (!written.ok) {
        showError(QStringLiteral("Hiba az állomány mentésekor:\r\n") + written.error, owner);
        return false;
    }
    return true;
}

} // namespace verbalo
