#include "main/support_window.h"

#include "main/logic/frame_rules.h"
#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace verbalo {

Tfrm_Tamogat::Tfrm_Tamogat(FrameServices& frame, QWidget* parent) : QDialog(parent), frame_(frame) {
    setObjectName(QStringLiteral("frm_Tamogat"));
    setWindowTitle(QStringLiteral("Támogatás"));

    auto* text = new QLabel(QStringLiteral("A Verbalo szabadon használható. Ha hasznosnak találja,\n"
                                           "támogassa a fejlesztését: írja meg, milyen szótárra\n"
                                           "vagy újdonságra volna szüksége, jelezze a hibákat,\n"
                                           "és ajánlja a programot ismerőseinek.\n\n"
                                           "Köszönjük!"),
                            this);
    text->setObjectName(QStringLiteral("Label1"));
    auto* mail = new QPushButton(QStringLiteral("E-mail küldése"), this);
    mail->setObjectName(QStringLiteral("Button2"));
    mail->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mail);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(mail, &QPushButton::clicked, this, [this] { frame_.openAddress(makerAddresses(frame_.settings().server).mail); });
}

void Tfrm_Tamogat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    restoreWindowPos(frame_.ini(), this);
    applyFontSize(this, frame_.settings().fontSize);
}

void Tfrm_Tamogat::done(int result) {
    saveWindowPos(frame_.ini(), this);
    QDialog::done(result);
}

void showSupportWindow(FrameServices& frame) {
    Tfrm_Tamogat window(frame, frame.frameWindow());
    window.exec();
}

} // namespace verbalo
