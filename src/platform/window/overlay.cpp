#include "platform/window/overlay.h"

#include <algorithm>

#include "platform/text/text_rasteriser.h"

namespace {

const PixelRect kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};

uint32_t blend(uint32_t picture, OverlayColour over) {
    uint32_t alpha = over >> 24;
    if (alpha == 0) return picture;
    if (alpha == 255) return over & 0xFFFFFF;
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        uint32_t below = (picture >> shift) & 0xFF, above = (over >> shift) & 0xFF;
        result |= ((above * alpha + below * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

void Overlay::touch(const PixelRect& area) {
    if (pixels_.empty()) pixels_.assign(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0);
    changed_ = unite(changed_, area);
}

void Overlay::fill(const PixelRect& area, OverlayColour colour) {
    PixelRect inside = intersect(area, kWholeScreen);
    if (inside.empty()) return;
    touch(inside);
    for (int y = inside.y; y < inside.y + inside.height; ++y)
        std::fill_n(&pixels_[static_cast<size_t>(y) * kScreenWidth + inside.x], inside.width, colour);
    if (colour >> 24) drawn_ = unite(drawn_, inside);
}

void Overlay::drawText(int font, const char* text, size_t length, int x, int y, OverlayColour colour) {
    int32_t width = 0, height = 0;
    measureText(font, text, length, width, height);
    // Glyphs may reach past their advances (italic, bold, a wide last character): room on both sides.
    int margin = height;
    PixelRect area = intersect({x - margin, y, width + 2 * margin, height}, kWholeScreen);
    if (area.empty()) return;
    std::vector<uint8_t> ink(static_cast<size_t>(area.width) * area.height, 0);
    drawTextPixels(font, text, length, x - area.x, y - area.y, 1,
                   {ink.data(), area.width, area.width, area.height});
    touch(area);
    for (int row = 0; row < area.height; ++row) {
        for (int col = 0; col < area.width; ++col) {
            if (ink[static_cast<size_t>(row) * area.width + col])
                pixels_[static_cast<size_t>(area.y + row) * kScreenWidth + area.x + col] = colour;
        }
    }
    drawn_ = unite(drawn_, area);
}

void Overlay::erase(const PixelRect& area) {
    fill(area, 0);
    PixelRect left = intersect(drawn_, kWholeScreen);
    // What stays drawn is found again only when all of it was erased: the window draws one thing at a time.
    if (left.x >= area.x && left.y >= area.y && left.x + left.width <= area.x + area.width &&
        left.y + left.height <= area.y + area.height) {
        drawn_ = {};
    }
}

PixelRect Overlay::takeChanges() {
    PixelRect changed = changed_;
    changed_ = {};
    return changed;
}

void Overlay::composeRow(int y, int x, int width, uint32_t* colours) const {
    PixelRect row = intersect({x, y, width, 1}, drawn_);
    if (row.empty()) return;
    const OverlayColour* over = &pixels_[static_cast<size_t>(y) * kScreenWidth];
    for (int px = row.x; px < row.x + row.width; ++px)
        colours[px - x] = blend(colours[px - x], over[px]);
}
