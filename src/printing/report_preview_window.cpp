#include "printing/report_preview_window.h"

#include "widgets/frame_services.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace verbalo::printing {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kSmallestZoom = 0.25;
constexpr double kLargestZoom = 4.0;
// A slice of layout work between two looks at the event loop, short enough that keys and
// repaints wait for it unnoticed.
constexpr qint64 kSliceMillis = 30;
constexpr int kDesignedWidth = 780;
constexpr int kDesignedHeight = 940;

} // namespace

ReportPreviewWindow::ReportPreviewWindow(FrameServices& frame, const QString& title, PagedReport& report, Reading reading,
                                         PictureDecoder decodePicture, Printing print, QWidget* parent)
    : QDialog(parent), frame_(frame), report_(report), reading_(std::move(reading)),
      decodePicture_(std::move(decodePicture)), print_(std::move(print)) {
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(title);
    setSizeGripEnabled(true);

    first_ = addCommand(QStringLiteral("aElsoOldal"), QStringLiteral("Első oldal"), {Qt::Key_Home},
                        &ReportPreviewWindow::firstPage);
    previous_ = addCommand(QStringLiteral("aElozoOldal"), QStringLiteral("Előző oldal"), {Qt::Key_PageUp},
                           &ReportPreviewWindow::previousPage);
    next_ = addCommand(QStringLiteral("aKovetkezoOldal"), QStringLiteral("Következő oldal"), {Qt::Key_PageDown},
                       &ReportPreviewWindow::nextPage);
    last_ = addCommand(QStringLiteral("aUtolsoOldal"), QStringLiteral("Utolsó oldal"), {Qt::Key_End},
                       &ReportPreviewWindow::lastPage);
    zoomOut_ = addCommand(QStringLiteral("aKicsinyites"), QStringLiteral("Kicsinyítés"), {QKeySequence::ZoomOut},
                          &ReportPreviewWindow::zoomOut);
    zoomIn_ = addCommand(QStringLiteral("aNagyitas"), QStringLiteral("Nagyítás"),
                         {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &ReportPreviewWindow::zoomIn);
    QAction* printAction = addCommand(QStringLiteral("aNyomtat"), QStringLiteral("Nyomtatás..."), {QKeySequence::Print},
                                      &ReportPreviewWindow::printReport);

    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("PageLabel"));
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("ZoomLabel"));
    auto* tools = new QHBoxLayout;
    const auto toolFor = [this, tools](QAction* action) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setFocusPolicy(Qt::NoFocus);
        tools->addWidget(button);
    };
    toolFor(first_);
    toolFor(previous_);
    tools->addWidget(pageLabel_);
    toolFor(next_);
    toolFor(last_);
    tools->addSpacing(16);
    toolFor(zoomOut_);
    tools->addWidget(zoomLabel_);
    toolFor(zoomIn_);
    tools->addStretch();

    pageView_ = new QLabel;
    pageView_->setObjectName(QStringLiteral("PageView"));
    pageView_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("PageArea"));
    scroll_->setWidget(pageView_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);

    layoutLabel_ = new QLabel(this);
    layoutLabel_->setObjectName(QStringLiteral("LayoutLabel"));
    auto* printButton = new QPushButton(QStringLiteral("Nyomtatás..."), this);
    printButton->setObjectName(QStringLiteral("PrintButton"));
    printButton->setToolTip(printAction->toolTip());
    connect(printButton, &QPushButton::clicked, printAction, &QAction::trigger);
    auto* closeButton = new QPushButton(QStringLiteral("Bezárás"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(layoutLabel_, 1);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);

    slices_ = new QTimer(this);
    slices_->setInterval(0);
    connect(slices_, &QTimer::timeout, this, &ReportPreviewWindow::layOutSlice);

    showPage(1);
    if (!report_.complete() && !layoutFailed_) slices_->start();
    closeButton->setFocus();
}

QAction* ReportPreviewWindow::addCommand(const QString& name, const QString& caption, const QList<QKeySequence>& keys,
                                         void (ReportPreviewWindow::*slot)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(caption, keys.first().toString(QKeySequence::NativeText)));
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
}

