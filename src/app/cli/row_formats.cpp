#include "app/cli/row_formats.h"

#include <QLocale>

#include <cmath>

namespace verbalo::cli {

namespace {

bool isBlob(const QVariant& v) {
    return v.typeId() == QMetaType::QByteArray;
}

class TsvWriter : public RowWriter {
public:
    explicit TsvWriter(QTextStream& out) : out_(out) {}
    void begin(const QStringList& columns) override { line(columns); }
    void row(const QVariantList& values) override {
        QStringList cells;
        for (const QVariant& v : values) {
            if (v.isNull())
                cells << QString();
            else if (isBlob(v))
                cells << QStringLiteral("<%1 bytes>").arg(v.toByteArray().size());
            else
                cells << tsvEscaped(v.toString());
        }
        out_ << cells.join(QLatin1Char('\t')) << '\n';
    }
    void end() override {}

private:
    void line(const QStringList& cells) {
        QStringList escaped;
        for (const QString& c : cells) escaped << tsvEscaped(c);
        out_ << escaped.join(QLatin1Char('\t')) << '\n';
    }
    QTextStream& out_;
};

class CsvWriter : public RowWriter {
public:
    explicit CsvWriter(QTextStream& out) : out_(out) {}
    void begin(const QStringList& columns) override { record(columns); }
    void row(const QVariantList& values) override {
        QStringList cells;
        for (const QVariant& v : values) {
            if (v.isNull())
                cells << QString();
            else if (isBlob(v))
                cells << QString::fromLatin1(v.toByteArray().toBase64());
            else
                cells << v.toString();
        }
        record(cells);
    }
    void end() override {}

private:
    void record(const QStringList& cells) {
        QStringList fields;
        for (QString c : cells) {
            if (c.contains(QLatin1Char(',')) || c.contains(QLatin1Char('"')) || c.contains(QLatin1Char('\r')) ||
                c.contains(QLatin1Char('\n'))) {
                c.replace(QLatin1Char('"'), QLatin1String("\"\""));
                c = QLatin1Char('"') + c + QLatin1Char('"');
            }
            fields << c;
        }
        out_ << fields.join(QLatin1Char(',')) << "\r\n";
    }
    QTextStream& out_;
};

QString jsonString(const QString& text) {
    QString s = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': s += QLatin1String("\\\""); break;
        case '\\': s += QLatin1String("\\\\"); break;
        case '\n': s += QLatin1String("\\n"); break;
        case '\r': s += QLatin1String("\\r"); break;
        case '\t': s += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                s += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                s += c;
        }
    }
    return s + QLatin1Char('"');
}

QString jsonValue(const QVariant& v) {
    if (v.isNull()) return QStringLiteral("null");
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: return QString::number(v.toLongLong());
    case QMetaType::Double: {
        const double d = v.toDouble();
        // JSON has no infinities or NaN.
        return std::isfinite(d) ? QString::number(d, 'g', QLocale::FloatingPointShortest) : QStringLiteral("null");
    }
    case QMetaType::QByteArray: return jsonString(QString::fromLatin1(v.toByteArray().toBase64()));
    default: return jsonString(v.toString());
    }
}

class JsonWriter : public RowWriter {
public:
    explicit JsonWriter(QTextStream& out) : out_(out) {}
    void begin(const QStringList& columns) override {
        keys_.clear();
        for (const QString& c : columns) keys_ << jsonString(c);
        rows_ = 0;
        out_ << '[';
    }
    void row(const QVariantList& values) override {
        out_ << (rows_++ == 0 ? "\n{" : ",\n{");
        for (int i = 0; i < values.size(); ++i) out_ << (i ? "," : "") << keys_.value(i) << ':' << jsonValue(values.at(i));
        out_ << '}';
    }
    void end() override { out_ << (rows_ ? "\n]\n" : "]\n"); }

private:
    QTextStream& out_;
    QStringList keys_;
    int rows_ = 0;
};

} // namespace

std::optional<RowFormat> rowFormatNamed(const QString& name) {
    if (name == QLatin1String("tsv")) return RowFormat::Tsv;
    if (name == QLatin1String("csv")) return RowFormat::Csv;
    if (name == QLatin1String("json")) return RowFormat::Json;
    return std::nullopt;
}

std::unique_ptr<RowWriter> makeRowWriter(RowFormat format, QTextStream& out) {
    switch (format) {
    case RowFormat::Csv: return std::make_unique<CsvWriter>(out);
    case RowFormat::Json: return std::make_unique<JsonWriter>(out);
    case RowFormat::Tsv: break;
    }
    return std::make_unique<TsvWriter>(out);
}

QString tsvEscaped(const QString& text) {
    QString t;
    t.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': t += QLatin1String("\\\\"); break;
        case '\t': t += QLatin1String("\\t"); break;
        case '\r': t += QLatin1String("\\r"); break;
        case '\n': t += QLatin1String("\\n"); break;
        default: t += c;
        }
    }
    return t;
}

} // namespace verbalo::cli
