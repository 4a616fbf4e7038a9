#include "internet/logic/zip_pack.h"

#include "common/safe_file_writer.h"

#include <zip.h>

namespace verbalo {
namespace {

struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

} // namespace

QByteArray zipArchiveBytes(const QList<ZipMember>& members) {
    zip_error_t error;
    zip_error_init(&error);
    // The archive is built in memory: a buffer source that keeps what zip_close writes.
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!buffer) return QByteArray();
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, SourceFreer> kept(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    if (!archive) return QByteArray();
    for (const ZipMember& m : members) {
        // No copy: members outlive zip_close below.
        zip_source_t* source = zip_source_buffer(archive, m.bytes.constData(), zip_uint64_t(m.bytes.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, m.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return QByteArray();
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        if (m.unixMode) zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, m.unixMode << 16);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return QByteArray();
    }
    QByteArray bytes;
    if (zip_source_open(buffer) != 0) return QByteArray();
    char chunk[64 * 1024];
    for (zip_int64_t n; (n = zip_source_read(buffer, chunk, sizeof chunk)) > 0;) bytes.append(chunk, n);
    zip_source_close(buffer);
    return bytes;
}

bool writeZipArchive(const QString& path, const QList<ZipMember>& members, QString* error) {
    const QByteArray bytes = zipArchiveBytes(members);
    if (bytes.isEmpty()) {
        if (error) *error = QStringLiteral("Az archívum nem készíthető el: %1").arg(path);
        return false;
    }
    const FileWriteResult written = writeFileSafely(path, bytes);
    if (!written.ok && error) *error = written.error;
    return written.ok;
}

} // namespace verbalo
