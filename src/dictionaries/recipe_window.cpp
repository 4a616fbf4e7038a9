#include "dictionaries/recipe_window.h"

#include "common/messages.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "dictionaries/list_window_widths.h"
#include "dictionaries/picture_decoding.h"
#include "dictionaries/picture_panel.h"
#include "dictionaries/picture_saving.h"
#include "dictionaries/recipe_editor.h"
#include "dictionaries/recipe_list_model.h"
#include "dictionaries/recipe_memos.h"
#include "dictionaries/recipe_window_widths.h"
#include "dictionaries/search_box_keys.h"
#include "exchange/recipe_import_window.h"
#include "printing/print_commands.h"
#include "widgets/frame_services.h"
#include "widgets/window_commands.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace verbalo {

namespace {

const QString kPicture = QStringLiteral("kep");
const QString kExtension = QStringLiteral("filekit");

} // namespace

Tfrm_Szotar5::Actions::Actions(QWidget* w) : ListCommands(w) {
    aMentes = makeWindowCommand(w, "aMentes", QStringLiteral("Mentés"), QStringLiteral("Mentés"),
                                QKeySequence(Qt::CTRL | Qt::Key_S), QStyle::SP_DialogSaveButton);
}

Tfrm_Szotar5::Tfrm_Szotar5(FrameServices& frame, QWidget* parent)
    : DictionaryWindow(frame, parent), tbl_(std::make_unique<store::Table>(frame.database())), actions_(this) {
    setObjectName(QStringLiteral("frm_Szotar5"));
    setWindowTitle(QStringLiteral("Recept"));
    resize(636, 454);

    QWidget* panel9 = buildTopBar();
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(buildListPanel());
    splitter_->addWidget(buildRightPanel());
    splitter_->setStretchFactor(1, 1);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel9);
    layout->addWidget(splitter_, 1);
    layout->addWidget(statusBar_);

    memos_ = new RecipeMemos(ingredientsMemo_, methodMemo_, this);
    new SearchBoxKeys(searchBox_, recipeGrid_, false, [this](const QString& text) { searchCategory(text); });
    connect(searchBox_, &QLineEdit::textChanged, this, &Tfrm_Szotar5::searchCategory);
    connect(recipeGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Tfrm_Szotar5::gridRowChosen);
    connect(recipeGrid_, &QTableView::doubleClicked, this, &Tfrm_Szotar5::editCurrentRecipe);
    // The column widths follow the grid's width, however it changes; the memos post what was
    // typed into them when the user leaves them.
    for (QWidget* w :
         {static_cast<QWidget*>(recipeGrid_), static_cast<QWidget*>(ingredientsMemo_), static_cast<QWidget*>(methodMemo_)})
        w->installEventFilter(this);
    connect(model_, &QAbstractItemModel::modelReset, this, &Tfrm_Szotar5::applyColumnWidths);
    connect(tbl_.get(), &store::Table::currentChanged, this, &Tfrm_Szotar5::followCurrentRecord);
    buildPopupMenu();
    connectActions();
    applyFontSize(this, frame_.settings().fontSize);
}

Tfrm_Szotar5::~Tfrm_Szotar5() = default;

QList<QAction*> Tfrm_Szotar5::windowCommands() const {
    return {actions_.aNezet, actions_.aKeres,  actions_.aUj,   actions_.aSzerkeszt,
            actions_.aTorol, actions_.aMentes, actions_.aBezar};
}

void Tfrm_Szotar5::connectActions() {
    connect(actions_.aNezet, &QAction::triggered, this, &Tfrm_Szotar5::toggleFrameTopPanel);
    connect(actions_.aKeres, &QAction::triggered, this, [this] { searchBox_->setFocus(Qt::ShortcutFocusReason); });
    connect(actions_.aUj, &QAction::triggered, this, &Tfrm_Szotar5::newRecipe);
    connect(actions_.aSzerkeszt, &QAction::triggered, this, &Tfrm_Szotar5::editCurrentRecipe);
    connect(actions_.aTorol, &QAction::triggered, this, &Tfrm_Szotar5::deleteRecipe);
    connect(actions_.aMentes, &QAction::triggered, this, &Tfrm_Szotar5::savePicture);
    connect(actions_.aBezar, &QAction::triggered, this, &Tfrm_Szotar5::closeWindow);
}

store::Table* Tfrm_Szotar5::table() {
    return tbl_.get();
}

