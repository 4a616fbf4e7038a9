#pragma once

#include <QObject>
#include <QColor>

class QWidget;

namespace verbalo {

// The light blue that the control with the focus takes in editing dialogs.
inline const QColor kFocusColor(166, 202, 240);
// The colour of the column a list is ordered by.
inline const QColor kSortColumnColor(255, 255, 185);

// Editing-dialog habits: Enter moves the focus to the next control (except in multi-line
// editors, which keep their line breaks) and the edit, memo or combo box with the focus is
// painted light blue. Install once per dialog; it watches every child control.
class EditingDialogBehaviour : public QObject {
    Q_OBJECT
public:
    explicit EditingDialogBehaviour(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* widget);
    QWidget* dialog_;
};

} // namespace verbalo
