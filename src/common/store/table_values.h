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

// How a field value is stored: the engine's five storage classes. Binding a value, encoding it
// as an order key and guessing an undeclared column's kind all go by this one mapping.
enum class StorageClass { Null, Integer, Real, Text, Blob };

inline StorageClass storageClassOf(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return StorageClass::Null;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool: return StorageClass::Integer;
    case QMetaType::Double:
    case QMetaType::Float: return StorageClass::Real;
    case QMetaType::QByteArray: return StorageClass::Blob;
    default: return StorageClass::Text;
    }
}

} // namespace verbalo::store
