#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Unpacking a downloaded ZIP archive (a list archive or a dictionary package) into a folder.
namespace verbalo {

// Everything an archive may hold in all once unpacked; a larger one is refused.
inline constexpr qint64 kMaxUnpackedBytes = qint64(2) * 1024 * 1024 * 1024;

// Whether a member name may become a file in the target folder: a plain file name, with no
// folder part ("/", "\"), no "..", no drive letter or ":" and no control character.
bool isPlainMemberName(const QString& name);

struct UnpackResult {
    bool ok = false;
    QStringList files; // the member names unpacked, in archive order
    QString error;     // plain words: what was wrong with the archive
};

// Unpacks every member of archivePath into folder, each through the shared file writer.
// Refused before anything is written: an archive that cannot be opened or is inconsistent, a
// member that is not a plain file (a folder, a symbolic link, a name with a path in it) or is
// encrypted. Refused while unpacking: a member that yields more or fewer bytes than it declares,
// or more than kMaxUnpackedBytes in all. On a refusal the files already written stay in folder;
// callers unpack into a staging folder of their own for that reason. percent (when given) hears
// the share of members done, 0 to 100.
UnpackResult unpackArchive(const QString& archivePath, const QString& folder,
                           const std::function<void(int percent)>& percent = {});

} // namespace verbalo
