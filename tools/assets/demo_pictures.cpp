// The demo games' pictures: three backgrounds, two characters, a blossom to paste, and a night palette.
#include "demo_pictures.h"

#include <cmath>

#include "assets.h"
#include "demo_palette.h"

namespace {

const uint8_t kKey = 1;

IndexedPicture blank(int width, int height, uint8_t fill) {
    IndexedPicture picture(width, height, fill);
    picture.palette() = demoPalette();
    return picture;
}

// Deterministic scatter for clouds, petals and windows.
double noise(int i) {
    double v = std::sin(i * 12.9898 + 78.233) * 43758.5453;
    return v - std::floor(v);
}

void verticalGradient(Painter& paint, int top, int bottom, Rgb from, Rgb to) {
    for (int y = top; y < bottom; ++y) {
        double t = static_cast<double>(y - top) / (bottom - top);
        paint.rect(0, y, 640, 1, from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
                   from.blue + (to.blue - from.blue) * t);
    }
}

void cloud(Painter& paint, double x, double y, double size) {
    for (int i = 0; i < 5; ++i) {
        paint.ellipse(x + (i - 2) * size * 0.7, y - (i % 2) * size * 0.35, size, size * 0.6, 240, 240, 246);
    }
}

void blossomTree(Painter& paint, double x, double ground) {
    paint.rect(static_cast<int>(x) - 12, static_cast<int>(ground) - 170, 24, 170, 110, 70, 40);
    for (int i = 0; i < 26; ++i) {
        double angle = noise(i) * 2 * kPi, distance = 30 + noise(i + 50) * 70;
        paint.disc(x + std::cos(angle) * distance * 1.3, ground - 210 + std::sin(angle) * distance * 0.7,
                   26 + noise(i + 90) * 14, 250, 190 + noise(i + 7) * 40, 215);
    }
}

}  // namespace

IndexedPicture makeHillBackground() {
    IndexedPicture picture = blank(640, 480, 3);
    Painter paint(picture);
    verticalGradient(paint, 0, 480, {60, 110, 200}, {190, 220, 255});
    for (int i = 0; i < 4; ++i)
        cloud(paint, 80 + i * 150 + noise(i) * 60, 60 + noise(i + 3) * 80, 24 + i * 3);
    for (int x = 0; x < 640; ++x) {
        int top = static_cast<int>(330 + 30 * std::sin(x / 110.0) + 12 * std::sin(x / 37.0));
        for (int y = top; y < 480; ++y) {
            double t = static_cast<double>(y - top) / (480 - top);
            paint.dot(x, y, 120 - 80 * t, 200 - 100 * t, 90 - 50 * t);
        }
    }
    blossomTree(paint, 520, 360);
    for (int i = 0; i < 40; ++i)
        paint.disc(noise(i + 200) * 640, 200 + noise(i + 300) * 280, 2.5, 255, 215, 230);
    return picture;
}

IndexedPicture makeSunsetBackground() {
    IndexedPicture picture = blank(640, 480, 3);
    Painter paint(picture);
    verticalGradient(paint, 0, 240, {80, 40, 120}, {250, 150, 70});
    verticalGradient(paint, 240, 330, {250, 150, 70}, {255, 220, 110});
    paint.disc(420, 300, 46, 255, 240, 150);
    for (int b = 0; b < 12; ++b) {
        int left = b * 56 - 10, width = 40 + static_cast<int>(noise(b) * 30);
        int top = 250 + static_cast<int>(noise(b + 20) * 90);
        paint.rect(left, top, width, 480 - top, 25, 20, 45);
        for (int w = 0; w < 10; ++w) {
            if (noise(b * 10 + w) < 0.55) continue;
            paint.rect(left + 6 + (w % 3) * 12, top + 12 + (w / 3) * 22, 6, 9, 250, 220, 120);
        }
    }
    paint.rect(0, 440, 640, 40, 15, 12, 30);
    return picture;
}

