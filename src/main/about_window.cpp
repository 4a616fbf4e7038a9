#include "main/about_window.h"

#include "widgets/default_icons.h"
#include "main/logic/frame_rules.h"
#include "main/support_window.h"
#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace verbalo {

Tfrm_Nevjegy::Tfrm_Nevjegy(FrameServices& frame, QWidget* parent) : QDialog(parent), frame_(frame) {
    setObjectName(QStringLiteral("frm_Nevjegy"));
    setWindowTitle(QStringLiteral("Névjegy"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap::fromImage(paintDictionaryIcon(48)));
    auto* name = new QLabel(QStringLiteral("Verbalo"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(programVersion(), this);
    version->setObjectName(QStringLiteral("Label2"));
    auto* text = new QLabel(QStringLiteral("Személyes szótárak kezelése, keresés gépelés közben,\n"
                                           "szövegek szótárazása, import, export és nyomtatás.\n\n"
                                           "Készítette: Kelvora"),
                            this);
    text->setObjectName(QStringLiteral("Label3"));

    auto* support = new QPushButton(QStringLiteral("Támogatás"), this);
    support->setObjectName(QStringLiteral("Button2"));
    support->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);

    auto* head = new QHBoxLayout;
    head->addWidget(picture);
    auto* titles = new QVBoxLayout;
    titles->addWidget(name);
    titles->addWidget(version);
    head->addLayout(titles, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(support);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(text);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(support, &QPushButton::clicked, this, [this] { showSupportWindow(frame_); });
}

void Tfrm_Nevjegy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    restoreWindowPos(frame_.ini(), this);
    applyFontSize(this, frame_.settings().fontSize);
}

void Tfrm_Nevjegy::done(int result) {
    saveWindowPos(frame_.ini(), this);
    QDialog::done(result);
}

void showAboutWindow(FrameServices& frame) {
    Tfrm_Nevjegy window(frame, frame.frameWindow());
    window.exec();
}

} // namespace verbalo
