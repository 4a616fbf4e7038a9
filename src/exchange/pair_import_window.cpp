#include "exchange/pair_import_window.h"

#include "common/messages.h"
#include "common/store/store_error.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/pair_import.h"
#include "exchange/pair_file_editor.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QProgressBar>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace verbalo {

namespace {

// The bold bar above the editor.
QLabel* titleBar(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMargin(2);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    return label;
}

} // namespace

Tfrm_SzotarBetolt::Tfrm_SzotarBetolt(FrameServices& frame, store::Table& table, QWidget* parent)
    : ImportWindow(frame, table, parent) {
    setObjectName(QStringLiteral("frm_SzotarBetolt"));
    setMinimumWidth(kMinimumWidth);
    resize(kDesignedWidth, kDesignedHeight);

    separators_ = new QGroupBox(QStringLiteral("Határoló karakter"), this);
    separators_->setObjectName(QStringLiteral("RadioGroup1"));
    separatorButtons_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(separators_);
    const QStringList items = {QStringLiteral("Pontosvessző (;)"), QStringLiteral("Vessző (,)"), QStringLiteral("Tabulátor (#9)"),
                               QStringLiteral("Cső (|)")};
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], separators_);
        button->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        separatorButtons_->addButton(button, i);
        // Two columns, filled top to bottom.
        grid->addWidget(button, i % 2, i / 2);
    }
    separatorButtons_->button(0)->setChecked(true);
    addToFileRow(separators_);

    editor_ = new PairFileEditor(this);
    editor_->setObjectName(QStringLiteral("SynEdit1"));
    body()->addWidget(titleBar(QStringLiteral("Betöltendő állomány"), this));
    body()->addWidget(editor_, 1);
    body()->setSpacing(0);
}

void Tfrm_SzotarBetolt::run(FrameServices& frame, store::Table& table, const TSzotarak& info, QWidget* owner) {
    Q_UNUSED(info);
    Tfrm_SzotarBetolt window(frame, table, owner ? owner : frame.frameWindow());
    window.exec();
}

int Tfrm_SzotarBetolt::separatorChoice() const {
    return std::max(0, separatorButtons_->checkedId());
}

void Tfrm_SzotarBetolt::setSeparatorChoice(int choice) {
    if (QAbstractButton* b = separatorButtons_->button(choice)) b->setChecked(true);
}

void Tfrm_SzotarBetolt::loadFile(const QString& path) {
    const EditorFileText file = readFileForEditor(path);
    if (!file.ok) {
        showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
        return;
    }
    if (!editor_->loadUtf8(file.utf8)) {
        showError(QStringLiteral("Az állomány túl nagy, nem fér a memóriába."), this);
        return;
    }
    if (file.cutLines > 0)
        showInfo(QStringLiteral(
                     "Az állomány %1 sora hosszabb %2 karakternél; a szerkesztő ezeket levágva mutatja, és így is tölti be.")
                     .arg(file.cutLines)
                     .arg(kLongestShownLine),
                 this);
}

void Tfrm_SzotarBetolt::importFile(const QString& path) {
    Q_UNUSED(path); // only its existence counts: the lines come from the editor, edits included
    const int lines = editor_->lineCount();
    progressBar()->setMaximum(std::max(lines, 1));
    editor_->setReadOnly(true);
    try {
        PairImporter importer(table(), pairSeparator(separatorChoice()));
        for (int i = 0; i < lines; ++i) {
            progress(i);
            if (importer.offer(editor_->lineText(i)) == RowResult::Failed) break;
        }
        const bool ok = importer.finish();
        if (lines > 0) showRow(lines - 1);
        reportFinished(ok, importer.failure(), importer.counts());
    } catch (const store::StoreError& e) {
        reportFinished(false, storeFailureText(e, table().tableName()), ImportCounts{});
    }
    editor_->setReadOnly(false);
}

void Tfrm_SzotarBetolt::showRow(int row) {
    editor_->showLine(row);
}

void Tfrm_SzotarBetolt::restorePlacement() {
    restoreWindowBounds(frame().ini(), this, kDesignedWidth, kDesignedHeight);
    applyFontSize(this, frame().settings().fontSize);
}

void Tfrm_SzotarBetolt::savePlacement() {
    saveWindowBounds(frame().ini(), this);
}

} // namespace verbalo
