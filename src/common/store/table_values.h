#pragma once

#include <QString>
#include <QVariant>

namespace verbalo::store {

// A field value that counts as "nothing": null, or an empty text.
inline bool isEmptyValue(const QVariant& v) {
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

// A field value as text: "" for null, a blob's bytes read as UTF-8.
inline QString valueText(const QVariant& v) {
    if (v.isNull()) return QString();
    if (v.typeId() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

} // namespace verbalo::store
