#include "platform/window/shown_screen.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

const PixelRect kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};

const uint8_t* sourceRow(const ScreenSource& screen, int y) {
    return screen.pixels + static_cast<ptrdiff_t>(y) * screen.pitch;
}

}  // namespace

PixelRect ShownScreen::takeChanges(const ScreenSource& screen) {
    if (!screen.pixels) return {};
    bool paletteKept = known_ && std::memcmp(palette_.data(), screen.palette, kPaletteBytes) == 0;
    PixelRect changed = paletteKept ? differingArea(screen) : kWholeScreen;
    if (!paletteKept) std::memcpy(palette_.data(), screen.palette, kPaletteBytes);
    copyArea(screen, changed);
    known_ = true;
    return changed;
}

PixelRect ShownScreen::differingArea(const ScreenSource& screen) const {
    auto differs = [&](int y) {
        return std::memcmp(sourceRow(screen, y), &pixels_[y * kScreenWidth], kScreenWidth) != 0;
    };
    int top = 0;
    while (top < kScreenHeight && !differs(top))
        ++top;
    if (top == kScreenHeight) return {};
    int bottom = kScreenHeight - 1;
    while (!differs(bottom))
        --bottom;
    PixelRect area = {0, top, kScreenWidth, bottom + 1 - top};
    narrowColumns(screen, area);
    return area;
}

void ShownScreen::narrowColumns(const ScreenSource& screen, PixelRect& area) const {
    int left = kScreenWidth, right = -1;
    for (int y = area.y; y < area.y + area.height; ++y) {
        const uint8_t* now = sourceRow(screen, y);
        const uint8_t* before = &pixels_[y * kScreenWidth];
        for (int x = 0; x < left; ++x) {
            if (now[x] != before[x]) left = x;
        }
        for (int x = kScreenWidth - 1; x > right; --x) {
            if (now[x] != before[x]) right = x;
        }
    }
    area.x = left;
    area.width = right + 1 - left;
}

void ShownScreen::copyArea(const ScreenSource& screen, const PixelRect& area) {
    for (int y = area.y; y < area.y + area.height; ++y) {
        std::memcpy(&pixels_[y * kScreenWidth + area.x], sourceRow(screen, y) + area.x,
                    static_cast<size_t>(area.width));
    }
}
