#include "dictionaries/recipe_editor.h"

#include "common/messages.h"
#include "common/picture_file.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "common/text_routines.h"
#include "dictionaries/field_edit_actions.h"
#include "widgets/editing_dialog.h"
#include "widgets/store_messages.h"
#include "widgets/window_commands.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

const QString kRefused = QStringLiteral("Hibás adatmegadás, vagy már létező tétel");
const QString kDifficulty = QStringLiteral("nehezseg");
const QString kMinutes = QStringLiteral("perc");
const QString kIngredients = QStringLiteral("hozzavalo");
const QString kMethod = QStringLiteral("elkeszites");

// A whole-number field: empty is no value; anything but a whole number is not taken.
bool wholeNumberOf(const QString& typed, QVariant& value) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        value = QVariant();
        return true;
    }
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (ok) value = number;
    return ok;
}

} // namespace

Tfrm_Szerkeszt5::Tfrm_Szerkeszt5(store::Table& table, QWidget* parent) : QDialog(parent), table_(table) {
    setObjectName(QStringLiteral("frm_Szerkeszt5"));
    setWindowTitle(QStringLiteral("Szöveg szerkesztése"));
    setModal(true);

    QAction* aKepValaszt = makeWindowCommand(this, "aKepValaszt", QStringLiteral("Kép"), QStringLiteral("Kép választás"),
                                             QKeySequence(), QStyle::SP_DirOpenIcon);
    QAction* aElfogad = makeWindowCommand(this, "aElfogad", QStringLiteral("Elfogad"), QStringLiteral("Elfogad"),
                                          QKeySequence(Qt::CTRL | Qt::Key_Return), QStyle::SP_DialogApplyButton);
    aElfogad->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    QAction* aMegsem = makeWindowCommand(this, "aMegsem", QStringLiteral("Mégsem"), QStringLiteral("Mégsem"),
                                         QKeySequence(Qt::Key_Escape), QStyle::SP_DialogCancelButton);
    QAction* aBetolt = makeWindowCommand(this, "aBetolt", QStringLiteral("Betöltés file-ból"),
                                         QStringLiteral("Betöltés file-ból"), QKeySequence(Qt::CTRL | Qt::Key_O));
    const FieldEditActions edits(this);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(aKepValaszt);
    toolBar->addSeparator();
    toolBar->addAction(edits.undo);
    toolBar->addSeparator();
    for (QAction* a : {edits.cut, edits.copy, edits.paste}) toolBar->addAction(a);
    toolBar->addSeparator();
    toolBar->addAction(aElfogad);
    toolBar->addAction(aMegsem);

    auto* fieldsArea = new QWidget(this);
    auto* grid = new QGridLayout(fieldsArea);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto place = [grid, this](QLineEdit* box, int row, int column, const QString& caption) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        grid->addWidget(label, row * 2, column);
        grid->addWidget(box, row * 2 + 1, column);
    };
    categoryBox_ = addField("DBEdit1", kFirstLanguageColumn);
    dishBox_ = addField("DBEdit2", kSecondLanguageColumn);
    difficultyBox_ = addField("DBEdit3", kDifficulty);
    minutesBox_ = addField("DBEdit4", kMinutes);
    place(categoryBox_, 0, 0, QStringLiteral("kategória"));
    place(dishBox_, 0, 1, QStringLiteral("finomság"));
    place(difficultyBox_, 1, 0, QStringLiteral("nehézség"));
    place(minutesBox_, 1, 1, QStringLiteral("idő (perc)"));

    ingredientsMemo_ = new QPlainTextEdit(this);
    ingredientsMemo_->setObjectName(QStringLiteral("DBMemo1"));
    methodMemo_ = new QPlainTextEdit(this);
    methodMemo_->setObjectName(QStringLiteral("DBMemo2"));
    auto* ingredientsLabel = new QLabel(QStringLiteral("hozzávalók"), this);
    ingredientsLabel->setBuddy(ingredientsMemo_);
    auto* methodLabel = new QLabel(QStringLiteral("elkészítés"), this);
    methodLabel->setBuddy(methodMemo_);
    grid->addWidget(ingredientsLabel, 4, 0);
    grid->addWidget(methodLabel, 4, 1);
    grid->addWidget(ingredientsMemo_, 5, 0);
    grid->addWidget(methodMemo_, 5, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(toolBar);
    layout->addWidget(fieldsArea, 1);
    setTabOrder(categoryBox_, dishBox_);
    setTabOrder(dishBox_, difficultyBox_);
    setTabOrder(difficultyBox_, minutesBox_);
    setTabOrder(minutesBox_, ingredientsMemo_);
    setTabOrder(ingredientsMemo_, methodMemo_);
    setFixedSize(kDesignedWidth, kDesignedHeight);

    fillFields();
    for (QPlainTextEdit* memo : {ingredientsMemo_, methodMemo_}) installMemoMenu(memo, aBetolt, edits, aElfogad, aMegsem);
    new EditingDialogBehaviour(this);
    connect(aKepValaszt, &QAction::triggered, this, &Tfrm_Szerkeszt5::choosePicture);
    connect(aElfogad, &QAction::triggered, this, &Tfrm_Szerkeszt5::acceptRecipe);
    connect(aMegsem, &QAction::triggered, this, &QDialog::reject);
    connect(aBetolt, &QAction::triggered, this, &Tfrm_Szerkeszt5::chooseMemoFile);
}

