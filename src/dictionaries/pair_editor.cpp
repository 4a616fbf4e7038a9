#include "dictionaries/pair_editor.h"

#include "common/table_layouts.h"

#include "common/messages.h"
#include "common/store/table.h"
#include "widgets/editing_dialog.h"
#include "widgets/store_messages.h"
#include "widgets/window_geometry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace verbalo {

namespace {

// A field as wide as its column, like the data-aware edits it stands for.
void limitToColumn(QLineEdit* edit, store::Table& table, const QString& column) {
    const int field = table.fieldIndex(column);
    if (field < 0) return;
    const int width = table.schema().fields[static_cast<size_t>(field)].width;
    if (width > 0) edit->setMaxLength(width);
}

} // namespace

Tfrm_Szerkeszt::Tfrm_Szerkeszt(store::Table& table, const QString& orderColumn, const QString& otherColumn,
                               const QString& firstLanguage, const QString& secondLanguage, QWidget* parent)
    : QDialog(parent), table_(table), orderColumn_(orderColumn), otherColumn_(otherColumn) {
    setObjectName(QStringLiteral("frm_Szerkeszt"));
    setWindowTitle(QStringLiteral("Szavak szerkesztése"));
    setModal(true);

    firstLanguageLabel_ = new QLabel(firstLanguage, this);
    firstLanguageLabel_->setObjectName(QStringLiteral("Label1"));
    firstWordBox_ = new QLineEdit(this);
    firstWordBox_->setObjectName(QStringLiteral("DBEdit1"));
    secondLanguageLabel_ = new QLabel(secondLanguage, this);
    secondLanguageLabel_->setObjectName(QStringLiteral("Label2"));
    secondWordBox_ = new QLineEdit(this);
    secondWordBox_->setObjectName(QStringLiteral("DBEdit2"));
    firstLanguageLabel_->setBuddy(firstWordBox_);
    secondLanguageLabel_->setBuddy(secondWordBox_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(firstLanguageLabel_);
    layout->addWidget(firstWordBox_);
    layout->addWidget(secondLanguageLabel_);
    layout->addWidget(secondWordBox_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setTabOrder(firstWordBox_, secondWordBox_);
    setTabOrder(secondWordBox_, ok);
    setTabOrder(ok, cancel);
    resize(360, sizeHint().height());

    limitToColumn(firstWordBox_, table_, orderColumn_);
    limitToColumn(secondWordBox_, table_, otherColumn_);
    try {
        firstWordBox_->setText(table_.text(orderColumn_));
        secondWordBox_->setText(table_.text(otherColumn_));
    } catch (const store::StoreError& e) {
        // The fields stay empty; the user learns why before typing into them.
        showStoreError(e, table_.tableName(), this);
    }

    new EditingDialogBehaviour(this, ok);
    connect(ok, &QPushButton::clicked, this, &Tfrm_Szerkeszt::post);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrm_Szerkeszt::post() {
    try {
        table_.setValue(orderColumn_, firstWordBox_->text());
        table_.setValue(otherColumn_, secondWordBox_->text());
        table_.post();
    } catch (const store::StoreError& e) {
        showPostError(e, QStringLiteral("Hibás adatmegadás, vagy már létező szópáros"), table_.tableName(), this);
        return;
    }
    accept();
}

void Tfrm_Szerkeszt::done(int result) {
    if (result != QDialog::Accepted) {
        try {
            table_.cancel();
        } catch (const store::StoreError& e) {
            showStoreError(e, table_.tableName(), this);
        }
    }
    QDialog::done(result);
}

bool editWordPair(store::Table& table, const QString& orderColumn, const QString& otherColumn, const QString& language1,
                  const QString& language2, const QFont& firstColumnFont, const QFont& secondColumnFont, const IniFile& ini,
                  int fontSize, QWidget* parent) {
    const bool firstIsLanguage1 = orderColumn == kFirstLanguageColumn;
    Tfrm_Szerkeszt dialog(table, orderColumn, otherColumn, firstIsLanguage1 ? language1 : language2,
                          firstIsLanguage1 ? language2 : language1, parent);
    applyFontSize(&dialog, fontSize);
    dialog.findChild<QLineEdit*>(QStringLiteral("DBEdit1"))->setFont(firstColumnFont);
    dialog.findChild<QLineEdit*>(QStringLiteral("DBEdit2"))->setFont(secondColumnFont);
    restoreWindowPos(ini, &dialog);
    const int result = dialog.exec();
    saveWindowPos(ini, &dialog);
    return result == QDialog::Accepted;
}

} // namespace verbalo
