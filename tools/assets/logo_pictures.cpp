// qmlogo.bmp (the maker's logo band over a tiled backdrop) and zeb.bmp (the front end's title
// picture).
#include "logo_pictures.h"

#include <cmath>
#include <cstring>

#include "demo_palette.h"

namespace {

const uint8_t kKey = 1;

// Capital letters of a 5×7 pixel font, enough for the names we write.
struct Glyph {
    char letter;
    const char* rows[7];
};
const Glyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
};

const Glyph* glyphOf(char letter) {
    for (const Glyph& glyph : kFont) {
        if (glyph.letter == letter) return &glyph;
    }
    return &kFont[sizeof kFont / sizeof kFont[0] - 1];
}

// Writes text in blocks of scale pixels, each block shaded from top to bottom between two colours.
void blockText(Painter& paint, const char* text, int x, int y, int scale, Rgb top, Rgb bottom) {
    for (const char* c = text; *c; ++c) {
        const Glyph* glyph = glyphOf(*c);
        for (int r = 0; r < 7; ++r) {
            double t = r / 6.0;
            for (int col = 0; col < 5; ++col) {
                if (glyph->rows[r][col] != '#') continue;
                paint.rect(x + col * scale, y + r * scale, scale - 1, scale - 1,
                           top.red + (bottom.red - top.red) * t, top.green + (bottom.green - top.green) * t,
                           top.blue + (bottom.blue - top.blue) * t);
            }
        }
        x += 6 * scale;
    }
}

int textWidth(const char* text, int scale) {
    return static_cast<int>(std::strlen(text)) * 6 * scale - scale;
}

}  // namespace

IndexedPicture makeMakerLogo() {
    IndexedPicture picture(640, 300, kKey);
    picture.palette() = demoPalette();
    Painter paint(picture);
    // The band: a blossom emblem and the name, on the colour key so the backdrop shows through.
    for (int i = 0; i < 5; ++i) {
        double angle = -3.14159265 / 2 + i * 2 * 3.14159265 / 5;
        paint.disc(150 + 26 * std::cos(angle), 64 + 26 * std::sin(angle), 20, 250, 180, 210);
    }
    paint.disc(150, 64, 10, 250, 215, 110);
    blockText(paint, "ZEBORA", 200, 36, 9, {255, 240, 250}, {230, 150, 190});
    blockText(paint, "STUDIO", 204 + textWidth("ZEBORA", 9) - textWidth("STUDIO", 3), 104, 3, {200, 200, 220},
              {200, 200, 220});
    // The backdrop tile, 100×100 at (0, 128): soft diagonal stripes with a small blossom.
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            bool stripe = ((x + y) / 10) % 2 == 0;
            paint.dot(x, 128 + y, stripe ? 40 : 30, stripe ? 40 : 32, stripe ? 90 : 72);
        }
    }
    paint.disc(50, 178, 6, 120, 70, 110);
    // Below the tile, rows the layout never shows.
    paint.rect(0, 228, 640, 72, 0, 0, 0);
    return picture;
}

// The title picture. Entries up to 200 fade in with the picture; the white of the name lies above
// them, in the entries the front end leaves bright until the fade ends.
IndexedPicture makeTitlePicture() {
    IndexedPicture picture(640, 480, 0);
    picture.palette() = demoPalette();
    Painter paint(picture);
    for (int y = 0; y < 480; ++y) {
        double t = y / 479.0;
        paint.rect(0, y, 640, 1, 10 + 40 * t, 12 + 30 * t, 50 + 70 * t);
    }
    for (int i = 0; i < 90; ++i) {
        double v = std::sin(i * 91.7) * 43758.5453;
        double u = std::sin(i * 17.3) * 12345.678;
        paint.disc((v - std::floor(v)) * 640, (u - std::floor(u)) * 300, 1.2, 230, 230, 240);
    }
    paint.disc(500, 110, 60, 250, 245, 200);
    for (int i = 0; i < 30; ++i) {
        double a = i * 0.7;
        paint.disc(30 + i * 10 + 20 * std::sin(a), 470 - i * 4 + 15 * std::cos(a * 1.3), 16, 240, 170, 200);
    }
    blockText(paint, "ZEBORA", 290, 392, 8, {255, 255, 255}, {240, 200, 230});
    return picture;
}
