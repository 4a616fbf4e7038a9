#include "printing/print_choice_window.h"

#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace verbalo {

Tfrm_NyomValaszt::Tfrm_NyomValaszt(FrameServices& frame, const QStringList& printers, const QString& printerName, bool offerHtml,
                                   QWidget* parent)
    : QDialog(parent), frame_(frame) {
    setObjectName(QStringLiteral("frm_NyomValaszt"));
    setWindowTitle(QStringLiteral("Nyomtatás típusa"));
    // Wide enough for the window manager to show the whole caption.
    setMinimumWidth(300);

    auto* group = new QGroupBox(QStringLiteral("Nyomtatás típusa"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* grid = new QGridLayout(group);
    choices_ = new QButtonGroup(this);
    QStringList items = {QStringLiteral("Nyomtatási kép"), QStringLiteral("Nyomtatás"), QStringLiteral("Excelbe (CSV)")};
    if (offerHtml) items << QStringLiteral("Html export");
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileDialogContentsView, QStyle::SP_DialogSaveButton,
                                            QStyle::SP_FileDialogDetailedView, QStyle::SP_DirHomeIcon};
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], group);
        radio->setObjectName(QStringLiteral("RadioItem%1").arg(i));
        choices_->addButton(radio, i);
        grid->addWidget(radio, i, 0);
        auto* picture = new QLabel(group);
        picture->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        picture->setPixmap(style()->standardIcon(icons[i]).pixmap(32, 32));
        picture->setFixedSize(36, 36);
        grid->addWidget(picture, 0, 1, items.size(), 1, Qt::AlignCenter);
        pictures_ << picture;
    }
    choices_->button(Preview)->setChecked(true);

    printerLabel_ = new QLabel(QStringLiteral("Nyomtató"), this);
    printerLabel_->setObjectName(QStringLiteral("Label1"));
    printerBox_ = new QComboBox(this);
    printerBox_->setObjectName(QStringLiteral("ComboBox1"));
    printerBox_->addItems(printers);
    printerBox_->setCurrentIndex(printerName.isEmpty() ? (printers.isEmpty() ? -1 : 0) : printers.indexOf(printerName));
    printerLabel_->setBuddy(printerBox_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Mégsem"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(printerLabel_);
    layout->addWidget(printerBox_);
    layout->addWidget(buttons);
    connect(choices_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) choiceChanged();
    });
    choiceChanged();
}

int Tfrm_NyomValaszt::choice() const {
    return choices_->checkedId();
}

void Tfrm_NyomValaszt::setChoice(int choice) {
    if (QAbstractButton* b = choices_->button(choice)) b->setChecked(true);
}

QString Tfrm_NyomValaszt::printerName() const {
    return printerBox_->currentText();
}

void Tfrm_NyomValaszt::choiceChanged() {
    const int chosen = choice();
    for (int i = 0; i < pictures_.size(); ++i) pictures_[i]->setVisible(i == chosen);
    printerBox_->setEnabled(chosen == Print);
    printerLabel_->setEnabled(chosen == Print);
}

void Tfrm_NyomValaszt::done(int result) {
    saveWindowPos(frame_.ini(), this);
    QDialog::done(result);
}

void Tfrm_NyomValaszt::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, frame_.settings().fontSize);
        restoreWindowPos(frame_.ini(), this);
    }
    QDialog::setVisible(visible);
}

int choosePrintOutput(FrameServices& frame, QString& printerName, bool offerHtml, QWidget* owner) {
    // The first installed printer when none is named, rather than the system's default one.
    Tfrm_NyomValaszt window(frame, QPrinterInfo::availablePrinterNames(), printerName, offerHtml, owner);
    if (window.exec() != QDialog::Accepted) return Tfrm_NyomValaszt::Cancelled;
    printerName = window.printerName();
    return window.choice();
}

} // namespace verbalo
