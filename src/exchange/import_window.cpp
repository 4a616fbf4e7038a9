#include "exchange/import_window.h"

#include "widgets/focus_tint.h"

#include "common/messages.h"
#include "widgets/editing_dialog.h"
#include "widgets/frame_services.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
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

// The patterns are separated by blanks, as the file dialog reads them; every file is "*" here.
const QStringList kFileFilters = {QStringLiteral("Szöveges állományok (*.txt *.csv)"), QStringLiteral("Minden file (*)")};

} // namespace

ImportWindow::ImportWindow(FrameServices& frame, store::Table& table, QWidget* parent)
    : QDialog(parent), frame_(frame), table_(table) {
    setWindowTitle(QStringLiteral("Szöveggyűjtemény betöltés"));

    auto* fileLabel = new QLabel(QStringLiteral("Betöltendő file"), this);
    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("Edit1"));
    FocusTint::install(fileEdit_);
    fileEdit_->installEventFilter(this);
    fileLabel->setBuddy(fileEdit_);
    browseButton_ = new QToolButton(this);
    browseButton_->setObjectName(QStringLiteral("BitBtn1"));
    browseButton_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browseButton_->setToolTip(QStringLiteral("Betöltendő file kiválasztása"));
    connect(browseButton_, &QToolButton::clicked, this, &ImportWindow::chooseFile);

    importButton_ = new QPushButton(QStringLiteral("Betölt"), this);
    importButton_->setObjectName(QStringLiteral("Button1"));
    importButton_->setAutoDefault(false);
    connect(importButton_, &QPushButton::clicked, this, &ImportWindow::runImport);
    closeButton_ = new QPushButton(QStringLiteral("Bezár"), this);
    closeButton_->setObjectName(QStringLiteral("Button2"));
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, &ImportWindow::reject);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setMaximum(100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);

    auto* fileBox = new QVBoxLayout;
    fileBox->addWidget(fileLabel);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(fileEdit_, 1);
    nameRow->addWidget(browseButton_);
    fileBox->addLayout(nameRow);
    fileBox->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(importButton_);
    buttons->addWidget(closeButton_);
    buttons->addStretch();
    fileRow_ = new QHBoxLayout;
    fileRow_->addLayout(fileBox, 1);
    fileRow_->addLayout(buttons);

    body_ = new QVBoxLayout;
    auto* main = new QVBoxLayout(this);
    main->addLayout(fileRow_);
    main->addLayout(body_, 1);
    main->addWidget(progressBar_);

    disabledWhileImporting_ = {fileEdit_, browseButton_, importButton_, closeButton_};
}

void ImportWindow::addToFileRow(QWidget* widget) {
    fileRow_->insertWidget(1, widget);
    disabledWhileImporting_.append(widget);
}

QString ImportWindow::fileName() const {
    return fileEdit_->text();
}

void ImportWindow::setFileName(const QString& path) {
    fileEdit_->setText(path);
}

bool ImportWindow::namedFileExists() const {
    const QFileInfo info(fileEdit_->text());
    return !fileEdit_->text().isEmpty() && info.isFile();
}

void ImportWindow::loadNamedFile() {
    if (namedFileExists()) loadFile(fileName());
}

void ImportWindow::chooseFile() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(kFileFilters);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!fileName().isEmpty()) dialog.setDirectory(QFileInfo(fileName()).absolutePath());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        setFileName(path);
        loadNamedFile();
    }
    fileEdit_->setFocus();
}

void ImportWindow::runImport() {
    if (importing_) return;
    if (!namedFileExists()) {
        showError(QStringLiteral("Nem létező állomány"), this);
        return;
    }
    importing_ = true;
    setControlsEnabled(false);
    pacer_ = ProgressPacer();
    importFile(fileName());
    progressBar_->setValue(0);
    setControlsEnabled(true);
    importing_ = false;
}

void ImportWindow::progress(int row) {
    if (!pacer_.due()) return;
    progressBar_->setValue(row + 1);
    showRow(row);
    QCoreApplication::processEvents();
}

void ImportWindow::reportFinished(bool ok, const QString& failure, const ImportCounts& counts) {
    progressBar_->setValue(progressBar_->maximum());
    const QString tally =
        QStringLiteral("%1 sor tárolva, %2 sor visszautasítva (már létező vagy üres).").arg(counts.stored).arg(counts.refused);
    if (ok)
        showInfo(QStringLiteral("Állomány betöltése kész.\r\n") + tally, this);
    else
        showError(QStringLiteral("Hiba az adatok tárolásakor, a betöltés megszakadt:\r\n") + failure + QStringLiteral("\r\n") +
                      tally,
                  this);
}

void ImportWindow::setControlsEnabled(bool on) {
    for (QWidget* w : std::as_const(disabledWhileImporting_)) w->setEnabled(on);
}

void ImportWindow::done(int result) {
    if (importing_) return;
    savePlacement();
    QDialog::done(result);
}

void ImportWindow::closeEvent(QCloseEvent* event) {
    if (importing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ImportWindow::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        restorePlacement();
    }
    QDialog::setVisible(visible);
}

bool ImportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileEdit_) {
        // Leaving the box loads the file named there, so a typed name shows its file too.
        if (event->type() == QEvent::FocusOut) loadNamedFile();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace verbalo
