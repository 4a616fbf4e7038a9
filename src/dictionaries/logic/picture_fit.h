#pragma once

// Where a picture goes in the panel that shows it (the gallery's and the recipe book's): a
// margin of 4 pixels all round; a picture smaller than that area both ways at its natural size
// in the middle, any other scaled by the smaller of the two ratios to fit it.
namespace verbalo {

struct PictureFit {
    // The picture control's place in the panel.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Stretched: the picture fills the control. Otherwise it is drawn at its natural size in
    // the middle of the control.
    bool stretched = false;
};

constexpr int kPictureMargin = 4;

// An empty fit for a picture of no size.
PictureFit fitPicture(int panelWidth, int panelHeight, int pictureWidth, int pictureHeight);

} // namespace verbalo
