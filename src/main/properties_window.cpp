#include "main/properties_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_routines.h"
#include "main/logic/catalogue_editing.h"
#include "widgets/default_icons.h"
#include "main/logic/dictionary_creation.h"
#include "widgets/editing_dialog.h"
#include "widgets/icons.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace verbalo {

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

QLabel* imageLabel(QWidget* parent, const char* name, int size) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFixedSize(size + 4, size + 4);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void showIcon(QLabel* image, const QByteArray& bytes, int size) {
    image->setPixmap(pixmapFromIconBytes(bytes, size));
}

} // namespace

Tfrm_Tulajdonsag::Tfrm_Tulajdonsag(const PickerContext& context, int id, QWidget* parent)
    : QDialog(parent), context_(context), id_(id), table_(std::make_unique<store::Table>(context.db)) {
    setObjectName(QStringLiteral("frm_Tulajdonsag"));
    setWindowTitle(QStringLiteral("Tulajdonságok"));
    buildUi();
    largeIcon_ = iconFileBytes(paintDictionaryIcon(48));
    icon1_ = iconFileBytes(paintLanguageIcon(16));
    icon2_ = icon1_;
    showIcon(largeImage_, largeIcon_, 48);
    showIcon(firstIconLabel_, icon1_, 16);
    showIcon(secondIconLabel_, icon2_, 16);
    new EditingDialogBehaviour(this, okButton_);
}

Tfrm_Tulajdonsag::~Tfrm_Tulajdonsag() = default;

