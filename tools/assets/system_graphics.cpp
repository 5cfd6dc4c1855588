// system.bmp: the text cursors and the wipe masks of the transition effects.
#include <algorithm>
#include <cmath>

#include "assets.h"

namespace {

const uint8_t kBlack = 0;
const uint8_t kTransparent = 1;
const uint8_t kGrey = 2;
const uint8_t kWhite = 255;
const int kCell = 16;
const int kMaskTop = 32;
const int kPatternFrames[4] = {16, 16, 16, 32};

// Black, the colour key, grey, a 6×7×6 colour cube and white.
void systemPalette(std::vector<Rgb>& palette) {
    palette[kBlack] = {0, 0, 0};
    palette[kTransparent] = {255, 0, 255};
    palette[kGrey] = {160, 160, 160};
    int entry = 3;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 7; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette[entry++] = {static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 255 / 6),
                                    static_cast<uint8_t>(b * 51)};
            }
        }
    }
    palette[kWhite] = {255, 255, 255};
}

// The cursors are ringed in light outside their dark outline, so that they show on dark hair and a
// night sky as well as on a bright picture.
const Rgb kHalo = {255, 245, 250};

// The click cursor: a pink drop pointing down, 20×27 at (0, 0).
void drawClickCursor(IndexedPicture& picture) {
    auto& palette = picture.palette();
    const uint8_t colours[3] = {nearestEntry(palette, kHalo.red, kHalo.green, kHalo.blue, 3, 254),
                                nearestEntry(palette, 153, 0, 51, 3, 254),
                                nearestEntry(palette, 255, 127, 153, 3, 254)};
    const double grow[3] = {2.2, 1.2, 0};
    uint8_t shine = nearestEntry(palette, 255, 212, 255, 3, 254);
    picture.fillRect(0, 0, 20, 27, kTransparent);
    for (int pass = 0; pass < 3; ++pass) {
        picture.fillCircle(10, 9, 7.2 + grow[pass], colours[pass]);
        for (int y = 0; y < 27; ++y) {
            double half = 7.2 * (23.5 - y) / 14.5 + grow[pass];
            for (int x = 0; x < 20; ++x) {
                if (y >= 9 && std::fabs(x + 0.5 - 10) <= half) picture.set(x, y, colours[pass]);
            }
        }
    }
    picture.fillCircle(7, 6, 2.2, shine);
}

// The page cursor: a cherry blossom, 32×32 at (32, 0).
void drawPageCursor(IndexedPicture& picture) {
    auto& palette = picture.palette();
    const uint8_t colours[3] = {nearestEntry(palette, kHalo.red, kHalo.green, kHalo.blue, 3, 254),
                                nearestEntry(palette, 153, 0, 51, 3, 254),
                                nearestEntry(palette, 255, 170, 204, 3, 254)};
    const double radius[3] = {7.6, 6.6, 5.6};
    uint8_t heart = nearestEntry(palette, 255, 212, 0, 3, 254);
    const int left = 32;
    picture.fillRect(left, 0, 32, 32, kTransparent);
    for (int pass = 0; pass < 3; ++pass) {
        for (int i = 0; i < 5; ++i) {
            double angle = -kPi / 2 + i * 2 * kPi / 5;
            picture.fillCircle(left + 16 + 7 * std::cos(angle), 16 + 7 * std::sin(angle), radius[pass],
                               colours[pass]);
        }
    }
    picture.fillCircle(left + 16, 16, 3.2, heart);
}

// The cells of the 16×16 mask cell that frame f of pattern p adds.
bool patternSets(int p, int f, int x, int y, const std::vector<int>& rippleRank) {
    switch (p) {
        case 0:  // blinds: one row a frame
            return y == f;
        case 1: {  // a diamond growing from the centre
            int d = std::abs(2 * x + 1 - kCell) + std::abs(2 * y + 1 - kCell);  // 2, 4, … 30
            return d / 2 - 1 == f;
        }
        case 2:  // a diagonal sweep from the top-left corner, two diagonals a frame
            return (x + y) / 2 == f;
        default:  // arcs spreading from the top-left corner, eight cells a frame
            return rippleRank[static_cast<size_t>(y * kCell + x)] / 8 == f;
    }
}

// Orders the cells of a cell by their distance from its top-left corner, then by angle.
std::vector<int> rippleRanks() {
    std::vector<int> order(kCell * kCell);
    for (int i = 0; i < kCell * kCell; ++i)
        order[static_cast<size_t>(i)] = i;
    auto key = [](int i) {
        double x = i % kCell + 0.5, y = i / kCell + 0.5;
        return std::make_pair(std::lround(std::sqrt(x * x + y * y) * 8), std::atan2(y, x));
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    std::vector<int> rank(order.size());
    for (size_t r = 0; r < order.size(); ++r)
        rank[static_cast<size_t>(order[r])] = static_cast<int>(r);
    return rank;
}

// Pattern p, frame f stands at x 16f, y 32 + 16p. Each frame holds the cells it adds; together the
// frames of a pattern set every cell. The quarter mask of the mirrored wipes is pattern 3 read
// backwards, so its first frames open from the corner that the mirroring puts at a tile's centre.
void drawWipeMasks(IndexedPicture& picture) {
    std::vector<int> ripple = rippleRanks();
    for (int p = 0; p < 4; ++p) {
        for (int f = 0; f < kPatternFrames[p]; ++f) {
            for (int y = 0; y < kCell; ++y) {
                for (int x = 0; x < kCell; ++x) {
                    uint8_t index = patternSets(p, f, x, y, ripple) ? kWhite : kBlack;
                    picture.set(kCell * f + x, kMaskTop + kCell * p + y, index);
                }
            }
        }
    }
}

}  // namespace

IndexedPicture makeSystemGraphics() {
    IndexedPicture picture(640, 480, kBlack);
    systemPalette(picture.palette());
    drawClickCursor(picture);
    drawPageCursor(picture);
    drawWipeMasks(picture);
    return picture;
}
