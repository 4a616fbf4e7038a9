#include "common/settings.h"

#include "common/table_layouts.h"

#include <variant>

namespace verbalo {
namespace {

const QString kDatabase = QStringLiteral("Database");
const QString kExport = QStringLiteral("Export");
const QString kScreen = QStringLiteral("Screen");
const QString kDefaults = QStringLiteral("Defaults");
const QString kInternet = QStringLiteral("Internet");

// How a key is kept in the file. A folder is read through configuredFolder, so an empty or
// missing value gives the program's own folder.
enum class Stored { Written, ReadOnly };

// One key of a settings record: where it lives, which field holds it, and whether the program
// writes it back. The field's current value is the default when the key is missing, so the
// defaults stay in the records' declarations.
template <class Record>
struct SettingKey {
    const QString& section;
    const char* key;
    std::variant<QString Record::*, int Record::*, bool Record::*> field;
    Stored stored = Stored::Written;
    const QString Folders::*defaultFolder = nullptr; // set for folder keys
};

// The order is the order in which the keys are written.
const SettingKey<MainSettings> kMainKeys[] = {
    {kDatabase, "Path", &MainSettings::dataFolder, Stored::Written, &Folders::dataFolder},
    {kExport, "Html", &MainSettings::htmlFolder, Stored::Written, &Folders::htmlFolder},
    {kScreen, "FontSize", &MainSettings::fontSize},
    {kScreen, "FullScreen", &MainSettings::fullScreen},
    {kScreen, "MDIFullScreen", &MainSettings::mdiFullScreen},
    {kDefaults, "LastDict", &MainSettings::lastDict},
    {kDefaults, "OpenList", &MainSettings::openList},
    {kScreen, "Left", &MainSettings::left},
    {kScreen, "Top", &MainSettings::top},
    {kScreen, "Width", &MainSettings::width},
    {kScreen, "Height", &MainSettings::height},
    {kInternet, "Server", &MainSettings::server, Stored::ReadOnly},
};

// The data folder belongs to the main program: the quick finder reads it and never writes it.
const SettingKey<QuickFinderSettings> kQuickKeys[] = {
    {kDatabase, "Path", &QuickFinderSettings::dataFolder, Stored::ReadOnly, &Folders::dataFolder},
    {kDatabase, "LastGyDict", &QuickFinderSettings::lastDict},
    {kDatabase, "GyOrder", &QuickFinderSettings::orderColumn},
    {kScreen, "GyLeft", &QuickFinderSettings::left},
    {kScreen, "GyTop", &QuickFinderSettings::top},
    {kScreen, "GyWidth", &QuickFinderSettings::width},
    {kScreen, "GyHeight", &QuickFinderSettings::height},
};

template <class Record, size_t N>
Record loadKeys(const SettingKey<Record> (&keys)[N], const IniFile& ini, const Folders& folders) {
    Record r;
    for (const SettingKey<Record>& k : keys) {
        const QString key = QLatin1String(k.key);
        if (auto text = std::get_if<QString Record::*>(&k.field)) {
            r.*(*text) = k.defaultFolder ? configuredFolder(ini, k.section, key, folders.*(k.defaultFolder))
                                         : ini.readString(k.section, key, r.*(*text));
        } else if (auto number = std::get_if<int Record::*>(&k.field)) {
            r.*(*number) = ini.readInteger(k.section, key, r.*(*number));
        } else if (auto flag = std::get_if<bool Record::*>(&k.field)) {
            r.*(*flag) = ini.readBool(k.section, key, r.*(*flag));
        }
    }
    return r;
}

template <class Record, size_t N>
bool saveKeys(const SettingKey<Record> (&keys)[N], const IniFile& ini, const Record& r, QString* error) {
    QList<IniValue> values;
    for (const SettingKey<Record>& k : keys) {
        if (k.stored == Stored::ReadOnly) continue;
        QString value;
        if (auto text = std::get_if<QString Record::*>(&k.field))
            value = r.*(*text);
        else if (auto number = std::get_if<int Record::*>(&k.field))
            value = QString::number(r.*(*number));
        else if (auto flag = std::get_if<bool Record::*>(&k.field))
            value = r.*(*flag) ? QStringLiteral("1") : QStringLiteral("0");
        values.append({k.section, QLatin1String(k.key), value});
    }
    return ini.writeValues(values, error);
}

} // namespace

MainSettings loadSettings(const IniFile& ini, const Folders& folders) {
    return loadKeys(kMainKeys, ini, folders);
}

bool saveSettings(const IniFile& ini, const MainSettings& s, QString* error) {
    return saveKeys(kMainKeys, ini, s, error);
}

QuickFinderSettings loadQuickFinderSettings(const IniFile& ini, const Folders& folders) {
    QuickFinderSettings s = loadKeys(kQuickKeys, ini, folders);
    // The value names the index the dictionary is ordered by; a stray value would make every
    // lookup fail, so anything but the second column means the first.
    s.orderColumn =
        s.orderColumn.compare(kSecondLanguageColumn, Qt::CaseInsensitive) == 0 ? kSecondLanguageColumn : kFirstLanguageColumn;
    return s;
}

bool saveQuickFinderSettings(const IniFile& ini, const QuickFinderSettings& s, QString* error) {
    return saveKeys(kQuickKeys, ini, s, error);
}

} // namespace verbalo
