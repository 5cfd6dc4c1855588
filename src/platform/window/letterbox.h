// Where the 640×480 picture lies in a window of any size: as large as fits with its 4:3 shape kept
// exactly (or, with whole multiples only, as the largest of those), centred between black bars. Drawing
// and the mouse both go through it, so a click lands on the picture pixel that is drawn under the
// pointer, whatever size the window really has and however the picture is scaled.
#pragma once
#include "platform/platform_options.h"
#include "platform/window/screen_picture.h"

class Letterbox {
public:
    // The window's size in output pixels.
    Letterbox(int windowWidth, int windowHeight, ScaleFilter filter, bool integer);

    const PixelRect& picture() const { return picture_; }
    // The picture is first made this many times the screen's size by repeating each pixel, then scaled
    // to picture() by the renderer: the largest whole multiple for the sharp filter, so that every
    // pixel keeps the same size and only the edges between pixels are blended; 1 for the others.
    int prescale() const { return prescale_; }
    // Whether window pixels mix neighbouring picture pixels: every filter but nearest neighbour, unless
    // the picture is drawn at the size it was prescaled to.
    bool blends() const { return blends_; }
    // The picture pixel that window pixel (x, y) shows; from the bars, the nearest edge pixel.
    void toScreen(int x, int y, int& screenX, int& screenY) const;
    // Widens source by margin picture pixels on each side, within the screen, then to the nearest
    // rectangle whose scaled edges fall on whole window pixels, so that a part drawn alone matches the
    // same part of the whole picture, and returns where it is drawn.
    PixelRect widenToWholePixels(PixelRect& source, int margin) const;

private:
    int toPicture(int offset, int limit) const;

    int unit_;  // the picture is 4 × 3 units of unit_ window pixels each 160 picture pixels
    int step_;  // picture pixels between two edges that fall on whole window pixels
    PixelRect picture_;
    int prescale_;
    bool blends_;
};

// The window's first size, in multiples of the screen, on a desktop whose usable area is this large:
// the largest whose picture covers no more than three quarters of it, leaving the window's frame room
// to fit; at least 1.
int fittingWindowScale(int usableWidth, int usableHeight);