void Tfrm_Tulajdonsag::buildUi() {
    auto* general = new QGroupBox(QStringLiteral("Általános"), this);
    general->setObjectName(QStringLiteral("GroupBox1"));
    auto* form = new QGridLayout(general);
    name_ = lineEdit(general, "DBEdit1", 100);
    version_ = lineEdit(general, "DBEdit2", 11);
    version_->setValidator(new QIntValidator(version_));
    author_ = lineEdit(general, "DBEdit9", 25);
    authorAddress_ = lineEdit(general, "DBEdit10", 25);
    note_ = new QPlainTextEdit(general);
    note_->setObjectName(QStringLiteral("DBMemo1"));
    note_->setTabChangesFocus(true);
    note_->setFixedHeight(60);
    tableName_ = lineEdit(general, "DBEdit5", 50);
    makeTableNameButton_ = new QToolButton(general);
    makeTableNameButton_->setObjectName(QStringLiteral("BitBtn1"));
    makeTableNameButton_->setText(QStringLiteral("«"));
    makeTableNameButton_->setToolTip(QStringLiteral("Adattábla neve a szótár nevéből"));
    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(tableName_, 1);
    tableRow->addWidget(makeTableNameButton_);
    int row = 0;
    const auto addRow = [&](const QString& label, QWidget* w, QLayout* l = nullptr) {
        form->addWidget(new QLabel(label, general), row, 0, Qt::AlignTop);
        if (w) form->addWidget(w, row, 1);
        if (l) form->addLayout(l, row, 1);
        ++row;
    };
    addRow(QStringLiteral("szótár neve"), name_);
    addRow(QStringLiteral("verzió"), version_);
    addRow(QStringLiteral("szerző"), author_);
    addRow(QStringLiteral("szerző elérés"), authorAddress_);
    addRow(QStringLiteral("megjegyzés"), note_);
    addRow(QStringLiteral("adattábla neve"), nullptr, tableRow);

    largeImage_ = imageLabel(general, "Image2", 48);
    auto* chooseLarge = button(general, "Button3", QStringLiteral("Kép választása (48*48px ico)"));
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(largeImage_);
    pictureRow->addWidget(chooseLarge);
    pictureRow->addStretch();
    form->addLayout(pictureRow, row++, 0, 1, 2);

    auto* typeBox = new QGroupBox(QStringLiteral("Szótár típusa"), general);
    typeBox->setObjectName(QStringLiteral("DBRadioGroup1"));
    typeBox_ = typeBox;
    typeGroup_ = new QButtonGroup(this);
    auto* typeLayout = new QGridLayout(typeBox);
    int i = 0;
    for (int type : {int(Bilingual), int(HeadwordList), int(ImageGallery), int(RecipeBook)}) {
        auto* radio = new QRadioButton(dictionaryTypeCaption(type), typeBox);
        radio->setObjectName(QStringLiteral("DBRadioGroup1_%1").arg(type));
        typeGroup_->addButton(radio, type);
        typeLayout->addWidget(radio, i / 2, i % 2);
        ++i;
    }
    typeGroup_->button(Bilingual)->setChecked(true);
    connect(typeGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && isNew()) showTypeWidths();
    });
    form->addWidget(typeBox, row++, 0, 1, 2);

    const auto languageBox = [this](const QString& title, const char* editLabel, const char* boxName, const char* editName,
                                    const char* lengthName, const char* imageName, const char* buttonName, QLineEdit** edit,
                                    QLineEdit** length, QLabel** image, QPushButton** choose) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(QString::fromLatin1(boxName));
        auto* grid = new QGridLayout(box);
        *edit = lineEdit(box, editName, 25);
        *length = lineEdit(box, lengthName, 3);
        (*length)->setText(QStringLiteral("50"));
        *image = imageLabel(box, imageName, 16);
        *choose = button(box, buttonName, QStringLiteral("Kép választása (16*16px ico)"));
        grid->addWidget(new QLabel(QString::fromLatin1(editLabel), box), 0, 0);
        grid->addWidget(*edit, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("hossz (5..255)"), box), 1, 0);
        grid->addWidget(*length, 1, 1);
        auto* pic = new QHBoxLayout;
        pic->addWidget(*image);
        pic->addWidget(*choose);
        pic->addStretch();
        grid->addLayout(pic, 2, 0, 1, 2);
        return box;
    };
    QPushButton* choose1 = nullptr;
    QPushButton* choose2 = nullptr;
    QGroupBox* language1Box = languageBox(QStringLiteral("Nyelv 1."), "nyelv1", "GroupBox2", "DBEdit3", "Edit1", "Image3",
                                          "Button4", &language1_, &length1_, &firstIconLabel_, &choose1);
    QGroupBox* language2Box = languageBox(QStringLiteral("Nyelv 2."), "nyelv2", "GroupBox3", "DBEdit4", "Edit2", "Image4",
                                          "Button5", &language2_, &length2_, &secondIconLabel_, &choose2);

    auto* ok = button(this, "Button1", QStringLiteral("OK"));
    okButton_ = ok;
    auto* cancel = button(this, "Button2", QStringLiteral("Mégsem"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* right = new QVBoxLayout;
    right->addWidget(language1Box);
    right->addWidget(language2Box);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(general, 3);
    columns->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(makeTableNameButton_, &QToolButton::clicked, this, &Tfrm_Tulajdonsag::makeTableName);
    connect(chooseLarge, &QPushButton::clicked, this, [this] { chooseIcon(largeImage_, &largeIcon_, 48); });
    connect(choose1, &QPushButton::clicked, this, [this] { chooseIcon(firstIconLabel_, &icon1_, 16); });
    connect(choose2, &QPushButton::clicked, this, [this] { chooseIcon(secondIconLabel_, &icon2_, 16); });
    connect(ok, &QPushButton::clicked, this, &Tfrm_Tulajdonsag::accept);
    connect(cancel, &QPushButton::clicked, this, &Tfrm_Tulajdonsag::reject);
}

bool Tfrm_Tulajdonsag::load() {
    table_->setTableName(kCatalogueTable);
    table_->setFiltered(false);
    table_->open();
    if (isNew()) return true;
    // The type and the table layout of an existing dictionary stay as they are.
    typeBox_->setEnabled(false);
    length1_->setEnabled(false);
    length2_->setEnabled(false);
    makeTableNameButton_->setEnabled(false);
    if (!table_->locate(QStringLiteral("szotarak"), id_)) return false;
    name_->setText(table_->text(QStringLiteral("szotarak_nev")));
    version_->setText(table_->isNull(QStringLiteral("verzio")) ? QString()
                                                               : QString::number(table_->integer(QStringLiteral("verzio"))));
    author_->setText(table_->text(QStringLiteral("szerzo")));
    authorAddress_->setText(table_->text(QStringLiteral("szerzo_emil")));
    note_->setPlainText(table_->text(QStringLiteral("megjegyzes")));
    tableName_->setText(table_->text(QStringLiteral("tablanev")));
    if (QAbstractButton* radio = typeGroup_->button(static_cast<int>(table_->integer(QStringLiteral("tipus")))))
        radio->setChecked(true);
    language1_->setText(table_->text(kFirstLanguageColumn));
    language2_->setText(table_->text(kSecondLanguageColumn));
    showTableWidths(tableName_->text());
    // A blob that is not a picture is skipped; the built-in default stays.
    const struct {
        const char* column;
        QByteArray* bytes;
        QLabel* image;
        int size;
    } icons[] = {{"nyelv1ikon", &icon1_, firstIconLabel_, 16},
                 {"nyelv2ikon", &icon2_, secondIconLabel_, 16},
                 {"ikon_nagy", &largeIcon_, largeImage_, 48}};
    for (const auto& icon : icons) {
        const QByteArray bytes = table_->blob(QString::fromLatin1(icon.column));
        if (!bytes.isEmpty() && !pixmapFromIconBytes(bytes, icon.size).isNull()) {
            *icon.bytes = bytes;
            showIcon(icon.image, bytes, icon.size);
        }
    }
    return true;
}

int Tfrm_Tulajdonsag::selectedType() const {
    return typeGroup_->checkedId();
}

void Tfrm_Tulajdonsag::makeTableName() {
    tableName_->setFocus();
    QStringList taken;
    try {
        taken = context_.db.tableNames();
    } catch (const store::StoreError& e) {
        showStoreError(e, QString(), this);
    }
    tableName_->setText(suggestTableName(name_->text(), taken));
}

void Tfrm_Tulajdonsag::showTypeWidths() {
    const int type = selectedType();
    const bool typed = type == Bilingual;
    length1_->setEnabled(typed);
    length2_->setEnabled(typed);
    if (typed) {
        if (length1_->text().isEmpty()) length1_->setText(QStringLiteral("50"));
        if (length2_->text().isEmpty()) length2_->setText(QStringLiteral("50"));
        return;
    }
    // The layout's own widths: its first and second text or memo column.
    QStringList widths;
    for (const LayoutColumn& c : dictionaryColumns(type))
        if (c.kind == store::FieldKind::Text || c.kind == store::FieldKind::Memo)
            widths << (c.kind == store::FieldKind::Text ? QString::number(c.width) : QString());
    length1_->setText(widths.value(0));
    length2_->setText(widths.value(1));
}

void Tfrm_Tulajdonsag::showTableWidths(const QString& tableName) {
    length1_->clear();
    length2_->clear();
    try {
        store::Table dictionary(context_.db);
        dictionary.setTableName(tableName);
        dictionary.setFiltered(false);
        dictionary.open();
        // The first two columns after a recipe book's number: the columns the boxes stand for.
        QList<QLineEdit*> boxes{length1_, length2_};
        for (const store::FieldDef& field : dictionary.schema().fields) {
            if (boxes.isEmpty()) break;
            if (field.kind != store::FieldKind::Text && field.kind != store::FieldKind::Memo) continue;
            boxes.takeFirst()->setText(field.kind == store::FieldKind::Text && field.width > 0 ? QString::number(field.width)
                                                                                               : QString());
        }
    } catch (const store::StoreError&) {
        // A dictionary whose table is missing has no widths to show; the boxes stay empty and
        // the rest of its row can still be edited.
    }
}

bool Tfrm_Tulajdonsag::widthsAcceptable() {
    if (selectedType() != Bilingual) return true;
    const struct {
        QLineEdit* box;
        QString language;
    } boxes[] = {{length1_, language1_->text().isEmpty() ? QStringLiteral("Nyelv 1.") : language1_->text()},
                 {length2_, language2_->text().isEmpty() ? QStringLiteral("Nyelv 2.") : language2_->text()}};
    for (const auto& b : boxes) {
        bool ok = false;
        const int width = b.box->text().trimmed().toInt(&ok);
        if (ok && width >= kShortestWidth && width <= kLongestWidth) continue;
        showError(QStringLiteral("A(z) %1 hossza %2 és %3 közötti egész szám legyen (most: „%4”). Szótár nem készült.")
                      .arg(b.language)
                      .arg(kShortestWidth)
                      .arg(kLongestWidth)
                      .arg(b.box->text()),
                  this);
        b.box->setFocus();
        b.box->selectAll();
        return false;
    }
    return true;
}

void Tfrm_Tulajdonsag::chooseIcon(QLabel* image, QByteArray* bytes, int size) {
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("Ikon file-ok (*.ico)"));
    if (!file.isEmpty()) takeIconFile(image, bytes, size, file);
}

