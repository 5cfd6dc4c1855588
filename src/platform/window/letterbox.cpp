#include "platform/window/letterbox.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

// 640×480 is 4 × 3 squares of this many picture pixels.
const int kSquare = 160;
// What a window manager adds above and around a window: a title bar and borders. The usable area
// leaves out panels, but not this.
const int kFrameRoom = 64;

int roundDown(int value, int step) {
    return value / step * step;
}

int roundUp(int value, int step) {
    return (value + step - 1) / step * step;
}

int unitFor(int windowWidth, int windowHeight, bool integer) {
    if (integer)
        return kSquare * std::max(1, std::min(windowWidth / kScreenWidth, windowHeight / kScreenHeight));
    return std::max(1, std::min(windowWidth / 4, windowHeight / 3));
}

}  // namespace

Letterbox::Letterbox(int windowWidth, int windowHeight, ScaleFilter filter, bool integer)
    : unit_(unitFor(windowWidth, windowHeight, integer)), step_(kSquare / std::gcd(kSquare, unit_)) {
    picture_.width = 4 * unit_;
    picture_.height = 3 * unit_;
    picture_.x = (windowWidth - picture_.width) / 2;
    picture_.y = (windowHeight - picture_.height) / 2;
    prescale_ = filter == ScaleFilter::Sharp ? std::max(1, picture_.width / kScreenWidth) : 1;
    blends_ = filter != ScaleFilter::Nearest && picture_.width != prescale_ * kScreenWidth;
}

// The window pixel's centre decides which picture pixel it shows.
int Letterbox::toPicture(int offset, int limit) const {
    if (offset < 0) return 0;
    return std::min(limit - 1, (2 * offset + 1) * kSquare / (2 * unit_));
}

void Letterbox::toScreen(int x, int y, int& screenX, int& screenY) const {
    screenX = toPicture(x - picture_.x, kScreenWidth);
    screenY = toPicture(y - picture_.y, kScreenHeight);
}

PixelRect Letterbox::widenToWholePixels(PixelRect& source, int margin) const {
    int right = roundUp(std::min(kScreenWidth, source.x + source.width + margin), step_);
    int bottom = roundUp(std::min(kScreenHeight, source.y + source.height + margin), step_);
    source.x = roundDown(std::max(0, source.x - margin), step_);
    source.y = roundDown(std::max(0, source.y - margin), step_);
    source.width = right - source.x;
    source.height = bottom - source.y;
    PixelRect drawn;
    drawn.x = picture_.x + source.x * unit_ / kSquare;
    drawn.y = picture_.y + source.y * unit_ / kSquare;
    drawn.width = source.width * unit_ / kSquare;
    drawn.height = source.height * unit_ / kSquare;
    return drawn;
}

int fittingWindowScale(int usableWidth, int usableHeight) {
    int64_t quarters = 3 * static_cast<int64_t>(usableWidth) * usableHeight;
    int scale = 1;
    for (int next = 2; next <= kLargestScale; ++next) {
        int64_t width = static_cast<int64_t>(next) * kScreenWidth;
        int64_t height = static_cast<int64_t>(next) * kScreenHeight;
        bool fits = width + kFrameRoom <= usableWidth && height + kFrameRoom <= usableHeight;
        if (!fits || 4 * width * height > quarters) break;
        scale = next;
    }
    return scale;
}