// A shrine at dusk: cedars against the evening sky, a stone path between two lit lanterns, and a
// vermilion gate that frames whoever stands on the path.
IndexedPicture makeShrineBackground() {
    IndexedPicture picture = blank(640, 480, 3);
    Painter paint(picture);
    const int horizon = 330;
    verticalGradient(paint, 0, horizon, {80, 40, 120}, {250, 170, 90});
    paint.disc(470, 285, 40, 255, 235, 150);
    for (int t = 0; t < 16; ++t) {
        double cx = t * 44 + noise(t + 40) * 24, height = 110 + noise(t + 60) * 90;
        for (int y = static_cast<int>(horizon - height); y < horizon; ++y) {
            double half = 8 + 30 * (y - (horizon - height)) / height;
            paint.rect(static_cast<int>(cx - half), y, static_cast<int>(2 * half), 1, 50, 95, 60);
        }
    }
    verticalGradient(paint, horizon, 480, {120, 100, 90}, {175, 155, 135});
    for (int y = horizon; y < 480; ++y) {
        double half = 24 + 110.0 * (y - horizon) / (480 - horizon);
        paint.rect(static_cast<int>(320 - half), y, static_cast<int>(2 * half), 1, 200, 190, 180);
    }
    for (int side : {-1, 1}) {
        int x = 320 + side * 190;
        paint.rect(x - 22, 440, 44, 14, 130, 130, 136);
        paint.rect(x - 8, 380, 16, 60, 150, 150, 156);
        paint.rect(x - 18, 350, 36, 30, 150, 150, 156);
        paint.rect(x - 10, 356, 20, 18, 255, 220, 120);
        for (int row = 0; row < 16; ++row)
            paint.rect(x - 6 - 2 * row, 334 + row, 12 + 4 * row, 1, 110, 110, 116);
    }
    const Rgb vermilion = {215, 60, 45};
    for (int pillar : {72, 544})
        paint.rect(pillar, 100, 24, 380, vermilion.red, vermilion.green, vermilion.blue);
    paint.rect(44, 140, 552, 16, vermilion.red, vermilion.green, vermilion.blue);
    paint.rect(310, 92, 20, 48, vermilion.red, vermilion.green, vermilion.blue);
    for (int x = 16; x < 624; ++x) {
        // The top beam sweeps up towards its ends.
        double lift = std::pow(std::fabs(x - 320) / 304.0, 3) * 14;
        int top = static_cast<int>(72 - lift);
        paint.rect(x, top, 1, 10, 30, 20, 25);
        paint.rect(x, top + 10, 1, 14, vermilion.red, vermilion.green, vermilion.blue);
    }
    return picture;
}

IndexedPicture makeRoomBackground() {
    IndexedPicture picture = blank(640, 480, 3);
    Painter paint(picture);
    verticalGradient(paint, 0, 340, {215, 175, 120}, {185, 140, 90});
    paint.rect(0, 340, 640, 140, 120, 75, 40);
    for (int board = 0; board < 8; ++board)
        paint.rect(0, 350 + board * 17, 640, 2, 80, 45, 20);
    paint.rect(360, 50, 220, 170, 110, 70, 40);
    for (int pane = 0; pane < 4; ++pane) {
        int x = 370 + (pane % 2) * 105, y = 60 + (pane / 2) * 78;
        for (int row = 0; row < 72; ++row)
            paint.rect(x, y + row, 95, 1, 120 + row, 170 + row, 240);
    }
    paint.rect(40, 250, 260, 24, 150, 95, 50);
    paint.rect(55, 274, 20, 140, 110, 65, 30);
    paint.rect(265, 274, 20, 140, 110, 65, 30);
    paint.disc(120, 235, 16, 240, 240, 244);
    return picture;
}

IndexedPicture makeCharacter(const CharacterLook& look) {
    IndexedPicture picture = blank(320, 480, kKey);
    Painter paint(picture);
    const Rgb& hair = look.hair;
    if (look.longHair) paint.ellipse(160, 230, 95, 170, hair.red, hair.green, hair.blue);
    paint.ellipse(160, 430, 120, 120, look.cloth.red, look.cloth.green, look.cloth.blue);
    paint.rect(40, 430, 240, 50, look.cloth.red, look.cloth.green, look.cloth.blue);
    paint.ellipse(160, 318, 44, 20, 245, 245, 250);
    paint.ellipse(160, 336, 18, 12, look.ribbon.red, look.ribbon.green, look.ribbon.blue);
    paint.rect(145, 250, 30, 60, 250, 215, 195);
    paint.ellipse(160, 190, 78, 90, 252, 222, 205);
    paint.ellipse(160, 125, 86, 52, hair.red, hair.green, hair.blue);
    for (int side : {-1, 1}) {
        paint.ellipse(160 + side * 62, 180, 20, 60, hair.red, hair.green, hair.blue);
        paint.ellipse(160 + side * 30, 195, 11, 16, 40, 30, 60);
        paint.disc(160 + side * 30 - 3, 189, 4, 255, 255, 255);
        paint.ellipse(160 + side * 44, 222, 10, 5, 250, 170, 180);
    }
    paint.ellipse(160, 240, 9, 4, 200, 60, 70);
    return picture;
}

IndexedPicture makeBlossom() {
    IndexedPicture picture = blank(64, 64, kKey);
    Painter paint(picture);
    for (int i = 0; i < 5; ++i) {
        double angle = -kPi / 2 + i * 2 * kPi / 5;
        paint.disc(32 + 15 * std::cos(angle), 32 + 15 * std::sin(angle), 12, 252, 190, 215);
    }
    paint.disc(32, 32, 7, 250, 220, 120);
    return picture;
}

// A small picture whose colour table is the demo palette at night: darker, and bluer.
IndexedPicture makeNightPalette() {
    IndexedPicture picture = blank(16, 16, 3);
    auto& palette = picture.palette();
    for (int i = 3; i < 255; ++i) {
        Rgb& c = palette[static_cast<size_t>(i)];
        c = {static_cast<uint8_t>(c.red * 0.35), static_cast<uint8_t>(c.green * 0.4),
             static_cast<uint8_t>(c.blue * 0.55 + 40)};
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            picture.set(x, y, static_cast<uint8_t>(3 + y * 15 + x % 15));
    }
    return picture;
}
