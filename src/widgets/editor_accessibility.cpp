#include "widgets/editor_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace verbalo {

namespace {

QAccessibleInterface* plainEditorInterface(const QString& className, QObject* object) {
    Q_UNUSED(className);
    if (QAccessible::isActive() || !object || !object->isWidgetType() || !object->inherits("QsciScintillaBase")) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
}

} // namespace

void quietenEditorAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(plainEditorInterface);
}

} // namespace verbalo
