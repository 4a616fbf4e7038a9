#include "dictionaries/search_box_keys.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace verbalo {

SearchBoxKeys::SearchBoxKeys(QLineEdit* box, QAbstractItemView* grid, bool typeAhead, std::function<void(const QString&)> search)
    : QObject(box), box_(box), grid_(grid), typeAhead_(typeAhead), search_(std::move(search)) {
    box_->installEventFilter(this);
    grid_->installEventFilter(this);
}

bool SearchBoxKeys::startsTypeAhead(QChar c) {
    static const QString accented = QStringLiteral("áéíóőöúűü");
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || accented.contains(c);
}

bool SearchBoxKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_) {
        if (event->type() == QEvent::FocusIn) {
            // Entering the box selects its text; a letter typed into the grid keeps its caret
            // after the letter.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::OtherFocusReason)
                QTimer::singleShot(0, box_, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
                grid_->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    } else if (watched == grid_ && typeAhead_ && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text().toLower();
        if (typed.size() == 1 && startsTypeAhead(typed.at(0))) {
            box_->setFocus(Qt::OtherFocusReason);
            // The same letter again searches again.
            if (box_->text() == typed)
                search_(typed);
            else
                box_->setText(typed);
            box_->setCursorPosition(1);
            box_->deselect();
            return true;
        }
    }
    return false;
}

} // namespace verbalo
