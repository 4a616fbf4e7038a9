#pragma once

#include <QFrame>
#include <QImage>

class QLabel;

namespace verbalo {

// The panel that shows a gallery or recipe picture (Panel2, Panel8) with its picture control
// Image1, placed by the fitting rule whenever the picture or the panel's size changes. With no
// picture it can show a line of text instead (why a stored picture cannot be drawn).
class PicturePanel : public QFrame {
    Q_OBJECT
public:
    PicturePanel(const QString& objectName, QWidget* parent = nullptr);

    void showImage(const QImage& image);
    // No picture; the note, when given, in its place.
    void clearImage(const QString& note = QString());
    const QImage& image() const { return image_; }
    QLabel* imageLabel() const { return imageLabel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QLabel* imageLabel_ = nullptr;
    QImage image_;
};

} // namespace verbalo
