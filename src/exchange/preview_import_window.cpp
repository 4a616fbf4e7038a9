#include "exchange/preview_import_window.h"

#include "common/messages.h"
#include "exchange/logic/import_file_text.h"
#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace verbalo {

PreviewImportWindow::PreviewImportWindow(FrameServices& frame, store::Table& table, const QString& sample, QWidget* parent)
    : ImportWindow(frame, table, parent) {
    auto* title = new QLabel(QStringLiteral("Minta állomány"), this);
    preview_ = new QPlainTextEdit(this);
    preview_->setObjectName(QStringLiteral("Memo1"));
    preview_->setReadOnly(true);
    preview_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    preview_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::Monospace);
    preview_->setFont(font);
    preview_->setPlainText(sample);
    title->setBuddy(preview_);
    body()->addWidget(title);
    body()->addWidget(preview_, 1);
    setFixedSize(kDesignedWidth, kDesignedHeight);
}

void PreviewImportWindow::loadFile(const QString& path) {
    const PreviewText file = readPreviewText(path, kPreviewChars);
    if (!file.ok) {
        showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
        return;
    }
    preview_->setPlainText(file.text);
}

bool PreviewImportWindow::readWholeFile(const QString& path, ImportText& file) {
    file = readImportText(path);
    if (!file.ok) showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
    return file.ok;
}

void PreviewImportWindow::setLineCount(qsizetype lines) {
    progressBar()->setMaximum(static_cast<int>(std::clamp<qsizetype>(lines, 1, INT_MAX)));
}

void PreviewImportWindow::restorePlacement() {
    restoreWindowPos(frame().ini(), this);
    applyFontSize(this, frame().settings().fontSize);
}

void PreviewImportWindow::savePlacement() {
    saveWindowPos(frame().ini(), this);
}

} // namespace verbalo
