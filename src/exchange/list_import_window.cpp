#include "exchange/list_import_window.h"

#include "common/messages.h"
#include "common/store/store_error.h"
#include "common/text_routines.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/list_import.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace verbalo {

namespace {

const QString kSample = QStringLiteral("##első címszó\nSzöveg... első sor\nSzöveg... második sor\nSzöveg... harmadik sor\n"
                                       "##második címszó\n...");

} // namespace

Tfrm_ListaBetolt::Tfrm_ListaBetolt(FrameServices& frame, store::Table& table, QWidget* parent)
    : ImportWindow(frame, table, parent) {
    setObjectName(QStringLiteral("frm_ListaBetolt"));

    auto* title = new QLabel(QStringLiteral("Minta állomány"), this);
    preview_ = new QPlainTextEdit(this);
    preview_->setObjectName(QStringLiteral("Memo1"));
    preview_->setReadOnly(true);
    preview_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    preview_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::Monospace);
    preview_->setFont(font);
    preview_->setPlainText(kSample);
    title->setBuddy(preview_);
    body()->addWidget(title);
    body()->addWidget(preview_, 1);
    setFixedSize(kDesignedWidth, kDesignedHeight);
}

void Tfrm_ListaBetolt::run(FrameServices& frame, store::Table& table, const TSzotarak& info, QWidget* owner) {
    Q_UNUSED(info);
    Tfrm_ListaBetolt window(frame, table, owner ? owner : frame.frameWindow());
    window.exec();
}

void Tfrm_ListaBetolt::loadFile(const QString& path) {
    const PreviewText file = readPreviewText(path, kPreviewChars);
    if (!file.ok) {
        showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
        return;
    }
    preview_->setPlainText(file.text);
}

void Tfrm_ListaBetolt::importFile(const QString& path) {
    // The file is read again: what the preview shows plays no part. Its lines are taken one by
    // one from the text, so a large file is not held a second time as separate lines.
    const ImportText file = readImportText(path);
    if (!file.ok) {
        showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
        return;
    }
    const qsizetype lines = lineCount(file.text);
    progressBar()->setMaximum(static_cast<int>(std::clamp<qsizetype>(lines, 1, INT_MAX)));
    try {
        ListImporter importer(table());
        int row = 0;
        forEachLine(file.text, false, [&](QStringView line) {
            progress(row++);
            importer.addLine(line);
            return !importer.failed();
        });
        const bool ok = importer.finish();
        reportFinished(ok, importer.failure(), importer.counts());
    } catch (const store::StoreError& e) {
        reportFinished(false, storeFailureText(e, table().tableName()), ImportCounts{});
    }
}

void Tfrm_ListaBetolt::restorePlacement() {
    restoreWindowPos(frame().ini(), this);
    applyFontSize(this, frame().settings().fontSize);
}

void Tfrm_ListaBetolt::savePlacement() {
    saveWindowPos(frame().ini(), this);
}

} // namespace verbalo
