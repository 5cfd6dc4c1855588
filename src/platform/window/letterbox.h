// Where the 640×480 picture lies in a window of any size: as large as fits with its 4:3 shape kept
// exactly, centred between black bars. Drawing and the mouse both go through it, so a click lands on
// the picture pixel that is drawn under the pointer, whatever size the window really has.
#pragma once
#include "platform/window/screen_picture.h"

class Letterbox {
public:
    // The window's size in output pixels.
    Letterbox(int windowWidth, int windowHeight);

    const PixelRect& picture() const { return picture_; }
    // The picture pixel that window pixel (x, y) shows; from the bars, the nearest edge pixel.
    void toScreen(int x, int y, int& screenX, int& screenY) const;
    // Widens source to the nearest rectangle whose scaled edges fall on whole window pixels, so that
    // a part drawn alone matches the same part of the whole picture, and returns where it is drawn.
    PixelRect widenToWholePixels(PixelRect& source) const;

private:
    int toPicture(int offset, int limit) const;

    int unit_;  // the picture is 4 × 3 units of unit_ window pixels each 160 picture pixels
    int step_;  // picture pixels between two edges that fall on whole window pixels
    PixelRect picture_;
};
