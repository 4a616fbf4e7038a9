#include "quickfinder/quick_about.h"

#include "main/logic/frame_rules.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace verbalo::quickfinder {

QuickAbout::QuickAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frm_Nevjegy"));
    setWindowTitle(QStringLiteral("Névjegy"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b style='font-size:16pt'>Quickor</b><br>Verbalo ") + programVersion(), this);
    title->setObjectName(QStringLiteral("lblCim"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* text = new QLabel(QStringLiteral("Gyorskereső a Verbalo kétnyelvű szótáraihoz.<br>"
                                           "A szerkesztőmezőben a kurzor alatti szót, a vágólapra másolt "
                                           "szöveg első szavát azonnal kikeresi a megnyitott szótárban."),
                            this);
    text->setObjectName(QStringLiteral("lblLeiras"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setFixedWidth(340);
}

} // namespace verbalo::quickfinder
