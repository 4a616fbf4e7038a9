#include "common/catalogue.h"

#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/sqlite_handle.h"
#include "common/store/table.h"
#include "common/table_layouts.h"

#include <QFile>
#include <QtEndian>

namespace verbalo {

namespace {

QString textOf(const store::ResultSet& rs, const char* column) {
    return rs.text(QLatin1String(column));
}

int intOf(const store::ResultSet& rs, const char* column) {
    const QVariant v = rs.value(QLatin1String(column));
    return v.isNull() ? 0 : v.toInt();
}

double shareOf(const store::ResultSet& rs, const char* column) {
    const QVariant v = rs.value(QLatin1String(column));
    return v.isNull() ? 0.5 : v.toDouble();
}

QByteArray blobOf(const store::ResultSet& rs, const char* column) {
    const QVariant v = rs.value(QLatin1String(column));
    return v.isNull() ? QByteArray() : v.toByteArray();
}

} // namespace

bool looksLikeIconFile(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n") || (bytes.startsWith("BM") && bytes.size() > 54)) return true;
    // ICO: a 6-byte directory header (0, type 1, count) and 16-byte entries pointing inside the file.
    if (bytes.size() < 6 + 16) return false;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(p) != 0 || qFromLittleEndian<quint16>(p + 2) != 1) return false;
    const int count = qFromLittleEndian<quint16>(p + 4);
    if (count == 0 || 6 + 16 * count > bytes.size()) return false;
    for (int i = 0; i < count; ++i) {
        const uchar* e = p + 6 + 16 * i;
        const quint32 size = qFromLittleEndian<quint32>(e + 8);
        const quint32 offset = qFromLittleEndian<quint32>(e + 12);
        if (size == 0 || offset < 6u + 16u * count || quint64(offset) + size > quint64(bytes.size())) return false;
    }
    return true;
}

QByteArray defaultSmallIcon(const QString& programFolder) {
    QFile f(programFolder + QStringLiteral("/Ico/Default16.ico"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

namespace {

// Fills info from the first row of a catalogue query; false (info empty but for the id) when
// it found none.
bool fillInfo(store::Query& q, TSzotarak& info, int id, const QString& programFolder) {
    info = TSzotarak();
    info.szotarak = id;
    store::ResultSet rs = q.open();
    if (rs.eof()) {
        info.nyelv1szeles = info.nyelv2szeles = 0.5;
        return false;
    }
    if (id < 0) info.szotarak = intOf(rs, "szotarak");
    info.szotarak_nev = textOf(rs, "szotarak_nev");
    info.tablanev = textOf(rs, "tablanev");
    info.tipus = intOf(rs, "tipus");
    info.verzio = intOf(rs, "verzio");
    info.nyelv1 = textOf(rs, "nyelv1");
    info.nyelv2 = textOf(rs, "nyelv2");
    info.szerzo = textOf(rs, "szerzo");
    info.szerzo_emil = textOf(rs, "szerzo_emil");
    info.megjegyzes = textOf(rs, "megjegyzes");
    info.nyelv1szeles = shareOf(rs, "nyelv1szeles");
    info.nyelv2szeles = shareOf(rs, "nyelv2szeles");
    info.ablak = intOf(rs, "ablak");
    info.sorrend = textOf(rs, "sorrend");

    // A broken icon is skipped: the language icons fall back on the default one, the large
    // icon stays empty so that the window shows its own default.
    const QByteArray large = blobOf(rs, "ikon_nagy");
    info.ikon_nagy = looksLikeIconFile(large) ? large : QByteArray();
    QByteArray fallback;
    for (auto [column, target] : {std::pair{"nyelv1ikon", &info.nyelv1ikon}, std::pair{"nyelv2ikon", &info.nyelv2ikon}}) {
        const QByteArray bytes = blobOf(rs, column);
        if (looksLikeIconFile(bytes)) {
            *target = bytes;
        } else {
            if (fallback.isNull()) fallback = defaultSmallIcon(programFolder);
            *target = fallback;
        }
    }
    return true;
}

} // namespace

bool readDictionaryInfo(store::Database& db, int id, TSzotarak& info, const QString& programFolder) {
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT * FROM szotarak WHERE szotarak=%1;").arg(id));
    return fillInfo(q, info, id, programFolder);
}

bool readFirstDictionaryInfo(store::Database& db, TSzotarak& info, const QString& programFolder) {
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT * FROM szotarak ORDER BY szotarak LIMIT 1;"));
    return fillInfo(q, info, -1, programFolder);
}

int dictionaryTypeOf(store::Database& db, int id) {
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT tipus FROM szotarak WHERE szotarak=") + QString::number(id) + QStringLiteral(";"));
    store::ResultSet rs = q.open();
    if (rs.eof()) return 0;
    const QVariant v = rs.value(0);
    return v.isNull() ? 0 : v.toInt();
}

void runStatement(store::Database& db, const QString& statement) {
    store::Query q(db);
    q.setSql(statement);
    q.exec();
}

void refreshExistence(store::Database& db) {
    const QStringList tables = db.tableNames();
    store::Table t(db);
    t.setTableName(kCatalogueTable);
    t.setFiltered(false);
    t.open();
    for (t.first(); !t.eof(); t.next()) {
        const bool exists = isTablePresent(tables, t.text(QStringLiteral("tablanev")));
        const QString wanted = exists ? QStringLiteral("I") : QStringLiteral("N");
        if (t.text(QStringLiteral("letezik")) != wanted) {
            t.edit();
            t.setValue(QStringLiteral("letezik"), wanted);
            t.post();
        }
    }
}

bool isTablePresent(const QStringList& tableNames, const QString& tablanev) {
    return !tablanev.isEmpty() && tableNames.contains(store::Database::stripExtension(tablanev), Qt::CaseInsensitive);
}

QList<CatalogueEntry> catalogueEntries(store::Database& db) {
    const QStringList tables = db.tableNames();
    QList<CatalogueEntry> entries;
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT szotarak, szotarak_nev, tablanev, tipus FROM szotarak ORDER BY szotarak;"));
    for (store::ResultSet rs = q.open(); !rs.eof(); rs.next()) {
        const QString table = textOf(rs, "tablanev");
        entries.append(
            {intOf(rs, "szotarak"), textOf(rs, "szotarak_nev"), table, intOf(rs, "tipus"), isTablePresent(tables, table)});
    }
    return entries;
}

int findDictionaryId(store::Database& db, const QString& idOrName) {
    bool numeric = false;
    const int id = idOrName.toInt(&numeric);
    if (numeric) return dictionaryTypeOf(db, id) != 0 ? id : 0;
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT szotarak FROM szotarak WHERE szotarak_nev=%1 OR lower(tablanev)=lower(%1) ORDER BY szotarak;")
                 .arg(store::quoteLiteral(idOrName)));
    store::ResultSet rs = q.open();
    return rs.eof() ? 0 : rs.value(0).toInt();
}

QString otherLanguageColumn(const QString& column) {
    return column == kFirstLanguageColumn ? kSecondLanguageColumn : kFirstLanguageColumn;
}

bool createEmptyCatalogue(const QString& dataFolder, QString* error) {
    try {
        store::Database db;
        db.connect(QStringLiteral("szotar"), dataFolder);
        if (db.tableExists(kCatalogueTable)) return true;
        runStatement(db, createCatalogueStatement());
        runStatement(db, createCatalogueIndexStatement());
        return true;
    } catch (const store::StoreError& e) {
        if (error) *error = e.message();
        return false;
    }
}

} // namespace verbalo
