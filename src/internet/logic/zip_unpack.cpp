#include "internet/logic/zip_unpack.h"

#include "common/safe_file_writer.h"

#include <QDir>
#include <QFile>

#include <zip.h>

#include <sys/stat.h>

#include <memory>

namespace verbalo {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); } // opened read-only: nothing to write back
};
struct MemberCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Member = std::unique_ptr<zip_file_t, MemberCloser>;

UnpackResult refused(const QString& error) {
    UnpackResult r;
    r.error = error;
    return r;
}

QString archiveError(zip_t* archive) {
    return QString::fromLocal8Bit(zip_strerror(archive));
}

// Unix modes travel in the upper half of the external attributes; other systems mark
// folders by a trailing "/" only.
bool isRegularFile(zip_t* archive, zip_uint64_t index, const QString& name) {
    if (name.endsWith(QLatin1Char('/'))) return false;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) return false;
    if (system != ZIP_OPSYS_UNIX) return true;
    const mode_t mode = attributes >> 16;
    return mode == 0 || S_ISREG(mode);
}

struct MemberInfo {
    QString name;
    zip_uint64_t size = 0;
};

// Checks every member before a byte is written, so a bad archive leaves nothing behind.
bool listMembers(zip_t* archive, QList<MemberInfo>& members, QString& error) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE)) {
            error = QStringLiteral("member %1 cannot be read: %2").arg(i).arg(archiveError(archive));
            return false;
        }
        const QString name = QString::fromUtf8(st.name);
        if (!isPlainMemberName(name)) {
            error = QStringLiteral("member name is not a plain file name: %1").arg(name);
            return false;
        }
        if (!isRegularFile(archive, zip_uint64_t(i), name)) {
            error = QStringLiteral("member is not a plain file: %1").arg(name);
            return false;
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
            error = QStringLiteral("member is encrypted: %1").arg(name);
            return false;
        }
        members.append({name, st.size});
    }
    return true;
}

// The declared size is not trusted: the bytes are counted as they come.
bool unpackMember(zip_t* archive, zip_uint64_t index, const MemberInfo& member, const QString& folder, qint64& total,
                  QString& error) {
    Member file(zip_fopen_index(archive, index, 0));
    if (!file) {
        error = QStringLiteral("%1: %2").arg(member.name, archiveError(archive));
        return false;
    }
    SafeFileWriter out(QDir(folder).filePath(member.name));
    if (!out.open()) {
        error = out.errorString();
        return false;
    }
    char buffer[64 * 1024];
    zip_uint64_t read = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
        if (n < 0) {
            error = QStringLiteral("%1: %2").arg(member.name, QString::fromLocal8Bit(zip_file_strerror(file.get())));
            return false;
        }
        if (n == 0) break;
        read += zip_uint64_t(n);
        total += n;
        if (read > member.size) {
            error = QStringLiteral("%1 holds more than its declared %2 bytes").arg(member.name).arg(member.size);
            return false;
        }
        if (total > kMaxUnpackedBytes) {
            error = QStringLiteral("the archive unpacks to more than %1 bytes").arg(kMaxUnpackedBytes);
            return false;
        }
        if (!out.write(buffer, n)) {
            error = out.errorString();
            return false;
        }
    }
    if (read != member.size) {
        error = QStringLiteral("%1 holds %2 bytes instead of its declared %3").arg(member.name).arg(read).arg(member.size);
        return false;
    }
    if (!out.commit()) {
        error = out.errorString();
        return false;
    }
    return true;
}

} // namespace

bool isPlainMemberName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String(".."))) return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')) return false;
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control) return false;
    }
    return true;
}

UnpackResult unpackArchive(const QString& archivePath, const QString& folder, const std::function<void(int)>& percent) {
    int openError = 0;
    Archive archive(zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &openError));
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, openError);
        const QString reason = QString::fromLocal8Bit(zip_error_strerror(&e));
        zip_error_fini(&e);
        return refused(QStringLiteral("%1 cannot be opened as an archive: %2").arg(archivePath, reason));
    }
    QList<MemberInfo> members;
    QString error;
    if (!listMembers(archive.get(), members, error)) return refused(error);

    UnpackResult result;
    qint64 total = 0;
    if (percent) percent(0);
    for (int i = 0; i < members.size(); ++i) {
        if (!unpackMember(archive.get(), zip_uint64_t(i), members[i], folder, total, error)) return refused(error);
        result.files.append(members[i].name);
        if (percent) percent(int((i + 1) * 100 / members.size()));
    }
    result.ok = true;
    return result;
}

} // namespace verbalo