bool Tfrm_Szotar5::openDictionary(int id) {
    if (!readDictionaryForOpening(id)) return false;
    nameLabel_->setText(info_.szotarak_nev);
    applyPanelWidth();
    // The method and the picture share the height; the memo's own size wish would take it all.
    const int rightHeight = std::max(2, rightSplitter_->height());
    rightSplitter_->setSizes({rightHeight / 2, rightHeight - rightHeight / 2});
    tbl_->setTableName(info_.tablanev);
    try {
        openOrdered();
    } catch (const store::StoreError& e) {
        showOpenFailed(e);
        return false;
    }
    model_->setTable(tbl_.get());
    applyColumnWidths();
    searchBox_->setFocus(Qt::OtherFocusReason);
    followCurrentRecord();
    return true;
}

void Tfrm_Szotar5::openOrdered() {
    // Opened in key order first: whether the category index is there is known once it is open.
    tbl_->setIndexFieldNames(QString());
    tbl_->open();
    orderedByCategory_ = tbl_->schema().indexLeadingWith(kFirstLanguageColumn) != nullptr;
    if (orderedByCategory_) tbl_->setIndexFieldNames(kRecipeOrder);
    tbl_->first();
}

void Tfrm_Szotar5::reportActive() {
    frame_.settings().lastDict = id_;
    if (!tbl_->isOpen()) return;
    frame_.showDictionaryStatus(info_.szotarak_nev, positionText(), largeIcon_,
                                info_.sorrend == kFirstLanguageColumn ? info_.nyelv1 : info_.nyelv2);
}

void Tfrm_Szotar5::searchCategory(const QString& text) {
    if (text.isEmpty() || !tbl_->isOpen()) return;
    if (!postMemos()) return;
    if (orderedByCategory_) {
        gotoTyped(text);
        return;
    }
    try {
        tbl_->locate(kFirstLanguageColumn, text, store::LocateOptions{true, true});
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
    }
}

