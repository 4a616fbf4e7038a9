#include "dictionaries/picture_panel.h"

#include "dictionaries/logic/picture_fit.h"

#include <QLabel>
#include <QPixmap>

namespace verbalo {

PicturePanel::PicturePanel(const QString& objectName, QWidget* parent) : QFrame(parent) {
    setObjectName(objectName);
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(2 * kPictureMargin + 1, 2 * kPictureMargin + 1);
    imageLabel_ = new QLabel(this);
    imageLabel_->setObjectName(QStringLiteral("Image1"));
    imageLabel_->setAlignment(Qt::AlignCenter);
    imageLabel_->setWordWrap(true);
    // The label is only a picture: the panel's pop-up menu serves it too.
    imageLabel_->setContextMenuPolicy(Qt::NoContextMenu);
    imageLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PicturePanel::showImage(const QImage& image) {
    image_ = image;
    imageLabel_->setText(QString());
    imageLabel_->setPixmap(QPixmap::fromImage(image_));
    fit();
}

void PicturePanel::clearImage(const QString& note) {
    image_ = QImage();
    imageLabel_->setPixmap(QPixmap());
    imageLabel_->setText(note);
    fit();
}

void PicturePanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fit();
}

void PicturePanel::fit() {
    if (image_.isNull()) {
        imageLabel_->setScaledContents(false);
        imageLabel_->setGeometry(kPictureMargin, kPictureMargin, std::max(0, width() - 2 * kPictureMargin),
                                 std::max(0, height() - 2 * kPictureMargin));
        return;
    }
    const PictureFit f = fitPicture(width(), height(), image_.width(), image_.height());
    imageLabel_->setScaledContents(f.stretched);
    imageLabel_->setGeometry(f.left, f.top, f.width, f.height);
}

} // namespace verbalo