bool Tfrm_Tulajdonsag::takeIconFile(QLabel* image, QByteArray* bytes, int size, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray content = f.readAll();
    if (content.isEmpty()) return false;
    *bytes = content;
    showIcon(image, content, size);
    return true;
}

bool Tfrm_Tulajdonsag::takeIconFile(IconSlot slot, const QString& path) {
    switch (slot) {
    case IconSlot::Large: return takeIconFile(largeImage_, &largeIcon_, 48, path);
    case IconSlot::Language1: return takeIconFile(firstIconLabel_, &icon1_, 16, path);
    case IconSlot::Language2: return takeIconFile(secondIconLabel_, &icon2_, 16, path);
    }
    return false;
}

void Tfrm_Tulajdonsag::writeRowFields() {
    table_->setValue(QStringLiteral("szotarak_nev"), name_->text());
    table_->setValue(QStringLiteral("verzio"), version_->text().isEmpty() ? QVariant() : QVariant(version_->text().toInt()));
    table_->setValue(QStringLiteral("szerzo"), author_->text());
    table_->setValue(QStringLiteral("szerzo_emil"), authorAddress_->text());
    table_->setValue(QStringLiteral("megjegyzes"), note_->toPlainText());
    table_->setValue(QStringLiteral("tablanev"), tableName_->text());
    table_->setValue(kFirstLanguageColumn, language1_->text());
    table_->setValue(kSecondLanguageColumn, language2_->text());
}

