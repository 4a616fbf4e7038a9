#include "dictionaries/gallery_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/picture_file.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "dictionaries/caption_dialog.h"
#include "dictionaries/gallery_captions_model.h"
#include "dictionaries/list_window_widths.h"
#include "dictionaries/pair_grid.h"
#include "dictionaries/picture_decoding.h"
#include "dictionaries/picture_panel.h"
#include "dictionaries/picture_saving.h"
#include "dictionaries/search_box_keys.h"
#include "exchange/gallery_import_window.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"
#include "widgets/window_commands.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

using namespace headword_widths;

const QString kRefused = QStringLiteral("Hibás adatmegadás, vagy már létező tétel");

} // namespace

Tfrm_Szotar3::Actions::Actions(QWidget* w) : ListCommands(w) {
    aMentes = makeWindowCommand(w, "aMentes", QStringLiteral("Mentés"), QStringLiteral("Mentés"),
                                QKeySequence(Qt::CTRL | Qt::Key_S), QStyle::SP_DialogSaveButton);
}

Tfrm_Szotar3::Tfrm_Szotar3(FrameServices& frame, QWidget* parent)
    : DictionaryWindow(frame, parent), tbl_(std::make_unique<store::Table>(frame.database())), actions_(this) {
    setObjectName(QStringLiteral("frm_Szotar3"));
    setWindowTitle(QStringLiteral("Képtár"));
    resize(636, 454);

    auto* panel3 = new QWidget(this);
    panel3->setObjectName(QStringLiteral("Panel3"));
    searchBox_ = new QLineEdit(panel3);
    searchBox_->setObjectName(QStringLiteral("Edit1"));
    searchBox_->setMinimumWidth(180);
    auto* toolBar = new QToolBar(panel3);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(actions_.aNezet);
    toolBar->addSeparator();
    toolBar->addAction(actions_.aUj);
    toolBar->addAction(actions_.aSzerkeszt);
    toolBar->addAction(actions_.aTorol);
    toolBar->addSeparator();
    toolBar->addAction(actions_.aMentes);
    toolBar->addSeparator();
    toolBar->addAction(actions_.aBezar);
    nameLabel_ = new QLabel(panel3);
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(13);
    nameFont.setBold(true);
    nameLabel_->setFont(nameFont);
    nameLabel_->setForegroundRole(QPalette::Highlight);
    auto* bar = new QHBoxLayout(panel3);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(searchBox_);
    bar->addWidget(toolBar, 1);
    bar->addWidget(nameLabel_, 0, Qt::AlignRight | Qt::AlignVCenter);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setChildrenCollapsible(false);
    listPanel_ = new QWidget(splitter_);
    listPanel_->setObjectName(QStringLiteral("Panel1"));
    captionGrid_ = new SearchBoxGrid(listPanel_);
    captionGrid_->setObjectName(QStringLiteral("DBGrid1"));
    configurePairGrid(captionGrid_);
    model_ = new GalleryCaptionsModel(this);
    model_->setFailureHandler([this](const store::StoreError& e) { showStoreFailure(e); });
    captionGrid_->setModel(model_);
    auto* panelLayout = new QVBoxLayout(listPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(captionGrid_);
    picturePanel_ = new PicturePanel(QStringLiteral("Panel2"), splitter_);
    splitter_->addWidget(listPanel_);
    splitter_->addWidget(picturePanel_);
    splitter_->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel3);
    layout->addWidget(splitter_, 1);

    new SearchBoxKeys(searchBox_, captionGrid_, true, [this](const QString& text) { gotoTyped(text); });
    connect(searchBox_, &QLineEdit::textChanged, this, [this](const QString& text) { gotoTyped(text); });
    connect(captionGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Tfrm_Szotar3::gridRowChosen);
    connect(captionGrid_, &QTableView::doubleClicked, this, [this] { addOrReplace(true); });
    // The caption column follows the panel's width, however it changes.
    captionGrid_->installEventFilter(this);
    // A reset model (rows added by an import, another program's changes) forgets the widths.
    connect(model_, &QAbstractItemModel::modelReset, this, &Tfrm_Szotar3::applyColumnWidth);
    connect(tbl_.get(), &store::Table::currentChanged, this, &Tfrm_Szotar3::followCurrentRecord);
    buildPopupMenu();
    connectActions();
    applyFontSize(this, frame_.settings().fontSize);
}

