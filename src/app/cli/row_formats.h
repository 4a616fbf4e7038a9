#pragma once

#include <QStringList>
#include <QTextStream>
#include <QVariant>

#include <memory>
#include <optional>

// Rows written for other programs to read: tab-separated, CSV (RFC 4180) or JSON. Values come as
// the store gives them: null, 64-bit integers, doubles, texts and blobs (QByteArray).
namespace verbalo::cli {

enum class RowFormat { Tsv, Csv, Json };

// "tsv", "csv" or "json"; nothing for any other name.
std::optional<RowFormat> rowFormatNamed(const QString& name);

class RowWriter {
public:
    virtual ~RowWriter() = default;
    virtual void begin(const QStringList& columns) = 0;
    virtual void row(const QVariantList& values) = 0;
    virtual void end() = 0;
};

std::unique_ptr<RowWriter> makeRowWriter(RowFormat format, QTextStream& out);

// A tsv value: tab, CR, LF and backslash as \t, \r, \n and \\, so that one row stays one line
// and the value can be read back exactly.
QString tsvEscaped(const QString& text);

} // namespace verbalo::cli
