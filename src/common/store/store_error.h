#pragma once

#include <QString>
#include <exception>
#include <string>

namespace verbalo::store {

// Every failure of the table store. The message is plain English naming what failed
// ("no such table: angol"); windows put their own Hungarian prefix before it.
class StoreError : public std::exception {
public:
    // What a caller can do about a failure. Only RowRefused means "this one row is wrong and
    // the rest may go on"; every other kind stops an import or an editor's save.
    enum class Kind {
        Other,      // anything else: a bad statement, a missing table, a programming error
        RowRefused, // the row itself: duplicate key, empty key, a value the column refuses
        Busy,       // another connection or program holds the table past the busy timeout
        Damaged,    // the table file is not a database or its pages are corrupt
        Io,         // the disk: full, read-only, unreadable, cannot open
    };

    explicit StoreError(QString message, int engineCode = 0)
        : StoreError(std::move(message), engineCode, kindOfEngineCode(engineCode)) {}
    StoreError(QString message, int engineCode, Kind kind)
        : message_(std::move(message)), utf8_(message_.toStdString()), engineCode_(engineCode), kind_(kind) {}

    const QString& message() const noexcept { return message_; }
    // The engine's extended result code, 0 when the failure is the store's own.
    int engineCode() const noexcept { return engineCode_; }
    Kind kind() const noexcept { return kind_; }
    bool isRowRefusal() const noexcept { return kind_ == Kind::RowRefused; }
    const char* what() const noexcept override { return utf8_.c_str(); }

    // The same failure as said of a table: "table angol is damaged: …", "table angol is in use
    // by another program: …", "table angol: …". A message that already names the table is
    // kept as it is.
    static StoreError ofTable(const QString& table, const StoreError& e) {
        const QString plain = QStringLiteral("table %1: ").arg(table);
        const QString named = QStringLiteral("table %1 ").arg(table);
        if (e.message().startsWith(named)) return e;
        switch (e.kind()) {
        case Kind::Busy:
            return StoreError(QStringLiteral("table %1 is in use by another program: %2").arg(table, e.message()), e.engineCode(),
                              e.kind());
        case Kind::Damaged:
            return StoreError(QStringLiteral("table %1 is damaged: %2").arg(table, e.message()), e.engineCode(), e.kind());
        default: return StoreError(plain + e.message(), e.engineCode(), e.kind());
        }
    }

    // The kind an engine result code stands for (the primary code is its low byte).
    static Kind kindOfEngineCode(int engineCode) noexcept {
        switch (engineCode & 0xff) {
        case 18: // SQLITE_TOOBIG
        case 19: // SQLITE_CONSTRAINT
        case 20: // SQLITE_MISMATCH
            return Kind::RowRefused;
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return Kind::Busy;
        case 11: // SQLITE_CORRUPT
        case 26: // SQLITE_NOTADB
            return Kind::Damaged;
        case 3:  // SQLITE_PERM
        case 8:  // SQLITE_READONLY
        case 10: // SQLITE_IOERR
        case 13: // SQLITE_FULL
        case 14: // SQLITE_CANTOPEN
            return Kind::Io;
        default: return Kind::Other;
        }
    }

private:
    QString message_;
    std::string utf8_;
    int engineCode_ = 0;
    Kind kind_ = Kind::Other;
};

} // namespace verbalo::store
