#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;
class QLineEdit;

namespace verbalo {

// The keys between a dictionary window's search box (Edit1) and its grid (DBGrid1): entering
// the box selects its text; Enter or Down in the box goes to the grid; with type-ahead, a
// letter typed in the grid (a to z or a Hungarian accented letter, in lower case) goes to the
// box as its whole text, the caret after it. search runs when the same letter is typed again,
// since the box's text then does not change. Parented to the box.
class SearchBoxKeys : public QObject {
    Q_OBJECT
public:
    SearchBoxKeys(QLineEdit* box, QAbstractItemView* grid, bool typeAhead, std::function<void(const QString&)> search);

    static bool startsTypeAhead(QChar c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box_;
    QAbstractItemView* grid_;
    bool typeAhead_;
    std::function<void(const QString&)> search_;
};

} // namespace verbalo