void ReportPreviewWindow::layOutSlice() {
    QElapsedTimer spent;
    spent.start();
    const bool ok = reading_([&] {
        while (spent.elapsed() < kSliceMillis && report_.layOutNext()) {
        }
    });
    if (!ok) layoutFailed_ = true;
    if (!report_.complete() && !layoutFailed_) {
        updateControls();
        return;
    }
    const bool toLast = goingToLast_;
    stopLayout();
    if (toLast && report_.complete())
        showPage(report_.pageCount());
    else
        updateControls();
}

void ReportPreviewWindow::stopLayout() {
    slices_->stop();
    goingToLast_ = false;
}

void ReportPreviewWindow::showPage(int number) {
    goingToLast_ = false;
    if (number < 1) return;
    if (number > report_.pagesKnown() && !report_.complete() && !layoutFailed_) {
        if (!reading_([&] { report_.layOutTo(number); })) {
            layoutFailed_ = true;
            stopLayout();
        }
    }
    number = std::min(number, report_.pagesKnown());
    if (number < 1 || (number == current_ && !image_.isNull())) {
        updateControls();
        return;
    }
    current_ = number;
    repaintPage();
    updateControls();
}

void ReportPreviewWindow::lastPage() {
    if (report_.complete() || layoutFailed_) {
        showPage(report_.pagesKnown());
        return;
    }
    goingToLast_ = true;
    updateControls();
}

void ReportPreviewWindow::zoomIn() {
    zoom_ = std::min(kLargestZoom, zoom_ * kZoomStep);
    repaintPage();
    updateControls();
}

void ReportPreviewWindow::zoomOut() {
    zoom_ = std::max(kSmallestZoom, zoom_ / kZoomStep);
    repaintPage();
    updateControls();
}

void ReportPreviewWindow::repaintPage() {
    if (current_ < 1) return;
    Page page;
    if (!reading_([&] { page = report_.page(current_); })) return;
    const double ratio = devicePixelRatioF();
    QImage image = printing::pageImage(page, std::max(1, qRound(logicalDpiX() * zoom_ * ratio)), decodePicture_);
    image.setDevicePixelRatio(ratio);
    image_ = image;
    pageView_->setPixmap(QPixmap::fromImage(image_));
}

void ReportPreviewWindow::updateControls() {
    const int known = report_.pagesKnown();
    const bool complete = report_.complete();
    const bool growing = !complete && !layoutFailed_;
    pageLabel_->setText(complete ? QStringLiteral("Oldal: %1 / %2").arg(current_).arg(report_.pageCount())
                                 : QStringLiteral("Oldal: %1 / …").arg(current_));
    zoomLabel_->setText(QStringLiteral("%1 %").arg(qRound(zoom_ * 100)));
    if (layoutFailed_)
        layoutLabel_->setText(QStringLiteral("A tördelés megszakadt: %1 oldal készült el.").arg(known));
    else if (growing)
        layoutLabel_->setText(goingToLast_ ? QStringLiteral("Tördelés az utolsó oldalig: %1 oldal kész...").arg(known)
                                           : QStringLiteral("Tördelés: %1 oldal kész...").arg(known));
    else
        layoutLabel_->clear();
    first_->setEnabled(current_ > 1);
    previous_->setEnabled(current_ > 1);
    next_->setEnabled(current_ < known || growing);
    last_->setEnabled(current_ < known || growing);
    zoomIn_->setEnabled(zoom_ < kLargestZoom);
    zoomOut_->setEnabled(zoom_ > kSmallestZoom);
}

void ReportPreviewWindow::printReport() {
    if (print_ && print_()) accept();
}

void ReportPreviewWindow::done(int result) {
    stopLayout();
    saveWindowBounds(frame_.ini(), this);
    QDialog::done(result);
}

void ReportPreviewWindow::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        applyFontSize(this, frame_.settings().fontSize);
        restoreWindowBounds(frame_.ini(), this, kDesignedWidth, kDesignedHeight);
    }
    QDialog::setVisible(visible);
}

} // namespace verbalo::printing
