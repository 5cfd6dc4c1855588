#include "platform/window/letterbox.h"

#include <algorithm>
#include <numeric>

namespace {

// 640×480 is 4 × 3 squares of this many picture pixels.
const int kSquare = 160;

int roundDown(int value, int step) {
    return value / step * step;
}

int roundUp(int value, int step) {
    return (value + step - 1) / step * step;
}

}  // namespace

Letterbox::Letterbox(int windowWidth, int windowHeight)
    : unit_(std::max(1, std::min(windowWidth / 4, windowHeight / 3))),
      step_(kSquare / std::gcd(kSquare, unit_)) {
    picture_.width = 4 * unit_;
    picture_.height = 3 * unit_;
    picture_.x = (windowWidth - picture_.width) / 2;
    picture_.y = (windowHeight - picture_.height) / 2;
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

PixelRect Letterbox::widenToWholePixels(PixelRect& source) const {
    int right = roundUp(source.x + source.width, step_);
    int bottom = roundUp(source.y + source.height, step_);
    source.x = roundDown(source.x, step_);
    source.y = roundDown(source.y, step_);
    source.width = right - source.x;
    source.height = bottom - source.y;
    PixelRect drawn;
    drawn.x = picture_.x + source.x * unit_ / kSquare;
    drawn.y = picture_.y + source.y * unit_ / kSquare;
    drawn.width = source.width * unit_ / kSquare;
    drawn.height = source.height * unit_ / kSquare;
    return drawn;
}
