#include "internet/logic/catalogue_transfer.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/table_layouts.h"
#include "internet/logic/file_download.h"
#include "internet/logic/package_registration.h"
#include "internet/logic/zip_unpack.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

namespace verbalo {
namespace {

TransferOutcome outcome(TransferOutcome::Kind kind, const QString& detail) {
    return TransferOutcome{kind, detail};
}

} // namespace

const ListArchive& dictionaryListArchive() {
    static const ListArchive list{QStringLiteral("internet"), QStringLiteral("/data/internet.zip"), 14372};
    return list;
}

const ListArchive& programListArchive() {
    static const ListArchive list{QStringLiteral("programok"), QStringLiteral("/data/programok.zip"), 227009};
    return list;
}

QString localArchiveName(const QString& address) {
    const int cut = std::max(address.lastIndexOf(QLatin1Char('/')), address.lastIndexOf(QLatin1Char(':')));
    return address.mid(cut + 1);
}

QString TransferOutcome::message() const {
    switch (kind) {
    case Kind::Done: return QString();
    case Kind::LocalFileFailed: return QStringLiteral("File létrehozási hiba");
    case Kind::DownloadFailed:
        return QStringLiteral("Hiba letöltés közben: Kiszolgáló nem elérhető, vagy\r\nspeciális proxibeállítások szükségesek");
    case Kind::UnpackFailed: return QStringLiteral("Hiba az archívum kibontása közben");
    case Kind::CatalogueFailed: return QStringLiteral("A szótár nem került be a katalógusba: %1").arg(detail);
    }
    return QString();
}

CatalogueTransfer::CatalogueTransfer(store::Database& db, QString settingsFolder, TransferOptions options,
                                     TransferProgress progress)
    : db_(db), settingsFolder_(std::move(settingsFolder)), options_(std::move(options)), progress_(std::move(progress)) {}

TransferOutcome CatalogueTransfer::fetch(const QString& address, const QString& localPath, qint64 maximum) {
    if (progress_.range) progress_.range(0, int(std::min<qint64>(maximum, std::numeric_limits<int>::max())));
    if (progress_.position) progress_.position(0);
    FileDownload download(address, localPath, options_.stallTimeout);
    QEventLoop loop;
    QObject::connect(&download, &FileDownload::progress, &loop, [this](qint64 received) {
        if (progress_.position) progress_.position(received);
    });
    QObject::connect(&download, &FileDownload::finished, &loop, &QEventLoop::quit);
    download.start();
    if (!download.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (progress_.position) progress_.position(0);
    if (download.succeeded()) return outcome(TransferOutcome::Kind::Done, QString());
    return outcome(download.failure() == FileDownload::Failure::LocalFile ? TransferOutcome::Kind::LocalFileFailed
                                                                          : TransferOutcome::Kind::DownloadFailed,
                   download.error());
}

TransferOutcome CatalogueTransfer::unpackAndPlace(const QString& archivePath,
                                                  const std::function<void(const QString&)>& beforePlacing) {
    if (progress_.range) progress_.range(1, 100);
    // Inside the data folder, so that placing a file is a rename on the same disk; the folder
    // and whatever is left in it go when this returns.
    QTemporaryDir staging(QDir(db_.folder()).filePath(QStringLiteral(".kibontas-XXXXXX")));
    if (!staging.isValid())
        return outcome(TransferOutcome::Kind::UnpackFailed, QStringLiteral("no staging folder: %1").arg(staging.errorString()));
    const UnpackResult unpacked = unpackArchive(archivePath, staging.path(), [this](int percent) {
        if (progress_.position) progress_.position(percent);
    });
    if (!unpacked.ok) return outcome(TransferOutcome::Kind::UnpackFailed, unpacked.error);
    if (beforePlacing) beforePlacing(staging.path());
    const PlacementResult placed =
        placeStagedFiles(db_, StagedFiles{staging.path(), unpacked.files}, {kCatalogueTable}, options_.beforeReplace);
    if (!placed.ok) return outcome(TransferOutcome::Kind::UnpackFailed, placed.error);
    if (!QFile::remove(archivePath))
        return outcome(TransferOutcome::Kind::UnpackFailed, QStringLiteral("%1 cannot be deleted").arg(archivePath));
    return outcome(TransferOutcome::Kind::Done, QString());
}

TransferOutcome CatalogueTransfer::refreshList(const ListArchive& list, const QString& server) {
    const QString localPath = QDir(settingsFolder_).filePath(localArchiveName(list.path));
    TransferOutcome fetched = fetch(server + list.path, localPath, list.downloadMaximum);
    if (!fetched.ok()) return fetched;
    return unpackAndPlace(localPath, {});
}

TransferOutcome CatalogueTransfer::installPackage(const QString& address, const QString& listTableName, qint64 expectedSize) {
    const QString name = localArchiveName(address);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return outcome(TransferOutcome::Kind::LocalFileFailed, QStringLiteral("no file name in %1").arg(address));
    const QString localPath = QDir(settingsFolder_).filePath(name);
    TransferOutcome fetched = fetch(address, localPath, expectedSize);
    if (!fetched.ok()) return fetched;
    TSzotarak row;
    TransferOutcome placed =
        unpackAndPlace(localPath, [&](const QString& staging) { row = readPackage(staging, listTableName); });
    if (!placed.ok()) return placed;
    try {
        registerPackage(db_, listTableName, row);
    } catch (const store::StoreError& e) {
        return outcome(TransferOutcome::Kind::CatalogueFailed, e.message());
    }
    return outcome(TransferOutcome::Kind::Done, QString());
}

} // namespace verbalo