void Tfrm_Tulajdonsag::accept() {
    if (largeIcon_.isEmpty() || icon1_.isEmpty() || icon2_.isEmpty()) {
        showError(QStringLiteral("Hiba a kép mentése közben."), this);
        return;
    }
    if (isNew() && !widthsAcceptable()) return;
    if (isNew()) {
        try {
            createDictionaryTable(context_.db, selectedType(), tableName_->text(), length1_->text().trimmed(),
                                  length2_->text().trimmed());
        } catch (const store::StoreError& e) {
            showError(QStringLiteral("Tábla létrehozása sikertelen: ") + storeFailureText(e, tableName_->text().trimmed()), this);
            return;
        }
    }
    try {
        if (isNew()) {
            startNewCatalogueRow(*table_, selectedType());
        } else {
            table_->edit();
        }
        writeRowFields();
        table_->setBlob(QStringLiteral("nyelv1ikon"), icon1_);
        table_->setBlob(QStringLiteral("nyelv2ikon"), icon2_);
        table_->setBlob(QStringLiteral("ikon_nagy"), largeIcon_);
        table_->post();
        savedId_ = static_cast<int>(table_->integer(QStringLiteral("szotarak")));
    } catch (const store::StoreError& e) {
        if (table_->state() == store::Table::State::Insert || table_->state() == store::Table::State::Edit) table_->cancel();
        // A new dictionary is its row and its table together: without the row the table goes.
        if (isNew()) {
            QString dropFailure;
            if (!dropDictionaryTable(context_.db, tableName_->text().trimmed()))
                dropFailure = QStringLiteral("\r\nA már elkészült %1.DB állomány nem törölhető; törölje kézzel az adatmappából.")
                                  .arg(tableName_->text().trimmed());
            showError(QStringLiteral("Tábla létrehozása sikertelen: ") + storeFailureText(e, kCatalogueTable) + dropFailure,
                      this);
        } else {
            showStoreError(e, kCatalogueTable, this);
        }
        return;
    }
    // The new dictionary is listed at once: its existence flag, then whoever shows the list.
    try {
        refreshExistence(context_.db);
    } catch (const store::StoreError& e) {
        showStoreError(e, kCatalogueTable, this);
    }
    if (context_.catalogueChanged) context_.catalogueChanged();
    QDialog::accept();
}

void Tfrm_Tulajdonsag::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, context_.fontSize);
        restoreWindowPos(context_.ini, this);
    }
    QDialog::setVisible(visible);
}

void Tfrm_Tulajdonsag::done(int result) {
    saveWindowPos(context_.ini, this);
    QDialog::done(result);
}

int editDictionaryProperties(const PickerContext& context, int id) {
    Tfrm_Tulajdonsag window(context, id, context.owner);
    if (!window.load()) return -1;
    if (window.exec() != QDialog::Accepted) return -1;
    return window.savedId();
}

} // namespace verbalo