Tfrm_Szotar3::~Tfrm_Szotar3() = default;

QList<QAction*> Tfrm_Szotar3::windowCommands() const {
    return {actions_.aNezet, actions_.aKeres,  actions_.aUj,   actions_.aSzerkeszt,
            actions_.aTorol, actions_.aMentes, actions_.aBezar};
}

void Tfrm_Szotar3::buildPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    menu->addAction(actions_.aKeres);
    menu->addSeparator();
    menu->addAction(actions_.aUj);
    menu->addAction(actions_.aSzerkeszt);
    menu->addAction(actions_.aTorol);
    menu->addSeparator();
    menu->addAction(actions_.aMentes);
    menu->addSeparator();
    // The frame's data sheet command carries Alt+Enter; the item only shows it.
    QAction* sheet = menu->addAction(QStringLiteral("Tulajdonságok\tAlt+Enter"), this, [this] { frame_.showDataSheet(); });
    sheet->setObjectName(QStringLiteral("miTulajdonsagok"));
    menu->addSeparator();
    menu->addAction(actions_.aBezar);
    for (QWidget* w : {static_cast<QWidget*>(captionGrid_), static_cast<QWidget*>(picturePanel_)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [w, menu](const QPoint& pos) { menu->popup(w->mapToGlobal(pos)); });
    }
}

void Tfrm_Szotar3::connectActions() {
    connect(actions_.aNezet, &QAction::triggered, this, &Tfrm_Szotar3::toggleFrameTopPanel);
    connect(actions_.aKeres, &QAction::triggered, this, [this] { searchBox_->setFocus(Qt::ShortcutFocusReason); });
    connect(actions_.aUj, &QAction::triggered, this, [this] { addOrReplace(false); });
    connect(actions_.aSzerkeszt, &QAction::triggered, this, [this] { addOrReplace(true); });
    connect(actions_.aTorol, &QAction::triggered, this, [this] {
        deleteCurrentRow();
        showPicture();
    });
    connect(actions_.aMentes, &QAction::triggered, this, &Tfrm_Szotar3::savePicture);
    connect(actions_.aBezar, &QAction::triggered, this, &Tfrm_Szotar3::closeWindow);
}

void Tfrm_Szotar3::importData() {
    if (!tbl_->isOpen()) return;
    Tfrm_KeptarBetolt::run(frame_, *tbl_, this);
    model_->reload();
    followCurrentRecord();
}

store::Table* Tfrm_Szotar3::table() {
    return tbl_.get();
}

bool Tfrm_Szotar3::openDictionary(int id) {
    if (!readDictionaryForOpening(id)) return false;
    nameLabel_->setText(info_.szotarak_nev);
    // The width the panel had when the gallery was last closed, as the headword list does.
    splitter_->setSizes({panelWidthForShare(width(), info_.nyelv1szeles),
                         std::max(1, width() - panelWidthForShare(width(), info_.nyelv1szeles))});
    tbl_->setTableName(info_.tablanev);
    tbl_->setIndexFieldNames(kFirstLanguageColumn);
    try {
        tbl_->open();
    } catch (const store::StoreError& e) {
        showOpenFailed(e);
        return false;
    }
    model_->setTable(tbl_.get());
    applyColumnWidth();
    searchBox_->setFocus(Qt::OtherFocusReason);
    followCurrentRecord();
    return true;
}

void Tfrm_Szotar3::reportActive() {
    frame_.settings().lastDict = id_;
    if (!tbl_->isOpen()) return;
    frame_.showDictionaryStatus(info_.szotarak_nev, positionText(), largeIcon_,
                                info_.sorrend == kFirstLanguageColumn ? info_.nyelv1 : info_.nyelv2);
}

void Tfrm_Szotar3::followCurrentRecord() {
    if (!tbl_->isOpen() || following_) return;
    following_ = true;
    try {
        selectRecordRow(captionGrid_, *model_, tbl_->recNo(), RowReveal::Nearest);
    } catch (const store::StoreError& e) {
        following_ = false;
        showStoreFailure(e);
        return;
    }
    following_ = false;
    frame_.showDictionaryStatus(info_.szotarak_nev, positionText(), largeIcon_, QStringLiteral("címszó"));
    showPicture();
}

