#include "dictionaries/logic/picture_fit.h"

#include "common/text_routines.h"

#include <algorithm>

namespace verbalo {

PictureFit fitPicture(int panelWidth, int panelHeight, int pictureWidth, int pictureHeight) {
    PictureFit fit;
    if (pictureWidth <= 0 || pictureHeight <= 0) return fit;
    const int areaWidth = panelWidth - 2 * kPictureMargin;
    const int areaHeight = panelHeight - 2 * kPictureMargin;
    if (pictureWidth < areaWidth && pictureHeight < areaHeight) {
        fit = PictureFit{kPictureMargin, kPictureMargin, areaWidth, areaHeight, false};
        return fit;
    }
    const double scale = std::min(double(areaWidth) / pictureWidth, double(areaHeight) / pictureHeight);
    fit.width = std::max(0, roundHalfEven(pictureWidth * scale));
    fit.height = std::max(0, roundHalfEven(scale * pictureHeight));
    // Integer division rounds toward zero, also for a panel too small to hold the margins.
    fit.left = (panelWidth - fit.width - 2 * kPictureMargin) / 2;
    fit.top = (panelHeight - fit.height - 2 * kPictureMargin) / 2;
    fit.stretched = true;
    return fit;
}

} // namespace verbalo
