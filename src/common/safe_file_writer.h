#pragma once

#include <QByteArray>
#include <QString>

namespace verbalo {

// The one way the programs write a file: the new content goes to a temporary file beside the
// target, every write and the final flush to the disk are checked, and only then does it take
// the target's name. A write that fails (a full disk, a quota, a size limit, a vanished folder)
// leaves the previous file byte for byte as it was, and says why in the error text.
//
// Targets that are not regular files (a device such as /dev/full, a pipe) are written in place,
// since renaming over them would replace the device; their write errors are still reported.
class SafeFileWriter {
public:
    // How to behave in a folder that refuses new files but holds a writable target (an ini file
    // in a shared program folder): refuse, or write the target in place, putting the old bytes
    // back when that write fails.
    enum class InPlaceFallback { No, Yes };

    explicit SafeFileWriter(QString path, InPlaceFallback fallback = InPlaceFallback::No);
    ~SafeFileWriter(); // a writer that was not committed leaves the target untouched
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool open();
    // Buffered; the first failure is kept and every later call returns false.
    bool write(const QByteArray& bytes);
    bool write(const char* data, qint64 size);
    // Flushes, syncs and puts the file in place. False (and the target untouched) on any failure.
    bool commit();
    // Drops what was written; the target stays as it was.
    void discard();

    bool failed() const { return !error_.isEmpty(); }
    // Hungarian, naming the file and the reason ("… a lemez megtelt").
    QString errorString() const { return error_; }
    const QString& path() const { return path_; }

private:
    bool flushBuffer();
    bool writeAll(const char* data, qint64 size);
    bool fail(const QString& what, int errnoValue);
    bool openInPlace(int tempErrno);
    void closeFd();

    QString path_;   // the name the caller gave
    QString target_; // the file that ends up written (a symbolic link followed)
    QString temp_;   // the temporary file, empty when writing in place
    InPlaceFallback fallback_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool committed_ = false;
    QByteArray oldContent_; // kept for an in-place write into a regular file
    QByteArray buffer_;
    QString error_;
};

struct FileWriteResult {
    bool ok = false;
    QString error;
};

// The whole content at once, through SafeFileWriter.
FileWriteResult writeFileSafely(const QString& path, const QByteArray& bytes,
                                SafeFileWriter::InPlaceFallback fallback = SafeFileWriter::InPlaceFallback::No);

// The reason an errno stands for, in Hungarian.
QString fileErrorReason(int errnoValue);

} // namespace verbalo