QLineEdit* Tfrm_Szerkeszt5::addField(const char* name, const QString& column) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    // As wide as its column, like the data-aware edit it stands for.
    const int field = table_.fieldIndex(column);
    if (field >= 0 && table_.schema().fields[static_cast<size_t>(field)].width > 0)
        box->setMaxLength(table_.schema().fields[static_cast<size_t>(field)].width);
    return box;
}

void Tfrm_Szerkeszt5::fillFields() {
    try {
        categoryBox_->setText(table_.text(kFirstLanguageColumn));
        dishBox_->setText(table_.text(kSecondLanguageColumn));
        difficultyBox_->setText(table_.text(kDifficulty));
        minutesBox_->setText(table_.text(kMinutes));
        ingredientsMemo_->setPlainText(memoTextForEditing(table_.text(kIngredients)));
        methodMemo_->setPlainText(memoTextForEditing(table_.text(kMethod)));
    } catch (const store::StoreError& e) {
        // The fields stay empty; the user learns why before typing into them.
        showStoreError(e, table_.tableName(), this);
    }
}

bool Tfrm_Szerkeszt5::acceptRecipe() {
    QVariant difficulty;
    QVariant minutes;
    if (!wholeNumberOf(difficultyBox_->text(), difficulty) || !wholeNumberOf(minutesBox_->text(), minutes)) {
        showError(kRefused, this);
        return false;
    }
    try {
        table_.setValue(kFirstLanguageColumn, categoryBox_->text());
        table_.setValue(kSecondLanguageColumn, dishBox_->text());
        table_.setValue(kDifficulty, difficulty);
        table_.setValue(kMinutes, minutes);
        table_.setValue(kIngredients, memoTextForStoring(ingredientsMemo_->toPlainText()));
        table_.setValue(kMethod, memoTextForStoring(methodMemo_->toPlainText()));
        table_.post();
    } catch (const store::StoreError& e) {
        showPostError(e, kRefused, table_.tableName(), this);
        return false;
    }
    accept();
    return true;
}

void Tfrm_Szerkeszt5::choosePicture() {
    QFileDialog dialog(this, QStringLiteral("Kép választás"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Összes (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf)"), QStringLiteral("Minden file (*)")});
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) takePicture(dialog.selectedFiles().constFirst());
}

bool Tfrm_Szerkeszt5::takePicture(const QString& path) {
    const PictureFileRead picture = readPictureFile(path);
    if (!picture.ok) {
        showError(picture.error, this);
        return false;
    }
    try {
        table_.setBlob(QStringLiteral("kep"), picture.bytes);
        table_.setValue(QStringLiteral("filekit"), fileExtensionWithDot(path));
    } catch (const store::StoreError& e) {
        showStoreError(e, table_.tableName(), this);
        return false;
    }
    return true;
}

void Tfrm_Szerkeszt5::chooseMemoFile() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Text állományok (*.txt)"), QStringLiteral("Minden file (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        loadMemoFromFile(dialog.selectedFiles().constFirst());
}

bool Tfrm_Szerkeszt5::loadMemoFromFile(const QString& path) {
    // The dialog's focus child is the memo the menu was opened on, or the one typed in last.
    QPlainTextEdit* memo = focusWidget() == methodMemo_ ? methodMemo_ : ingredientsMemo_;
    const TextReadResult file = readTextFile(path);
    if (!file.ok) {
        showError(QStringLiteral("Az állomány nem olvasható:\r\n") + file.error, this);
        return false;
    }
    QString text;
    for (const QString& line : file.lines) text += line + QLatin1Char('\n');
    memo->setPlainText(text);
    memo->setFocus();
    return true;
}

void Tfrm_Szerkeszt5::done(int result) {
    if (result != QDialog::Accepted) {
        try {
            table_.cancel();
        } catch (const store::StoreError& e) {
            showStoreError(e, table_.tableName(), this);
        }
    }
    QDialog::done(result);
}

bool editRecipe(store::Table& table, const IniFile& ini, QWidget* parent) {
    Tfrm_Szerkeszt5 dialog(table, parent);
    restoreWindowPos(ini, &dialog);
    const int result = dialog.exec();
    saveWindowPos(ini, &dialog);
    return result == QDialog::Accepted;
}

} // namespace verbalo
