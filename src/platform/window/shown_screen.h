// The copy of the screen that the window shows, kept to find what a new frame changed: a blinking
// cursor should cost the 20×27 pixels it covers, not the whole picture.
#pragma once
#include <vector>

#include "platform/window/screen_picture.h"

class ShownScreen {
public:
    // Records screen as shown and returns the smallest rectangle holding every pixel that differs
    // from the copy: the whole screen after a palette change or forget(), nothing when none differs.
    PixelRect takeChanges(const ScreenSource& screen);
    void forget() { known_ = false; }
    // Whether a screen has been shown, and the copy of it.
    bool known() const { return known_; }
    const uint8_t* pixels() const { return pixels_.data(); }
    const uint8_t* palette() const { return palette_.data(); }

private:
    PixelRect differingArea(const ScreenSource& screen) const;
    void narrowColumns(const ScreenSource& screen, PixelRect& area) const;
    void copyArea(const ScreenSource& screen, const PixelRect& area);

    bool known_ = false;
    std::vector<uint8_t> pixels_ = std::vector<uint8_t>(kScreenWidth * kScreenHeight);
    std::vector<uint8_t> palette_ = std::vector<uint8_t>(kPaletteBytes);
};