void Tfrm_Szotar3::gridRowChosen(const QModelIndex& current) {
    if (following_ || !current.isValid()) return;
    moveToRow(current.row() + 1);
}

bool Tfrm_Szotar3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == captionGrid_ && event->type() == QEvent::Resize) applyColumnWidth();
    return DictionaryWindow::eventFilter(watched, event);
}

void Tfrm_Szotar3::applyColumnWidth() {
    captionGrid_->setColumnWidth(0, std::max(0, captionGrid_->width() - 33));
}

void Tfrm_Szotar3::showPicture() {
    if (!tbl_->isOpen() || tbl_->state() != store::Table::State::Browse) return;
    QByteArray bytes;
    try {
        if (tbl_->recordCount() == 0) return;
        bytes = tbl_->blob(QStringLiteral("kep"));
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return;
    }
    // An entry without a picture, or with one that is no JPEG, leaves the last picture shown.
    const QImage image = decodeGalleryPicture(bytes);
    if (!image.isNull()) picturePanel_->showImage(image);
}

void Tfrm_Szotar3::addOrReplace(bool replacing) {
    if (!tbl_->isOpen()) return;
    QString caption;
    try {
        if (replacing && tbl_->recordCount() > 0) caption = tbl_->text(kFirstLanguageColumn);
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return;
    }
    if (!inputString(frame_.ini(), frame_.settings().fontSize, QStringLiteral("Címszó"), QStringLiteral("Add meg a címszót"),
                     caption, false, QChar(), this) ||
        caption.isEmpty())
        return;
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Kép választás"), QString(), QStringLiteral("JPG képek (*.jpg)"));
    if (path.isEmpty()) return;
    storeEntry(caption, path, replacing);
}

bool Tfrm_Szotar3::storeEntry(const QString& caption, const QString& picturePath, bool replacing) {
    const PictureFileRead picture = readPictureFile(picturePath);
    if (!picture.ok) {
        showError(picture.error, this);
        return false;
    }
    try {
        if (replacing && tbl_->recordCount() > 0)
            tbl_->edit();
        else
            tbl_->insert();
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return false;
    }
    try {
        tbl_->setBlob(QStringLiteral("kep"), picture.bytes);
        tbl_->setValue(kFirstLanguageColumn, caption);
        tbl_->post();
    } catch (const store::StoreError& e) {
        // The pending row goes, so that the next move does not try to post it again.
        tbl_->cancel();
        showPostError(e, kRefused, info_.tablanev, this);
        return false;
    }
    followCurrentRecord();
    return true;
}

QString Tfrm_Szotar3::proposedPictureName() {
    try {
        if (tbl_->isOpen() && tbl_->recordCount() > 0) return tbl_->text(kFirstLanguageColumn) + QStringLiteral(".jpg");
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
    }
    return QStringLiteral(".jpg");
}

void Tfrm_Szotar3::savePicture() {
    if (!tbl_->isOpen()) return;
    const QString path = askPictureSavePath(this, proposedPictureName(), QStringLiteral("JPG (*.jpg)"));
    if (!path.isEmpty()) savePictureTo(path);
}

bool Tfrm_Szotar3::savePictureTo(const QString& path) {
    QByteArray bytes;
    try {
        if (tbl_->recordCount() == 0) return true;
        bytes = tbl_->blob(QStringLiteral("kep"));
    } catch (const store::StoreError& e) {
        showStoreFailure(e);
        return false;
    }
    return writePictureFile(path, bytes, this);
}

void Tfrm_Szotar3::savePanelRatio() {
    if (id_ < 0) return;
    storePanelShare(frame_.database(), info_, listPanel_->width(), width(), this);
}

void Tfrm_Szotar3::reloadDictionaryInfo() {
    // The data sheet may have renamed the gallery.
    if (!rereadDictionaryInfo()) return;
    nameLabel_->setText(info_.szotarak_nev);
    setWindowTitle(info_.szotarak_nev);
}

bool Tfrm_Szotar3::queryClose() {
    savePanelRatio();
    return true;
}

void Tfrm_Szotar3::closeEvent(QCloseEvent* event) {
    if (!closed_ && id_ >= 0) {
        closed_ = true;
        savePanelRatio();
        model_->setTable(nullptr);
        tbl_->close();
    }
    event->accept();
}

} // namespace verbalo
