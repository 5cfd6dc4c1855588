// The window's own pictures, drawn on its overlay: the message box that stands in for the system's,
// and the short notices of what the window did. Drawn with our own text rasteriser and the IPA faces,
// so that Japanese reads on any desktop, whatever fonts its X server has.
#pragma once
#include <string>
#include <vector>

#include "platform/window/overlay.h"

// A message box centred over the picture, in the look of the desktop the games were written for: a
// title bar with the caption, the text wrapped to fit, and an OK button.
class MessageBoxPicture {
public:
    MessageBoxPicture(const char* utf8Caption, const char* utf8Text);
    void draw(Overlay& overlay) const;
    void erase(Overlay& overlay) const { overlay.erase(area_); }
    const PixelRect& area() const { return area_; }
    const PixelRect& okButton() const { return ok_; }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    void wrap(const std::string& text, int width);
    void drawButton(Overlay& overlay) const;

    std::string caption_;  // Shift-JIS, as the rasteriser takes text
    std::vector<std::string> lines_;
    PixelRect area_;  // with its shadow
    PixelRect box_;
    PixelRect ok_;
};

// A notice in the top right corner of the picture; where it lies, to erase it later.
PixelRect drawNotice(Overlay& overlay, const char* utf8Text);
// A mode's mark in the bottom right corner; where it lies.
PixelRect drawModeMark(Overlay& overlay, const char* utf8Text);
