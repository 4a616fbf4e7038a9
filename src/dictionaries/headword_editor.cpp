#include "dictionaries/headword_editor.h"

#include "common/table_layouts.h"

#include "common/messages.h"
#include "common/store/table.h"
#include "common/text_file.h"
#include "dictionaries/field_edit_actions.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/list_import.h"
#include "widgets/editing_dialog.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

// A text whose longest line is past what a wrapping view lays out at once is shown unwrapped.
bool hasHugeLine(const QString& text) {
    qsizetype run = 0;
    for (const QChar c : text) {
        run = (c == QLatin1Char('\n') || c == QLatin1Char('\r')) ? 0 : run + 1;
        if (run > kLongestShownLine) return true;
    }
    return false;
}

} // namespace

Tfrm_Szerkeszt2::Tfrm_Szerkeszt2(store::Table& table, QWidget* parent) : QDialog(parent), table_(table) {
    setObjectName(QStringLiteral("frm_Szerkeszt2"));
    setWindowTitle(QStringLiteral("Szöveg szerkesztése"));
    setModal(true);

    aBetolt_ = makeAction("aBetolt", QStringLiteral("Megnyit"), QKeySequence(Qt::CTRL | Qt::Key_O));
    aBetolt_->setToolTip(QStringLiteral("Betöltés file-ból"));
    aBetolt_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    aElfogad_ = makeAction("aElfogad", QStringLiteral("Elfogad"), QKeySequence(Qt::CTRL | Qt::Key_Return));
    aElfogad_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    aElfogad_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    aMegsem_ = makeAction("aMegsem", QStringLiteral("Mégsem"), QKeySequence(Qt::Key_Escape));
    aMegsem_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(aBetolt_);
    toolBar->addSeparator();
    toolBar->addAction(aElfogad_);
    toolBar->addAction(aMegsem_);

    auto* label = new QLabel(QStringLiteral("címszó"), this);
    label->setObjectName(QStringLiteral("Label1"));
    headwordBox_ = new QLineEdit(this);
    headwordBox_->setObjectName(QStringLiteral("DBEdit1"));
    label->setBuddy(headwordBox_);
    bodyEditor_ = new QPlainTextEdit(this);
    bodyEditor_->setObjectName(QStringLiteral("DBMemo1"));
    bodyEditor_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(toolBar);
    layout->addWidget(label);
    layout->addWidget(headwordBox_);
    layout->addWidget(bodyEditor_, 1);
    setTabOrder(headwordBox_, bodyEditor_);
    resize(kDesignedWidth, kDesignedHeight);

    // As wide as its column, like the data-aware edit it stands for.
    const int field = table_.fieldIndex(kFirstLanguageColumn);
    if (field >= 0 && table_.schema().fields[static_cast<size_t>(field)].width > 0)
        headwordBox_->setMaxLength(table_.schema().fields[static_cast<size_t>(field)].width);
    QString text;
    try {
        headwordBox_->setText(table_.text(kFirstLanguageColumn));
        text = table_.text(QStringLiteral("megjegyzes"));
    } catch (const store::StoreError& e) {
        // The fields stay empty; the user learns why before typing into them.
        showStoreError(e, table_.tableName(), this);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (hasHugeLine(text)) bodyEditor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    bodyEditor_->setPlainText(text);
    shownHeadword_ = headwordBox_->text();
    shownText_ = bodyEditor_->toPlainText();

    buildMemoMenu();
    new EditingDialogBehaviour(this);
    connect(aBetolt_, &QAction::triggered, this, &Tfrm_Szerkeszt2::chooseFile);
    connect(aElfogad_, &QAction::triggered, this, &Tfrm_Szerkeszt2::acceptEntry);
    connect(aMegsem_, &QAction::triggered, this, &QDialog::reject);
}

QAction* Tfrm_Szerkeszt2::makeAction(const char* name, const QString& caption, const QKeySequence& shortcut) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    a->setToolTip(caption);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);
    return a;
}

void Tfrm_Szerkeszt2::buildMemoMenu() {
    const FieldEditActions edits(this);
    installMemoMenu(bodyEditor_, aBetolt_, edits, aElfogad_, aMegsem_);
}

QString Tfrm_Szerkeszt2::storedText() const {
    QString text = bodyEditor_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void Tfrm_Szerkeszt2::acceptEntry() {
    try {
        table_.setValue(kFirstLanguageColumn, headwordBox_->text());
        table_.setValue(QStringLiteral("megjegyzes"), storedText());
        table_.post();
    } catch (const store::StoreError& e) {
        showPostError(e, QStringLiteral("Hibás adatmegadás, vagy már létező címszó"), table_.tableName(), this);
        return;
    }
    accept();
}

void Tfrm_Szerkeszt2::reject() {
    const bool changed = headwordBox_->text() != shownHeadword_ || bodyEditor_->toPlainText() != shownText_;
    if (changed && !askYesNo(QStringLiteral("Elveti a módosításokat?"), QStringLiteral("Megerősítés"), this)) return;
    QDialog::reject();
}

void Tfrm_Szerkeszt2::chooseFile() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Text állományok (*.txt)"), QStringLiteral("Minden file (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        loadFromFile(dialog.selectedFiles().constFirst());
}

bool Tfrm_Szerkeszt2::loadFromFile(const QString& path) {
    const TextReadResult file = readTextFile(path);
    if (!file.ok) {
        showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
        return false;
    }
    if (file.lines.isEmpty()) return true;
    QStringList lines = file.lines;
    if (lines.first().startsWith(QLatin1Char('#'))) {
        QStringView headword(lines.first());
        while (headword.startsWith(QLatin1Char('#'))) headword = headword.mid(1);
        headwordBox_->setText(trimBlanksAndControls(headword).toString());
        lines.removeFirst();
    }
    QString text;
    for (const QString& line : std::as_const(lines)) text += line + QLatin1Char('\n');
    bodyEditor_->setLineWrapMode(hasHugeLine(text) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    bodyEditor_->setPlainText(text);
    return true;
}

void Tfrm_Szerkeszt2::done(int result) {
    if (result != QDialog::Accepted) {
        try {
            table_.cancel();
        } catch (const store::StoreError& e) {
            showStoreError(e, table_.tableName(), this);
        }
    }
    QDialog::done(result);
}

bool editHeadword(store::Table& table, const QFont& headwordFont, const QFont& textFont, const IniFile& ini, int fontSize,
                  QWidget* parent) {
    Tfrm_Szerkeszt2 dialog(table, parent);
    applyFontSize(&dialog, fontSize);
    dialog.headwordEdit()->setFont(headwordFont);
    dialog.textEdit()->setFont(textFont);
    restoreWindowBounds(ini, &dialog, Tfrm_Szerkeszt2::kDesignedWidth, Tfrm_Szerkeszt2::kDesignedHeight);
    const int result = dialog.exec();
    saveWindowBounds(ini, &dialog);
    return result == QDialog::Accepted;
}

} // namespace verbalo
