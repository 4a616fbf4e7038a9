#include "internet/link_label.h"

#include <QMouseEvent>

namespace verbalo {

LinkLabel::LinkLabel(const char* objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(QLatin1String(objectName));
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
    QFont font = this->font();
    font.setUnderline(true);
    setFont(font);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace verbalo
