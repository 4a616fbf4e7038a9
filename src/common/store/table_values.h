#pragma once

#include <QVariant>

namespace verbalo::store {

// A field value that counts as "nothing": null, or an empty text.
inline bool isEmptyValue(const QVariant& v) {
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

} // namespace verbalo::store
