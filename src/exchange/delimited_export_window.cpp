#include "exchange/delimited_export_window.h"

#include "common/folders.h"
#include "common/messages.h"
#include "common/store/table.h"
#include "widgets/focus_tint.h"
#include "exchange/logic/data_to_xls.h"
#include "exchange/logic/delimited_export.h"
#include "exchange/logic/progress_pacer.h"
#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace verbalo {

namespace {

const QStringList kSeparatorItems = {QStringLiteral("Pontosvessző (;)"), QStringLiteral("Tabulátor"),
                                     QStringLiteral("Vessző (,)"), QStringLiteral("Cső (|)")};
const QString kSeparators = QStringLiteral(";\t,|");
const QStringList kQuoteItems = {QStringLiteral("Idézőjel (\")"), QStringLiteral("Aposztróf (')"), QStringLiteral("Semmi")};
const QString kQuotes = QStringLiteral("\"'");

QGroupBox* radioGroup(QWidget* parent, const QString& objectName, const QString& title, const QStringList& items,
                      QButtonGroup*& group, int checked) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    group->button(checked)->setChecked(true);
    return box;
}

QCheckBox* checkBox(QWidget* parent, const QString& objectName, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    return box;
}

QPushButton* button(QWidget* parent, const QString& objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Tfrm_Hatarolt::Tfrm_Hatarolt(FrameServices& frame, store::Table& table, const QHash<QString, QString>& captions, QWidget* parent)
    : QDialog(parent), frame_(frame), table_(table), fields_(exportFieldsOf(table, captions)) {
    setObjectName(QStringLiteral("frm_Hatarolt"));
    setWindowTitle(QStringLiteral("Határolt szöveg export"));

    auto* fileLabel = new QLabel(QStringLiteral("Filenév"), this);
    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("Edit1"));
    fileLabel->setBuddy(fileEdit_);
    FocusTint::install(fileEdit_);
    auto* browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("SpeedButton1"));
    browse->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    browse->setToolTip(QStringLiteral("Filenév kiválasztása"));
    connect(browse, &QToolButton::clicked, this, &Tfrm_Hatarolt::chooseFile);

    auto* startButton = button(this, QStringLiteral("Button1"), QStringLiteral("Export indítás"));
    startButton->setDefault(true);
    connect(startButton, &QPushButton::clicked, this, &Tfrm_Hatarolt::runExport);
    stopButton_ = button(this, QStringLiteral("Button3"), QStringLiteral("Megállít"));
    stopButton_->setEnabled(false);
    connect(stopButton_, &QPushButton::clicked, this, &Tfrm_Hatarolt::stop);
    auto* closeButton = button(this, QStringLiteral("Button2"), QStringLiteral("Bezár"));
    connect(closeButton, &QPushButton::clicked, this, &Tfrm_Hatarolt::reject);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);
    progressBar_->setValue(0);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(fileLabel);
    nameRow->addWidget(fileEdit_, 1);
    nameRow->addWidget(browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(startButton);
    buttons->addWidget(stopButton_);
    buttons->addWidget(closeButton);
    auto* right = new QVBoxLayout;
    right->addWidget(buildOptions());
    right->addLayout(nameRow);
    right->addStretch();
    right->addLayout(buttons);
    auto* top = new QHBoxLayout;
    top->addWidget(buildFieldList());
    top->addLayout(right, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top, 1);
    main->addWidget(progressBar_);
}