void Tfrm_Szotar5::followCurrentRecord() {
    if (!tbl_->isOpen() || following_) return;
    following_ = true;
    try {
        model_->syncRowCount();
        const int row = tbl_->recNo() - 1;
        model_->showRowsThrough(row);
        if (row >= 0 && row < model_->rowCount()) {
            const QModelIndex index = model_->index(row, 0);
            recipeGrid_->selectionModel()->setCurrentIndex(index,
                                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            recipeGrid_->scrollTo(index);
        }
    } catch (const store::StoreError& e) {
        following_ = false;
        showStoreFailure(e);
        return;
    }
    following_ = false;
    frame_.showDictionaryStatus(info_.szotarak_nev, positionText(), largeIcon_, QStringLiteral("címszó"));
    showDetails();
    showPicture();
}

void Tfrm_Szotar5::showDetails() {
    if (tbl_->state() != store::Table::State::Browse) return;
    try {
        const bool hasRecipe = tbl_->recordCount() > 0;
        dishLabel_->setText(hasRecipe ? tbl_->text(kSecondLanguageColumn) : QString());
        difficultyLabel_->setText(hasRecipe ? tbl_->text(QStringLiteral("nehezseg")) : QString());
        minutesLabel_->setText(hasRecipe ? tbl_->text(QStringLiteral("perc")) : QString());
        memos_->show(*tbl_, hasRecipe);
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
    }
}

void Tfrm_Szotar5::gridRowChosen(const QModelIndex& current) {
    if (following_ || !current.isValid()) return;
    if (!postMemos()) {
        // The typed text stays with its recipe: the grid goes back to it.
        followCurrentRecord();
        return;
    }
    moveToRow(current.row() + 1);
}

bool Tfrm_Szotar5::postMemos() {
    if (!tbl_->isOpen() || !memos_->pending()) return true;
    try {
        memos_->post(*tbl_);
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return false;
    }
    return true;
}

bool Tfrm_Szotar5::eventFilter(QObject* watched, QEvent* event) {
    if (watched == recipeGrid_) {
        if (event->type() == QEvent::Resize) applyColumnWidths();
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier &&
                actions_.aSzerkeszt->isEnabled()) {
                editCurrentRecipe();
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut) {
        postMemos();
    }
    return DictionaryWindow::eventFilter(watched, event);
}

void Tfrm_Szotar5::applyPanelWidth() {
    const int panel = recipe_widths::listPanelWidth(width(), info_.nyelv1szeles);
    splitter_->setSizes({panel, std::max(1, width() - panel)});
}

int Tfrm_Szotar5::listPanelWidth() const {
    return listPanel_->width();
}

void Tfrm_Szotar5::applyColumnWidths() {
    const recipe_widths::ColumnWidths widths = recipe_widths::columns(recipeGrid_->width());
    recipeGrid_->setColumnWidth(0, widths.category);
    recipeGrid_->setColumnWidth(1, widths.dish);
}

void Tfrm_Szotar5::showPicture() {
    if (!tbl_->isOpen() || tbl_->state() != store::Table::State::Browse) return;
    QByteArray bytes;
    QString extension;
    try {
        if (tbl_->recordCount() > 0) {
            bytes = tbl_->blob(kPicture);
            extension = tbl_->text(kExtension);
        }
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return;
    }
    // A recipe without a picture, or with one that cannot be drawn, shows none; why it cannot
    // be drawn goes to the status bar rather than into a message box on every move.
    const DecodedPicture picture = decodeRecipePicture(bytes, extension);
    if (picture.image.isNull())
        picturePanel_->clearImage();
    else
        picturePanel_->showImage(picture.image);
    statusBar_->showMessage(picture.problem);
}

void Tfrm_Szotar5::newRecipe() {
    if (!postMemos() || !startNewRow()) return;
    try {
        tbl_->setValue(QStringLiteral("nehezseg"), 1);
        tbl_->setValue(QStringLiteral("perc"), 1);
    } catch (const store::StoreError& e) {
        tbl_->cancel();
        showStoreFailure(e);
        return;
    }
    runEditor();
}

void Tfrm_Szotar5::editCurrentRecipe() {
    if (!postMemos()) return;
    bool adding = false;
    try {
        adding = tbl_->isOpen() && tbl_->recordCount() == 0;
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return;
    }
    // On an empty book "Szerkeszt" adds the first recipe, as "Új sor" does.
    if (adding) {
        newRecipe();
        return;
    }
    if (startEditingRow()) runEditor();
}

void Tfrm_Szotar5::runEditor() {
    editRecipe(*tbl_, frame_.ini(), this);
    model_->syncRowCount();
    followCurrentRecord();
}

void Tfrm_Szotar5::deleteRecipe() {
    if (!postMemos()) return;
    deleteCurrentRow(QStringLiteral("Valóban töröljem a finomságot?"));
    followCurrentRecord();
}

QString Tfrm_Szotar5::proposedPictureName() {
    QString dish;
    QString extension;
    try {
        if (tbl_->isOpen() && tbl_->recordCount() > 0) {
            dish = tbl_->text(kSecondLanguageColumn);
            extension = tbl_->text(kExtension);
        }
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
    }
    // The bytes are saved as they are stored, so the name keeps their kind.
    return dish + (extension.isEmpty() ? QStringLiteral(".jpg") : extension);
}

void Tfrm_Szotar5::savePicture() {
    if (!tbl_->isOpen() || !postMemos()) return;
    const QString name = proposedPictureName();
    const QString pattern = QStringLiteral("*") + name.mid(name.lastIndexOf(QLatin1Char('.')));
    const QString path = askPictureSavePath(this, name, QStringLiteral("Kép (%1)").arg(pattern));
    if (!path.isEmpty()) savePictureTo(path);
}

bool Tfrm_Szotar5::savePictureTo(const QString& path) {
    QByteArray bytes;
    try {
        if (tbl_->recordCount() == 0) return true;
        bytes = tbl_->blob(kPicture);
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return false;
    }
    return writePictureFile(path, bytes, this);
}

void Tfrm_Szotar5::printList() {
    // What is typed in the memos is printed too; the recipes go at once to the default printer.
    if (!tbl_->isOpen() || !postMemos()) return;
    printRecipes(
        frame_, info_, *tbl_, true,
        [](const QByteArray& bytes, const QString& extension) { return decodeRecipePicture(bytes, extension).image; }, this);
}

void Tfrm_Szotar5::importData() {
    if (!tbl_->isOpen() || !postMemos()) return;
    Tfrm_ReceptBetolt::run(frame_, *tbl_, this);
    model_->reload();
    followCurrentRecord();
}

void Tfrm_Szotar5::savePanelRatio() {
    if (id_ < 0) return;
    headword_widths::storePanelShare(frame_.database(), info_, listPanel_->width(), width(), this);
}

void Tfrm_Szotar5::saveLayoutForDataSheet() {
    postMemos();
    savePanelRatio();
}

void Tfrm_Szotar5::reloadDictionaryInfo() {
    if (!rereadDictionaryInfo()) return;
    nameLabel_->setText(info_.szotarak_nev);
    setWindowTitle(info_.szotarak_nev);
    applyPanelWidth();
}

bool Tfrm_Szotar5::queryClose() {
    // What is typed in the memos is stored; when it cannot be, the user decides whether the
    // window closes without it.
    if (!postMemos() &&
        !askYesNo(QStringLiteral("A beírt szöveg nem menthető. Bezárja mégis az ablakot?"), QStringLiteral("Megerősítés"), this))
        return false;
    savePanelRatio();
    return true;
}

void Tfrm_Szotar5::closeEvent(QCloseEvent* event) {
    if (!closed_ && id_ >= 0) {
        if (memos_->pending() && !queryClose()) {
            event->ignore();
            return;
        }
        closed_ = true;
        savePanelRatio();
        model_->setTable(nullptr);
        tbl_->close();
    }
    event->accept();
}

} // namespace verbalo
