#include "main/frame_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/store/store_error.h"
#include "main/dictionary_panel.h"
#include "main/frame_actions.h"
#include "main/logic/advert_line.h"
#include "main/logic/catalogue_editing.h"
#include "main/logic/frame_rules.h"
#include "main/splash_window.h"
#include "common/table_layouts.h"
#include "widgets/dictionary_window.h"
#include "widgets/store_messages.h"
#include "widgets/window_commands.h"
#include "widgets/window_geometry.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace verbalo {

namespace {

constexpr int kStatusPanelWidths[Tfrm_Main::kStatusPanelCount] = {100, 100, 200, 200, 50};

// The advert: blue, underlined, with the hand cursor; a click opens its link.
class AdvertLabel : public QLabel {
public:
    AdvertLabel(const QString& text, std::function<void()> onClick, QWidget* parent)
        : QLabel(text, parent), onClick_(std::move(onClick)) {
        setObjectName(QStringLiteral("AdvertLabel"));
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        setPalette(p);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        onClick_();
    }

private:
    std::function<void()> onClick_;
};

} // namespace

Tfrm_Main::Tfrm_Main(const Folders& folders, QWidget* parent)
    : QMainWindow(parent), folders_(folders), ini_(folders.configFile), ownClock_(std::make_unique<TimerSplashClock>()) {
    setObjectName(QStringLiteral("frm_Main"));
    splashClock_ = ownClock_.get();
    settings_ = loadSettings(ini_, folders_);
    setWindowTitle(frameCaption());
    buildUi();
    connectActions();

    // Placed before it is first shown, so that the window manager takes the saved corner as the
    // frame's, as it is saved.
    applySavedBounds();
    // The frame's commands come before the keys of the focused control (Ctrl+E in a search box
    // exports); a child window's own commands come before the frame's.
    giveCommandsPriority(this, [this] {
        QList<QAction*> commands;
        for (const FrameActionDef& def : frameActionDefs())
            if (QAction* a = actions_->find(QString::fromLatin1(def.name)); a && !a->shortcuts().isEmpty()) commands.append(a);
        return commands;
    });
    enableCommands();

    try {
        db_.connect(QStringLiteral("szotar"), settings_.dataFolder);
        if (!db_.tableExists(kCatalogueTable)) {
            // The frame still comes up, so that the settings window can point to another folder.
            showError(missingCatalogueText(settings_.dataFolder), this);
            return;
        }
        refreshExistence(db_);
        catalogueOpened_ = true;
    } catch (const store::StoreError& e) {
        showStoreError(e, kCatalogueTable, this);
        return;
    }
    if (settings_.openList) runCommand([this] { showDictionaryPanel(); });
    // The advert comes from the maker's server while the frame is already in use; a slow or
    // silent server only delays the advert, never the start.
    fetchAdvertLineLater(settings_.server, folders_.settingsFolder + QStringLiteral("/kisreklam.txt"), this,
                         [this](const AdvertLine& advert) {
                             if (!advert.text.isEmpty()) showAdvert(advert.text, advert.link);
                         });
}

Tfrm_Main::~Tfrm_Main() {
    // Child windows hold cursors on the store; they go before the connection does.
    for (QMdiSubWindow* sub : mdi_->subWindowList()) delete sub;
    db_.disconnect();
}