QListWidget* Tfrm_Hatarolt::buildFieldList() {
    fieldList_ = new QListWidget(this);
    fieldList_->setObjectName(QStringLiteral("CheckListBox1"));
    for (const ExportField& f : fields_) {
        auto* item = new QListWidgetItem(f.name, fieldList_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    return fieldList_;
}

QWidget* Tfrm_Hatarolt::buildOptions() {
    auto* options = new QWidget(this);
    auto* all = button(options, QStringLiteral("Button4"), QStringLiteral("összes"));
    connect(all, &QPushButton::clicked, this, [this] { setAllChecked(true); });
    auto* none = button(options, QStringLiteral("Button5"), QStringLiteral("egyik sem"));
    connect(none, &QPushButton::clicked, this, [this] { setAllChecked(false); });
    auto* checkButtons = new QHBoxLayout;
    checkButtons->addWidget(all);
    checkButtons->addWidget(none);
    checkButtons->addStretch();

    auto* groups = new QHBoxLayout;
    groups->addWidget(
        radioGroup(options, QStringLiteral("RadioGroup2"), QStringLiteral("Határoló karakter"), kSeparatorItems, separators_, 0));
    groups->addWidget(
        radioGroup(options, QStringLiteral("RadioGroup1"), QStringLiteral("Szövegjelölő"), kQuoteItems, quotes_, 2));

    memoLines_ = checkBox(options, QStringLiteral("CheckBox1"),
                          QStringLiteral("Többsoros mezőket is kiírja (egy sorba cső karakter választással)"));
    fieldNames_ = checkBox(options, QStringLiteral("CheckBox2"),
                           QStringLiteral("Eredeti mezőneveket használja (nem a megjelenített neveket)"));
    noHeader_ = checkBox(options, QStringLiteral("CheckBox3"), QStringLiteral("Fejléc nem kell (az első sorban)"));
    openAfter_ = checkBox(options, QStringLiteral("CheckBox4"), QStringLiteral("Export után megnyitás"));

    auto* layout = new QVBoxLayout(options);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(checkButtons);
    layout->addLayout(groups);
    for (QCheckBox* box : {memoLines_, fieldNames_, noHeader_, openAfter_}) layout->addWidget(box);
    return options;
}

QString Tfrm_Hatarolt::fileName() const {
    return fileEdit_->text();
}

void Tfrm_Hatarolt::setFileName(const QString& path) {
    fileEdit_->setText(path);
}

void Tfrm_Hatarolt::setAllChecked(bool on) {
    for (int i = 0; i < fieldList_->count(); ++i) fieldList_->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

std::vector<bool> Tfrm_Hatarolt::checkedFields() const {
    std::vector<bool> checked;
    for (int i = 0; i < fieldList_->count(); ++i) checked.push_back(fieldList_->item(i)->checkState() == Qt::Checked);
    return checked;
}

void Tfrm_Hatarolt::chooseFile() {
    const QString chosen = QFileDialog::getSaveFileName(
        this, QString(), fileName(),
        QStringLiteral("CSV állományok (*.csv);;Text állományok (*.txt);;Excel munkalap (*.xls);;Minden állomány (*)"));
    if (!chosen.isEmpty()) setFileName(chosen);
}

void Tfrm_Hatarolt::runExport() {
    if (running_) return;
    if (fileName().isEmpty()) {
        chooseFile();
        if (fileName().isEmpty()) return;
    }
    const QString path = fileName();
    if (isSpreadsheetFileName(path))
        exportSpreadsheetFile(path);
    else
        exportDelimitedText(path);
    if (openAfter_->isChecked()) {
        frame_.openAddress(path);
        accept();
    }
}

void Tfrm_Hatarolt::exportDelimitedText(const QString& path) {
    DelimitedOptions options;
    options.separator = kSeparators.at(std::max(0, separators_->checkedId()));
    const int quote = quotes_->checkedId();
    if (quote >= 0 && quote < kQuotes.size()) options.quote = kQuotes.at(quote);
    options.memoLines = memoLines_->isChecked();
    options.fieldNames = fieldNames_->isChecked();
    options.noHeader = noHeader_->isChecked();
    options.checked = checkedFields();

    stopButton_->setEnabled(true);
    running_ = true;
    ProgressPacer pacer;
    DelimitedResult result;
    try {
        progressBar_->setMaximum(std::max(1, table_.recordCount()));
        progressBar_->setValue(0);
        result = exportDelimited(table_, fields_, options, path, [this, &pacer](int rowsDone) {
            if (pacer.due()) {
                progressBar_->setValue(rowsDone);
                QCoreApplication::processEvents();
            }
            return running_;
        });
    } catch (const store::StoreError& e) {
        result.error = e.message();
    }
    running_ = false;
    stopButton_->setEnabled(false);
    progressBar_->setValue(0);
    if (result.ok)
        showInfo(path + QStringLiteral(" file kész."), this);
    else
        showError(QStringLiteral("Hiba: ") + result.error, this);
}

void Tfrm_Hatarolt::exportSpreadsheetFile(const QString& path) {
    try {
        progressBar_->setMaximum(std::max(1, table_.recordCount()));
        progressBar_->setValue(0);
        const SpreadsheetResult written = exportSpreadsheet(table_, fields_, checkedFields(), path,
                                                            [this] { progressBar_->setValue(progressBar_->value() + 1); });
        progressBar_->setValue(0);
        if (written.rowLimitReached) showError(spreadsheetRowLimitMessage(path), this);
    } catch (const ExportError& e) {
        progressBar_->setValue(0);
        showError(e.message(), this);
    } catch (const store::StoreError& e) {
        progressBar_->setValue(0);
        showError(e.message(), this);
    }
}

void Tfrm_Hatarolt::done(int result) {
    if (running_) return;
    saveWindowPos(frame_.ini(), this);
    QDialog::done(result);
}

void Tfrm_Hatarolt::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, frame_.settings().fontSize);
        restoreWindowPos(frame_.ini(), this);
    }
    QDialog::setVisible(visible);
}

void openDelimitedExport(FrameServices& frame, store::Table& table, const QHash<QString, QString>& captions, QWidget* owner) {
    Tfrm_Hatarolt window(frame, table, captions, owner ? owner : frame.frameWindow());
    window.setFileName(myDocumentsFolder() + QStringLiteral("/File001.csv"));
    window.exec();
}

} // namespace verbalo
