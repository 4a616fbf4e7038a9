#pragma once

#include "common/store/schema.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <vector>

namespace verbalo {

namespace store {
class Table;
}

enum class FieldAlignment { Left, Right, Center };

// A dataset field as the exports see it: its name, the label the owning window shows for it,
// its kind and the alignment its values are shown with.
struct ExportField {
    QString name;
    QString label;
    store::FieldKind kind = store::FieldKind::Unknown;
    FieldAlignment alignment = FieldAlignment::Left;
    bool formattedMemo = false; // a memo of formatted text, exported like the other large objects
};

// The fields of an open table in field order. captions maps a field name to the label its
// window gives it; a field without one is labelled with its name. Numbers are right-aligned.
std::vector<ExportField> exportFieldsOf(const store::Table& table, const QHash<QString, QString>& captions = {});

// A field kind that holds a large object (memo, picture, raw bytes).
bool isLargeObject(store::FieldKind kind);
bool isWholeNumber(store::FieldKind kind);
bool isByteKind(store::FieldKind kind);

// A value as the user sees it: text as stored, whole numbers in decimal, other numbers, dates
// and times in the system's formats, bytes as hexadecimal digits, "" for null.
QString fieldDisplayText(const QVariant& value, store::FieldKind kind);

} // namespace verbalo
