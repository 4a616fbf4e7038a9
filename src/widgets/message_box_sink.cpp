#include "widgets/message_box_sink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace verbalo {

Answer MessageBoxSink::show(const Message& message) {
    QWidget* owner = qobject_cast<QWidget*>(message.owner);
    if (owner) owner = owner->window();
    QPointer<QWidget> previous = QApplication::activeWindow();

    QMessageBox box(owner);
    box.setWindowTitle(message.caption);
    box.setText(message.text);
    switch (message.kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageKind::Info:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageKind::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageKind::YesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Yes, "Igen"}, {QMessageBox::No, "Nem"}, {QMessageBox::Cancel, "Mégsem"}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(caption));
    const int pressed = box.exec();
    if (message.reactivatePrevious && previous) previous->activateWindow();

    switch (pressed) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default:
        return message.kind == MessageKind::YesNo ? Answer::No
                                                  : (message.kind == MessageKind::YesNoCancel ? Answer::Cancel : Answer::Ok);
    }
}

} // namespace verbalo
