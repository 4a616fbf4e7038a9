#pragma once

#include "common/text_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace verbalo {

// How much of a file an import reads and decodes at a time.
constexpr qint64 kImportChunkBytes = 1 << 20;

// A text file's lines as readImportText and forEachLine give them (a NUL ends the text, UTF-8
// or Windows-1250 decided as for the whole file, lines ending at CR LF, CR or LF), read and
// decoded a chunk at a time, so that an import of a large file holds about one chunk of it
// instead of its bytes and its whole text at once.
class ImportLineReader {
public:
    explicit ImportLineReader(QString path, qint64 chunkBytes = kImportChunkBytes);

    // False when the file cannot be opened; error() says why, in readImportText's words.
    bool open();
    // Offers the lines to use, until use returns false; keepEmptyLastLine as forEachLine's.
    // False when reading the file failed on the way (error() says why): the lines before the
    // failure have been offered.
    bool forEachLine(bool keepEmptyLastLine, const std::function<bool(QStringView)>& use);
    const QString& error() const { return error_; }

private:
    bool decideEncoding(QByteArray ahead);
    bool readFailed();

    QString path_;
    qint64 chunkBytes_;
    QFile file_;
    bool atEnd_ = false;
    std::optional<TextEncoding> encoding_;
    QString error_;
};

} // namespace verbalo
