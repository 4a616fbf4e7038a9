#include "dictionaries/caption_dialog.h"

#include "common/text_routines.h"
#include "widgets/focus_tint.h"
#include "widgets/window_geometry.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace verbalo {

Tfrm_InpStr::Tfrm_InpStr(const QString& caption, const QString& prompt, const QString& text, bool keepCase, QChar passwordChar,
                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frm_InpStr"));
    setWindowTitle(caption);
    prompt_ = new QLabel(prompt, this);
    prompt_->setObjectName(QStringLiteral("Label1"));
    entry_ = new QLineEdit(text, this);
    entry_->setObjectName(QStringLiteral("Edit1"));
    entry_->setMinimumWidth(320);
    prompt_->setBuddy(entry_);
    if (!passwordChar.isNull()) entry_->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Mégsem"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(entry_);
    layout->addWidget(buttons);
    if (!keepCase) {
        connect(entry_, &QLineEdit::textChanged, this, &Tfrm_InpStr::foldTyped);
        foldTyped(entry_->text());
    }
    // Enter in the one field is OK (the default button), so the field only takes the light blue
    // focus mark, not the editing dialogs' Enter-moves-on habit.
    FocusTint::install(entry_);
}

QString Tfrm_InpStr::text() const {
    return entry_->text();
}

void Tfrm_InpStr::foldTyped(const QString& typed) {
    if (folding_) return;
    const QString folded = foldAccents(typed);
    if (folded == typed) return;
    folding_ = true;
    entry_->setText(folded);
    entry_->setCursorPosition(folded.size());
    folding_ = false;
}

bool inputString(const IniFile& ini, int fontSize, const QString& caption, const QString& prompt, QString& text, bool keepCase,
                 QChar passwordChar, QWidget* parent) {
    Tfrm_InpStr dialog(caption, prompt, text, keepCase, passwordChar, parent);
    applyFontSize(&dialog, fontSize);
    restoreWindowPos(ini, &dialog);
    const bool ok = dialog.exec() == QDialog::Accepted;
    saveWindowPos(ini, &dialog);
    if (ok) text = dialog.text();
    return ok;
}

} // namespace verbalo
