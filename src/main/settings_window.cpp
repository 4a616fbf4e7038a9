#include "main/settings_window.h"

#include "widgets/editing_dialog.h"
#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace verbalo {

namespace {

QGroupBox* choice(QWidget* parent, const char* name, const QString& title, QRadioButton** first, QRadioButton** second,
                  const QString& secondCaption) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(box);
    *first = new QRadioButton(QStringLiteral("Megnyitáskor teljes méretű"), box);
    *second = new QRadioButton(secondCaption, box);
    (*first)->setObjectName(QString::fromLatin1(name) + QStringLiteral("_0"));
    (*second)->setObjectName(QString::fromLatin1(name) + QStringLiteral("_1"));
    auto* group = new QButtonGroup(box);
    group->addButton(*first);
    group->addButton(*second);
    layout->addWidget(*first);
    layout->addWidget(*second);
    return box;
}

} // namespace

Tfrm_Beallit::Tfrm_Beallit(MainSettings& settings, const IniFile& ini, QWidget* parent)
    : QDialog(parent), settings_(settings), ini_(ini) {
    setObjectName(QStringLiteral("frm_Beallit"));
    setWindowTitle(QStringLiteral("Beállítások"));

    auto* screen = choice(this, "RadioGroup1", QStringLiteral("Képernyő"), &fullScreen_, &keepSize_,
                          QStringLiteral("Megjegyzi az előző méretét"));
    auto* children = choice(this, "RadioGroup2", QStringLiteral("Szótár ablakok"), &childrenMaximised_, &childrenNormal_,
                            QStringLiteral("Összes ablak látszik"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(screen);
    choices->addWidget(children);

    auto* folders = new QGridLayout;
    const auto folderRow = [this, folders](int row, const QString& label, const char* editName, const char* buttonName,
                                           const QString& title) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setMinimumWidth(320);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setText(QStringLiteral("…"));
        button->setToolTip(title);
        folders->addWidget(new QLabel(label, this), row * 2, 0, 1, 2);
        folders->addWidget(edit, row * 2 + 1, 0);
        folders->addWidget(button, row * 2 + 1, 1);
        connect(button, &QToolButton::clicked, this, [this, edit, title] { browse(edit, title); });
        return edit;
    };
    dataFolder_ =
        folderRow(0, QStringLiteral("Adatbázis útvonal"), "Edit1", "BitBtn1", QStringLiteral("Adatbázis mappa választás"));
    htmlFolder_ = folderRow(1, QStringLiteral("Html mentések útvonal"), "Edit2", "BitBtn2",
                            QStringLiteral("Html exportok mappa választás"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(folders);
    layout->addStretch();
    layout->addLayout(buttons);

    (settings_.fullScreen ? fullScreen_ : keepSize_)->setChecked(true);
    (settings_.mdiFullScreen ? childrenMaximised_ : childrenNormal_)->setChecked(true);
    dataFolder_->setText(settings_.dataFolder);
    htmlFolder_->setText(settings_.htmlFolder);

    connect(ok, &QPushButton::clicked, this, &Tfrm_Beallit::accept);
    connect(cancel, &QPushButton::clicked, this, &Tfrm_Beallit::reject);
    new EditingDialogBehaviour(this, ok);
}

void Tfrm_Beallit::browse(QLineEdit* edit, const QString& title) {
    QFileDialog dialog(this, title, edit->text());
    dialog.setObjectName(QStringLiteral("FolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        edit->setText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

void Tfrm_Beallit::accept() {
    // Taken as they stand: a folder that does not exist shows itself at the next start.
    settings_.fullScreen = fullScreen_->isChecked();
    settings_.mdiFullScreen = childrenMaximised_->isChecked();
    settings_.dataFolder = dataFolder_->text();
    settings_.htmlFolder = htmlFolder_->text();
    QDialog::accept();
}

void Tfrm_Beallit::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, settings_.fontSize);
        restoreWindowPos(ini_, this);
    }
    QDialog::setVisible(visible);
}

void Tfrm_Beallit::done(int result) {
    saveWindowPos(ini_, this);
    QDialog::done(result);
}

void showSettings(FrameServices& frame) {
    Tfrm_Beallit window(frame.settings(), frame.ini(), frame.frameWindow());
    window.exec();
}

} // namespace verbalo
