#include "exchange/html_export_window.h"

#include "common/folders.h"
#include "common/messages.h"
#include "common/store/table.h"
#include "widgets/focus_tint.h"
#include "exchange/logic/data_export.h"
#include "exchange/logic/mail_attachment.h"
#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace verbalo {

namespace {

const QString kMailText = QStringLiteral("Html küldés");

QPushButton* button(QWidget* parent, const QString& objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Tfrm_Grid2Html::Tfrm_Grid2Html(FrameServices& frame, store::Table& table, std::vector<HtmlColumn> columns, QString title,
                               QWidget* parent)
    : QDialog(parent), frame_(frame), table_(table), columns_(std::move(columns)), title_(std::move(title)) {
    setObjectName(QStringLiteral("frm_Grid2Html"));
    setWindowTitle(QStringLiteral("HTML export"));

    auto* fileLabel = new QLabel(QStringLiteral("Mentés helye"), this);
    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("Edit1"));
    fileLabel->setBuddy(fileEdit_);
    FocusTint::install(fileEdit_);
    auto* browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("BitBtn1"));
    browse->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    browse->setToolTip(QStringLiteral("Mentés helyének kiválasztása"));
    connect(browse, &QToolButton::clicked, this, &Tfrm_Grid2Html::chooseFile);

    openAfter_ = new QCheckBox(QStringLiteral("Mentés után megnyitás"), this);
    openAfter_->setObjectName(QStringLiteral("CheckBox1"));
    openAfter_->setChecked(true);

    auto* ok = button(this, QStringLiteral("Button1"), QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Tfrm_Grid2Html::writeAndClose);
    auto* mail = button(this, QStringLiteral("Button3"), QStringLiteral("E-Mail"));
    connect(mail, &QPushButton::clicked, this, &Tfrm_Grid2Html::writeAndMail);
    auto* cancel = button(this, QStringLiteral("Button2"), QStringLiteral("Mégsem"));
    connect(cancel, &QPushButton::clicked, this, &Tfrm_Grid2Html::reject);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(fileEdit_, 1);
    nameRow->addWidget(browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(mail);
    buttons->addWidget(cancel);
    auto* main = new QVBoxLayout(this);
    main->addWidget(fileLabel);
    main->addLayout(nameRow);
    main->addWidget(openAfter_);
    main->addLayout(buttons);
    main->addWidget(progressBar_);
}

QString Tfrm_Grid2Html::fileName() const {
    return fileEdit_->text();
}

void Tfrm_Grid2Html::setFileName(const QString& path) {
    fileEdit_->setText(path);
}

void Tfrm_Grid2Html::chooseFile() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    dialog.setNameFilter(QStringLiteral("HTML dokumentum (*.htm *.html)"));
    dialog.selectFile(fileName());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) setFileName(dialog.selectedFiles().constFirst());
}

bool Tfrm_Grid2Html::writePage() {
    const int rows = table_.recordCount();
    progressBar_->setMaximum(std::max(1, rows));
    progressBar_->setValue(0);
    const HtmlPageResult written = writeHtmlPage(table_, columns_, title_, fileName(), clock_, [this](int rowsDone) {
        progressBar_->setValue(rowsDone);
        QCoreApplication::processEvents();
    });
    progressBar_->setValue(0);
    if (!written.ok) showError(written.error, this);
    return written.ok;
}

void Tfrm_Grid2Html::writeAndClose() {
    if (!writePage()) return;
    if (openAfter_->isChecked()) frame_.openAddress(fileName());
    accept();
}

void Tfrm_Grid2Html::writeAndMail() {
    openAfter_->setChecked(false);
    if (!writePage()) return;
    // Without a mail program there is nothing to hand the page to; the page is written all the same.
    sendMailWithAttachment(kMailText, kMailText, fileName());
}

void Tfrm_Grid2Html::done(int result) {
    saveWindowPos(frame_.ini(), this);
    QDialog::done(result);
}

void Tfrm_Grid2Html::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, frame_.settings().fontSize);
        restoreWindowPos(frame_.ini(), this);
    }
    QDialog::setVisible(visible);
}

void exportHtmlPage(FrameServices& frame, store::Table& table, const QStringList& columns, const QString& title, QWidget* owner) {
    std::vector<HtmlColumn> parsed;
    try {
        parsed = parseHtmlColumns(columns);
    } catch (const ExportError& e) {
        showError(e.message(), owner ? owner : frame.frameWindow());
        return;
    }
    Tfrm_Grid2Html window(frame, table, std::move(parsed), title, owner ? owner : frame.frameWindow());
    window.setFileName(defaultHtmlFileName(myDocumentsFolder(), title));
    window.exec();
}

} // namespace verbalo