void Tfrm_Main::buildUi() {
    actions_ = std::make_unique<FrameActions>(this);
    actions_->buildMenus(this, &windowMenu_);

    toolbar_ = addToolBar(QStringLiteral("Panel1"));
    toolbar_->setObjectName(QStringLiteral("Panel1"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->toggleViewAction()->setVisible(false);
    actions_->buildToolBar(toolbar_);
    auto* spacer = new QWidget(toolbar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar_->addWidget(spacer);
    titleLabel_ = new QLabel(toolbar_);
    titleLabel_->setObjectName(QStringLiteral("Label1"));
    titleLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    titleLabel_->setWordWrap(true);
    titleLabel_->setMinimumWidth(160);
    QFont bold = titleLabel_->font();
    bold.setBold(true);
    titleLabel_->setFont(bold);
    toolbar_->addWidget(titleLabel_);
    titleImage_ = new QLabel(toolbar_);
    titleImage_->setObjectName(QStringLiteral("Image1"));
    titleImage_->setFixedSize(48, 48);
    titleImage_->setAlignment(Qt::AlignCenter);
    toolbar_->addWidget(titleImage_);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    panel_ = new DictionaryPanel(folders_.programFolder, central);
    mdi_ = new QMdiArea(central);
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    mdi_->setActivationOrder(QMdiArea::CreationOrder);
    layout->addWidget(panel_);
    layout->addWidget(mdi_, 1);
    setCentralWidget(central);
    buildStatusBar();

    connect(panel_, &DictionaryPanel::openRequested, this,
            [this](const QString& key) { runCommand([this, key] { openPanelKey(key); }); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, &Tfrm_Main::subWindowActivated);
    connect(windowMenu_, &QMenu::aboutToShow, this, &Tfrm_Main::fillWindowMenu);
}

void Tfrm_Main::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < kStatusPanelCount; ++i) {
        QWidget* panel;
        if (i == 0) {
            panel = new QWidget(bar);
        } else {
            auto* label = new QLabel(bar);
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            if (i < 4) label->setAlignment(Qt::AlignCenter);
            panel = label;
        }
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(kStatusPanelWidths[i]);
        statusPanels_[i] = panel;
        bar->addWidget(panel);
    }
}

void Tfrm_Main::showAdvert(const QString& text, const QString& link) {
    advertLink_ = link;
    QWidget* panel = statusPanels_[0];
    advertLabel_ = new AdvertLabel(
        text, [this] { openAddress(advertLink_); }, panel);
    advertLabel_->setFont(statusBar()->font());
    QFont f = advertLabel_->font();
    f.setUnderline(true);
    advertLabel_->setFont(f);
    advertLabel_->adjustSize();
    advertLabel_->move(4, 4);
    panel->setFixedWidth(advertLabel_->width() + 20);
    panel->setMinimumHeight(advertLabel_->height() + 4);
}

QAction* Tfrm_Main::action(const QString& name) const {
    return actions_->find(name);
}

QString Tfrm_Main::statusPanelText(int panel) const {
    if (panel == 0) return advertLabel_ ? advertLabel_->text() : QString();
    if (panel < 0 || panel >= kStatusPanelCount) return QString();
    return static_cast<QLabel*>(statusPanels_[panel])->text();
}

int Tfrm_Main::statusPanelWidth(int panel) const {
    return panel >= 0 && panel < kStatusPanelCount ? statusPanels_[panel]->width() : 0;
}

void Tfrm_Main::showDictionaryStatus(const QString& name, const QString& position, const QPixmap& largeIcon,
                                     const QString& orderLanguage) {
    auto* positionPanel = static_cast<QLabel*>(statusPanels_[1]);
    positionPanel->setText(position);
    // As wide as its text needs ("1000000/807220"), never narrower than designed.
    positionPanel->setFixedWidth(std::max(kStatusPanelWidths[1], positionPanel->fontMetrics().horizontalAdvance(position) +
                                                                     2 * positionPanel->frameWidth() +
                                                                     2 * positionPanel->margin() + 12));
    static_cast<QLabel*>(statusPanels_[2])->setText(QStringLiteral("Sorrend: ") + orderLanguage + QStringLiteral(" szerint"));
    static_cast<QLabel*>(statusPanels_[3])->setText(name);
    titleLabel_->setText(name);
    titleImage_->setPixmap(largeIcon.copy());
}

void Tfrm_Main::showTitle(const QString& text, const QPixmap& picture) {
    titleLabel_->setText(text);
    if (!picture.isNull()) titleImage_->setPixmap(picture);
}

void Tfrm_Main::openAddress(const QString& address) {
    if (address.isEmpty()) return;
    if (addressOpener_) {
        addressOpener_(address);
        return;
    }
    // A program is started; anything else goes to the desktop's handler. Failures are silent.
    const QFileInfo file(address);
    if (file.isAbsolute() && file.isFile() && file.isExecutable()) {
        QProcess::startDetached(address, {});
        return;
    }
    const QUrl url = file.isAbsolute() ? QUrl::fromLocalFile(address) : QUrl(address);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return;
    QDesktopServices::openUrl(url);
}

PickerContext Tfrm_Main::pickerContext() {
    return PickerContext{db_, ini_, folders_, settings_.fontSize, PickerMode::MainProgram, this, [this] { catalogueChanged(); }};
}

void Tfrm_Main::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const store::StoreError& e) {
        showStoreError(e, QString(), this);
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()), this);
    }
}

void Tfrm_Main::applySavedBounds() {
    if (settings_.fullScreen) {
        // The whole work area with the title bar on it: the window manager's maximised state;
        // the geometry is what a desktop without one shows.
        const WorkArea area = primaryWorkArea();
        setGeometry(area.left, area.top, area.right - area.left, area.bottom - area.top);
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        placeWindow(this, settings_.left, settings_.top, settings_.width, settings_.height);
    }
}

void Tfrm_Main::showEvent(QShowEvent* event) {
    if (!firstShown_ && !event->spontaneous()) {
        firstShown_ = true;
        // After the window is on the screen: the last dictionary first, then the splash.
        QTimer::singleShot(0, this, &Tfrm_Main::firstShow);
    }
    QMainWindow::showEvent(event);
}

void Tfrm_Main::firstShow() {
    if (catalogueOpened_ && settings_.lastDict != -1) runCommand([this] { openDictionaryWindow(settings_.lastDict); });
    if (splashClock_) {
        // Owned by the frame, so it never outlives it; the window flags keep it a window of its own.
        splash_ = new Tfrm_Logo(*splashClock_, this);
        splash_->show();
    }
    applyFontSize();
}

void Tfrm_Main::closeEvent(QCloseEvent* event) {
    const QList<QMdiSubWindow*> children = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* sub : children) {
        if (auto* window = qobject_cast<DictionaryWindow*>(sub->widget()); window && !window->queryClose()) {
            event->ignore();
            return;
        }
    }
    settings_.openList = panel_->isVisible();
    // The bounds as they are now, read back the way they are applied at start: the frame's
    // outer corner and the size inside it.
    settings_.left = frameGeometry().x();
    settings_.top = frameGeometry().y();
    settings_.width = width();
    settings_.height = height();
    QString saveError;
    if (!saveSettings(ini_, settings_, &saveError)) showError(kSettingsNotSaved + saveError, this);
    // The children go without their own closing steps; those run only when a child closes alone.
    for (QMdiSubWindow* sub : children) delete sub;
    db_.disconnect();
    event->accept();
}

void Tfrm_Main::bringToFront() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

} // namespace verbalo
