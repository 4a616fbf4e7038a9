#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The ini-style configuration file Verbalo9.ini that both programs share.
//
// Every call reads the file anew and every write rewrites it at once, keeping all other lines:
// the two programs may run together and each writes only its own keys, so neither may hold a
// stale copy that would overwrite the other's keys. Sections and keys match without regard to
// letter case; with duplicate sections or keys the first one counts. A file that is missing,
// unreadable or malformed gives the defaults.
namespace verbalo {

struct IniValue {
    QString section;
    QString key;
    QString value;
};

class IniFile {
public:
    // The longest text read back; longer values are cut.
    static constexpr int kMaxValueLength = 2047;

    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // Surrounding blanks and one pair of enclosing quotes are dropped from values.
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal; anything else gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer: any value other than 0 is true.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    // Creates the file (not its folder) and the section when missing. The file is written as
    // UTF-8 with CR LF line ends and replaced atomically; false when it could not be written.
    bool writeString(const QString& section, const QString& key, const QString& value) const;
    // Several keys in one rewrite of the file: all of them are stored, or (on a full disk, say)
    // none, with the file as it was and the reason in error.
    bool writeValues(const QList<IniValue>& values, QString* error = nullptr) const;
    bool writeInteger(const QString& section, const QString& key, int value) const;
    // Written as "1" or "0".
    bool writeBool(const QString& section, const QString& key, bool value) const;

private:
    QString path_;
};

// The lines of an ini file's bytes: UTF-8 or Windows-1250 as plain-text files are detected,
// except that a file mixing the two is decoded line by line, so lines written by different
// programs each keep their characters.
QStringList decodeIniLines(const QByteArray& bytes);

} // namespace verbalo
