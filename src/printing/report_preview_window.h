#pragma once

#include "printing/logic/paged_report.h"
#include "printing/report_painter.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QAction;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace verbalo {

class FrameServices;

namespace printing {

// The preview of a report, one page at a time. Page 1 is laid out and shown at once; the other
// pages are laid out when the reader goes to them and meanwhile in short slices from the event
// loop, so a long report never keeps the window waiting for its last page. The page count
// appears once the layout reaches the end.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    // Runs a piece of the layout while the report's table may be read; false when it failed,
    // after its message has been shown.
    using Reading = std::function<bool(const std::function<void()>& work)>;
    // Prints the whole report; true when it was printed (the preview then closes).
    using Printing = std::function<bool()>;

    static constexpr double kOpeningZoom = 0.8;

    ReportPreviewWindow(FrameServices& frame, const QString& title, PagedReport& report, Reading reading,
                        PictureDecoder decodePicture, Printing print, QWidget* parent = nullptr);

    int currentPage() const { return current_; }
    double zoom() const { return zoom_; }
    // The page shown, as painted on the screen.
    const QImage& pageImage() const { return image_; }

    void showPage(int number);
    void firstPage() { showPage(1); }
    void previousPage() { showPage(current_ - 1); }
    void nextPage() { showPage(current_ + 1); }
    // Before the layout is complete: goes there as soon as the last page is known.
    void lastPage();
    void zoomIn();
    void zoomOut();
    void printReport();
    void done(int result) override;

protected:
    void setVisible(bool visible) override;

private:
    QAction* addCommand(const QString& name, const QString& caption, const QList<QKeySequence>& keys,
                        void (ReportPreviewWindow::*slot)());
    void layOutSlice();
    void stopLayout();
    void repaintPage();
    void updateControls();

    FrameServices& frame_;
    PagedReport& report_;
    Reading reading_;
    PictureDecoder decodePicture_;
    Printing print_;
    int current_ = 0;
    double zoom_ = kOpeningZoom;
    bool goingToLast_ = false;
    bool layoutFailed_ = false;
    bool placed_ = false;
    QImage image_;

    QTimer* slices_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageView_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QLabel* layoutLabel_ = nullptr;
    QAction* first_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* next_ = nullptr;
    QAction* last_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
};

} // namespace printing
} // namespace verbalo
