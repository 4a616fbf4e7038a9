#include "freesql/logic/sql_folder.h"

#include "common/folders.h"

#include <QDir>

namespace verbalo {

QString sqlFolder(const Folders& folders) {
    return folders.settingsFolder + QStringLiteral("/SQL");
}

bool ensureSqlFolder(const Folders& folders, QString* error) {
    const QString folder = sqlFolder(folders);
    if (QDir().mkpath(folder)) return true;
    if (error) *error = QStringLiteral("Az SQL mappa nem hozható létre: %1").arg(QDir::toNativeSeparators(folder));
    return false;
}

} // namespace verbalo
