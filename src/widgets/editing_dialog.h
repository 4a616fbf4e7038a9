#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace verbalo {

// The light blue that the control with the focus takes in editing dialogs.
inline const QColor kFocusColor(166, 202, 240);
// The colour of the column a list is ordered by.
inline const QColor kSortColumnColor(255, 255, 185);

// Editing-dialog habits, for every control of the dialog:
//  - Enter in a field moves the focus to the next control (multi-line editors keep their line
//    breaks), and Enter on a focused button presses it, as Space does;
//  - Ctrl+Enter presses the accept button (OK) wherever the focus is, when one is given;
//  - the control with the focus is always marked: an edit, memo or combo box is painted light
//    blue, a button takes the light blue face, and the focus frame is drawn whether the focus
//    came with the mouse, Tab or Enter.
// Install once per dialog, after its controls are made.
class EditingDialogBehaviour : public QObject {
    Q_OBJECT
public:
    explicit EditingDialogBehaviour(QWidget* dialog, QAbstractButton* acceptButton = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* widget);
    QWidget* dialog_;
    QPointer<QAbstractButton> acceptButton_;
};

} // namespace verbalo
