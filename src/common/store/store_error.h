#pragma once

#include <QString>
#include <exception>
#include <string>

namespace verbalo::store {

// Every failure of the table store. The message is plain English naming what failed
// ("no such table: angol"); windows put their own Hungarian prefix before it.
class StoreError : public std::exception {
public:
    explicit StoreError(QString message, int engineCode = 0)
        : message_(std::move(message)), utf8_(message_.toStdString()), engineCode_(engineCode) {}
    const QString& message() const noexcept { return message_; }
    // The engine's extended result code, 0 when the failure is the store's own.
    int engineCode() const noexcept { return engineCode_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
    int engineCode_ = 0;
};

} // namespace verbalo::store
