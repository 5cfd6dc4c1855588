// The palette the demo games' pictures share, and drawing helpers that pick its colours.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "indexed_picture.h"

// Black, the colour key (magenta), grey and white in entries 0, 1, 2 and 255; colour ramps between.
std::vector<Rgb> demoPalette();

// Picks demo-palette colours for a picture: the nearest entry, with a 4×4 ordered dither that makes
// gradients smooth.
class Painter {
public:
    explicit Painter(IndexedPicture& picture) : picture_(picture) {}
    void dot(int x, int y, double r, double g, double b);
    void rect(int x, int y, int width, int height, double r, double g, double b);
    void disc(double cx, double cy, double radius, double r, double g, double b);
    // Pixels inside the ellipse.
    void ellipse(double cx, double cy, double rx, double ry, double r, double g, double b);
    uint8_t nearest(double r, double g, double b) const;

private:
    IndexedPicture& picture_;
    mutable std::unordered_map<uint32_t, uint8_t> nearest_;
};
