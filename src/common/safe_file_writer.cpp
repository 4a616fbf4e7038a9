#include "common/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verbalo {
namespace {

constexpr qsizetype kBufferSize = 64 * 1024;

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

QString fileErrorReason(int errnoValue) {
    switch (errnoValue) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("a lemez megtelt (vagy elfogyott a felhasználó kvótája)");
    case EFBIG: return QStringLiteral("az állomány elérte a megengedett legnagyobb méretet");
    case EACCES:
    case EPERM: return QStringLiteral("nincs írási jog");
    case EROFS: return QStringLiteral("a lemez csak olvasható");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("a mappa nem létezik");
    case EIO: return QStringLiteral("írási hiba a lemezen");
    case EISDIR: return QStringLiteral("ezen a néven mappa van");
    default: return QString::fromLocal8Bit(std::strerror(errnoValue));
    }
}

SafeFileWriter::SafeFileWriter(QString path, InPlaceFallback fallback) : path_(std::move(path)), fallback_(fallback) {}

SafeFileWriter::~SafeFileWriter() {
    if (!committed_) discard();
}

bool SafeFileWriter::fail(const QString& what, int errnoValue) {
    if (error_.isEmpty()) error_ = QStringLiteral("%1: %2 (%3)").arg(what, path_, fileErrorReason(errnoValue));
    return false;
}

bool SafeFileWriter::open() {
    error_.clear();
    committed_ = false;
    buffer_.clear();
    buffer_.reserve(kBufferSize);
    const QFileInfo info(path_);
    // A link is written through to the file it names, so the link itself stays.
    target_ = info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QFileInfo targetInfo(target_);
    if (targetInfo.isDir()) return fail(QStringLiteral("Az állomány nem hozható létre"), EISDIR);
    if (targetInfo.exists() && !targetInfo.isFile()) {
        // A device or a pipe: there is nothing to keep, and nothing may be renamed over it.
        inPlace_ = true;
        fd_ = ::open(nativePath(target_).constData(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) return fail(QStringLiteral("Az állomány nem nyitható meg írásra"), errno);
        return true;
    }
    const QString folder = targetInfo.absolutePath();
    QByteArray pattern =
        nativePath(folder + QLatin1Char('/') + QLatin1Char('.') + targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int e = errno;
        if (fallback_ == InPlaceFallback::Yes && (e == EACCES || e == EPERM) && targetInfo.isFile()) return openInPlace(e);
        return fail(QStringLiteral("Az állomány nem hozható létre"), e);
    }
    temp_ = QFile::decodeName(pattern);
    inPlace_ = false;
    // mkostemp makes the file private; the new file gets the old one's mode, or the usual one.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(nativePath(target_).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd_, mode) != 0) {
        // The content is still written whole; only its permissions differ from the old file's,
        // which is no reason to refuse saving it.
    }
    return true;
}

bool SafeFileWriter::openInPlace(int tempErrno) {
    QFile old(target_);
    if (!old.open(QIODevice::ReadOnly)) return fail(QStringLiteral("Az állomány nem hozható létre"), tempErrno);
    oldContent_ = old.readAll();
    old.close();
    fd_ = ::open(nativePath(target_).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd_ < 0) return fail(QStringLiteral("Az állomány nem nyitható meg írásra"), errno);
    inPlace_ = true;
    return true;
}

bool SafeFileWriter::writeAll(const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(QStringLiteral("Az állomány írása nem sikerült"), errno);
        }
        if (n == 0) return fail(QStringLiteral("Az állomány írása nem sikerült"), EIO);
        data += n;
        size -= n;
    }
    return true;
}

bool SafeFileWriter::flushBuffer() {
    if (buffer_.isEmpty()) return true;
    const bool ok = writeAll(buffer_.constData(), buffer_.size());
    buffer_.clear();
    return ok;
}

bool SafeFileWriter::write(const QByteArray& bytes) {
    return write(bytes.constData(), bytes.size());
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    if (failed()) return false;
    if (fd_ < 0) return fail(QStringLiteral("Az állomány nincs megnyitva"), EBADF);
    if (buffer_.size() + size > kBufferSize) {
        if (!flushBuffer()) return false;
        if (size > kBufferSize) return writeAll(data, size);
    }
    buffer_.append(data, static_cast<qsizetype>(size));
    return true;
}

void SafeFileWriter::closeFd() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool SafeFileWriter::commit() {
    if (committed_) return true;
    if (fd_ < 0 && !failed()) fail(QStringLiteral("Az állomány nincs megnyitva"), EBADF);
    if (!failed()) flushBuffer();
    // The data reaches the disk before the name moves, so a crash cannot leave an empty file
    // under the old name. A device that cannot be synced is written all the same.
    if (!failed() && ::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        fail(QStringLiteral("Az állomány írása nem sikerült"), errno);
    if (fd_ >= 0) {
        if (::close(fd_) != 0 && !failed()) fail(QStringLiteral("Az állomány írása nem sikerült"), errno);
        fd_ = -1;
    }
    if (failed()) {
        discard();
        return false;
    }
    if (!inPlace_) {
        if (::rename(nativePath(temp_).constData(), nativePath(target_).constData()) != 0) {
            fail(QStringLiteral("Az állomány nem tehető a helyére"), errno);
            discard();
            return false;
        }
        temp_.clear();
        // The rename itself is made durable with the folder.
        const int dir = ::open(nativePath(QFileInfo(target_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir); // best effort: the file is in place whatever the folder's sync says
            ::close(dir);
        }
    }
    committed_ = true;
    oldContent_.clear();
    return true;
}

void SafeFileWriter::discard() {
    closeFd();
    buffer_.clear();
    if (!temp_.isEmpty()) {
        ::unlink(nativePath(temp_).constData());
        temp_.clear();
    } else if (inPlace_ && !committed_ && QFileInfo(target_).isFile()) {
        // The in-place write was cut: the old bytes go back. They fitted before, so they fit
        // again unless another program took the space in between.
        const int fd = ::open(nativePath(target_).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd >= 0) {
            const char* p = oldContent_.constData();
            qint64 left = oldContent_.size();
            while (left > 0) {
                const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
                if (n <= 0 && errno != EINTR) break;
                if (n > 0) p += n, left -= n;
            }
            ::close(fd);
        }
    }
    inPlace_ = false;
}

FileWriteResult writeFileSafely(const QString& path, const QByteArray& bytes, SafeFileWriter::InPlaceFallback fallback) {
    FileWriteResult result;
    SafeFileWriter writer(path, fallback);
    result.ok = writer.open() && writer.write(bytes) && writer.commit();
    if (!result.ok) result.error = writer.errorString();
    return result;
}

} // namespace verbalo
