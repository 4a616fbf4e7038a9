#include "internet/logic/package_registration.h"

#include "common/catalogue.h"
#include "common/ini_file.h"
#include "common/store/table.h"
#include "common/table_layouts.h"

#include <QDir>
#include <QFile>
#include <QLocale>

namespace verbalo {
namespace {

const QString kSection = QStringLiteral("dict");

// The system's decimal separator, as the settings files are written on the user's machine.
double readDecimal(const IniFile& ini, const QString& key, double defaultValue) {
    bool ok = false;
    const double value = QLocale::system().toDouble(ini.readString(kSection, key, QString()), &ok);
    return ok ? value : defaultValue;
}

// Empty for a missing or empty file: the column then stays empty and windows draw their default.
QByteArray iconBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

} // namespace

TSzotarak readPackageSettings(const QString& iniPath) {
    const IniFile ini(iniPath);
    const auto text = [&ini](const char* key, const QString& defaultValue = QString()) {
        return ini.readString(kSection, QLatin1String(key), defaultValue);
    };
    TSzotarak s;
    s.szotarak_nev = text("szotarak_nev");
    s.tablanev = text("tablanev");
    s.tipus = ini.readInteger(kSection, QStringLiteral("tipus"), 1);
    s.verzio = ini.readInteger(kSection, QStringLiteral("verzio"), 1);
    s.nyelv1 = text("nyelv1", kFirstLanguageColumn);
    s.nyelv2 = text("nyelv2", kSecondLanguageColumn);
    s.szerzo = text("szerzo");
    s.szerzo_emil = text("szerzo_emil");
    s.megjegyzes = text("megjegyzes");
    s.nyelv1szeles = readDecimal(ini, QStringLiteral("nyelv1szeles"), 0.5);
    s.nyelv2szeles = readDecimal(ini, QStringLiteral("nyelv2szeles"), 0.5);
    s.sorrend = text("sorrend", kFirstLanguageColumn);
    s.ablak = ini.readInteger(kSection, QStringLiteral("ablak"), 0);
    return s;
}

TSzotarak readPackage(const QString& folder, const QString& listTableName) {
    const QDir dir(folder);
    TSzotarak row = readPackageSettings(dir.filePath(QStringLiteral(".ini")));
    const auto icon = [&](int n) { return iconBytes(dir.filePath(QStringLiteral("%1%2.ico").arg(listTableName).arg(n))); };
    row.nyelv1ikon = icon(1);
    row.nyelv2ikon = icon(2);
    row.ikon_nagy = icon(3);
    return row;
}

bool registerPackage(store::Database& db, const QString& listTableName, const TSzotarak& s) {
    bool added = false;
    {
        store::Table catalogue(db);
        catalogue.setTableName(kCatalogueTable);
        catalogue.open();
        if (!catalogue.locate(QStringLiteral("tablanev"), listTableName)) {
            catalogue.insert();
            catalogue.setValue(QStringLiteral("szotarak_nev"), s.szotarak_nev);
            catalogue.setValue(QStringLiteral("tablanev"), s.tablanev);
            catalogue.setValue(QStringLiteral("tipus"), s.tipus);
            catalogue.setValue(QStringLiteral("verzio"), s.verzio);
            catalogue.setValue(QStringLiteral("nyelv1"), s.nyelv1);
            catalogue.setValue(QStringLiteral("nyelv2"), s.nyelv2);
            catalogue.setValue(QStringLiteral("szerzo"), s.szerzo);
            catalogue.setValue(QStringLiteral("szerzo_emil"), s.szerzo_emil);
            catalogue.setValue(QStringLiteral("megjegyzes"), s.megjegyzes);
            catalogue.setValue(QStringLiteral("nyelv1szeles"), s.nyelv1szeles);
            catalogue.setValue(QStringLiteral("nyelv2szeles"), s.nyelv2szeles);
            catalogue.setValue(QStringLiteral("sorrend"), s.sorrend);
            catalogue.setValue(QStringLiteral("ablak"), s.ablak);
            if (!s.nyelv1ikon.isEmpty()) catalogue.setBlob(QStringLiteral("nyelv1ikon"), s.nyelv1ikon);
            if (!s.nyelv2ikon.isEmpty()) catalogue.setBlob(QStringLiteral("nyelv2ikon"), s.nyelv2ikon);
            if (!s.ikon_nagy.isEmpty()) catalogue.setBlob(QStringLiteral("ikon_nagy"), s.ikon_nagy);
            catalogue.post();
            added = true;
        }
    }
    refreshExistence(db);
    return added;
}

} // namespace verbalo
