#include "exchange/logic/export_fields.h"

#include "common/store/table.h"
#include "common/store/table_values.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace verbalo {

using store::FieldKind;

namespace {

// Blob sub-type 3 is formatted text: its bytes are markup, not lines to join.
const QRegularExpression kFormattedMemo(QStringLiteral(R"(^\s*BLOB\s*\(\s*\d+\s*,\s*3\s*\))"),
                                        QRegularExpression::CaseInsensitiveOption);

} // namespace

bool isLargeObject(FieldKind kind) {
    return kind == FieldKind::Memo || kind == FieldKind::Binary || kind == FieldKind::Graphic;
}

bool isWholeNumber(FieldKind kind) {
    return kind == FieldKind::Integer || kind == FieldKind::AutoInc;
}

bool isByteKind(FieldKind kind) {
    return kind == FieldKind::Binary || kind == FieldKind::Graphic;
}

std::vector<ExportField> exportFieldsOf(const store::Table& table, const QHash<QString, QString>& captions) {
    std::vector<ExportField> fields;
    for (const store::FieldDef& def : table.schema().fields) {
        ExportField f;
        f.name = def.name;
        f.label = captions.value(def.name, def.name);
        f.kind = def.kind;
        f.formattedMemo = def.kind == FieldKind::Memo && kFormattedMemo.match(def.declaredType).hasMatch();
        f.alignment = isWholeNumber(def.kind) || def.kind == FieldKind::Float ? FieldAlignment::Right : FieldAlignment::Left;
        fields.push_back(f);
    }
    return fields;
}

QString fieldDisplayText(const QVariant& value, FieldKind kind) {
    if (value.isNull() || !value.isValid()) return QString();
    if (value.typeId() == QMetaType::QByteArray && (isByteKind(kind) || kind == FieldKind::Unknown))
        return QString::fromLatin1(value.toByteArray().toHex().toUpper());
    const QLocale locale = QLocale::system();
    switch (kind) {
    case FieldKind::Integer:
    case FieldKind::AutoInc: return QString::number(value.toLongLong());
    case FieldKind::Float: return locale.toString(value.toDouble(), 'g', 15);
    // The store keeps dates and times as ISO text; a text that is not one is shown as stored.
    case FieldKind::Date: {
        const QDate d = QDate::fromString(value.toString(), Qt::ISODate);
        return d.isValid() ? locale.toString(d, QLocale::ShortFormat) : store::valueText(value);
    }
    case FieldKind::Time: {
        const QTime t = QTime::fromString(value.toString(), Qt::ISODate);
        return t.isValid() ? locale.toString(t, QLocale::LongFormat) : store::valueText(value);
    }
    case FieldKind::DateTime: {
        const QDateTime dt = QDateTime::fromString(value.toString(), Qt::ISODate);
        return dt.isValid() ? locale.toString(dt, QLocale::ShortFormat) : store::valueText(value);
    }
    default: return store::valueText(value);
    }
}

} // namespace verbalo
