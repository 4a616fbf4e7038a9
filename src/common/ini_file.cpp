#include "common/ini_file.h"

#include "common/codepage.h"
#include "common/safe_file_writer.h"
#include "common/text_file.h"
#include "common/text_routines.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <optional>
#include <utility>

namespace verbalo {
namespace {

// Where a key lives in the lines of the file.
struct KeyLocation {
    int sectionLine = -1; // the first header of the section, -1 when missing
    int sectionEnd = -1;  // the line after the section's last line
    int keyLine = -1;     // the first line of the key inside that section, -1 when missing
    QString rawValue;
};

std::optional<QString> sectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('['))) return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

bool splitKeyLine(const QString& line, QString* key, QString* value) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';'))) return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    *key = line.left(eq).trimmed();
    if (value) *value = line.mid(eq + 1);
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

KeyLocation locate(const QStringList& lines, const QString& section, const QString& key) {
    KeyLocation where;
    for (int i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(lines.at(i));
        if (where.sectionLine >= 0) {
            if (name) {
                where.sectionEnd = i;
                return where;
            }
            QString lineKey;
            QString value;
            if (where.keyLine < 0 && splitKeyLine(lines.at(i), &lineKey, &value) && sameName(lineKey, key)) {
                where.keyLine = i;
                where.rawValue = std::move(value);
            }
        } else if (name && sameName(*name, section)) {
            where.sectionLine = i;
        }
    }
    where.sectionEnd = static_cast<int>(lines.size());
    return where;
}

// The file's lines; none for a missing file, nullopt for one that exists but cannot be read.
std::optional<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path)) return std::nullopt;
        return QStringList();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return decodeIniLines(bytes);
}

std::optional<QString> readValue(const QString& path, const QString& section, const QString& key) {
    const KeyLocation where = locate(readLines(path).value_or(QStringList()), section, key);
    if (where.keyLine < 0) return std::nullopt;
    QString value = where.rawValue.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    // Never cut between the two halves of a surrogate pair.
    if (value.size() > IniFile::kMaxValueLength) {
        int length = IniFile::kMaxValueLength;
        if (value.at(length - 1).isHighSurrogate()) --length;
        value.truncate(length);
    }
    return value;
}

// Puts key=value into its section of lines, adding the section when missing.
void setLine(QStringList& lines, const QString& section, const QString& key, const QString& value) {
    // A line break inside the value would split it into lines of their own.
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString keyLine = key + QLatin1Char('=') + flat;

    const KeyLocation where = locate(lines, section, key);
    if (where.keyLine >= 0) {
        lines[where.keyLine] = keyLine;
    } else if (where.sectionLine >= 0) {
        // After the section's last non-blank line, so blank lines keep separating sections.
        int insertAt = where.sectionEnd;
        while (insertAt - 1 > where.sectionLine && lines.at(insertAt - 1).trimmed().isEmpty()) --insertAt;
        lines.insert(insertAt, keyLine);
    } else {
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(keyLine);
    }
}

} // namespace

QStringList decodeIniLines(const QByteArray& bytes) {
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray body = bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes;
    if (isValidUtf8(body)) return splitLines(decodeText(body), false);
    QStringList lines;
    // Line breaks are ASCII in both encodings, so the bytes can be split before decoding.
    for (const QString& rawLine : splitLines(QString::fromLatin1(body), false)) {
        const QByteArray lineBytes = rawLine.toLatin1();
        lines.append(isValidUtf8(lineBytes) ? QString::fromUtf8(lineBytes) : decodeCp1250(lineBytes));
    }
    return lines;
}

IniFile::IniFile(QString path) : path_(std::move(path)) {}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    return readValue(path_, section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    const std::optional<QString> text = readValue(path_, section, key);
    if (!text) return defaultValue;
    bool ok = false;
    const int value = text->toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) const {
    return writeValues({{section, key, value}});
}

bool IniFile::writeValues(const QList<IniValue>& values, QString* error) const {
    // Serialises the read-modify-write of the two programs; when the lock cannot be had (a
    // read-only folder, a stuck peer) the write is still tried, as losing it would be worse.
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.tryLock(3000);

    // Writing a file that could not be read would throw away every other key in it.
    std::optional<QStringList> existing = readLines(path_);
    if (!existing) {
        if (error) *error = QStringLiteral("A beállítások állománya nem olvasható: %1").arg(path_);
        return false;
    }
    QStringList lines = std::move(*existing);
    for (const IniValue& v : values) setLine(lines, v.section, v.key, v.value);

    QByteArray bytes;
    for (const QString& line : std::as_const(lines)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    // An ini file that may be written where no new file may be created (a shared program
    // folder) is still saved in place, with the old bytes put back when that write fails.
    const FileWriteResult written = writeFileSafely(path_, bytes, SafeFileWriter::InPlaceFallback::Yes);
    if (!written.ok && error) *error = written.error;
    return written.ok;
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) const {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) const {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace verbalo
