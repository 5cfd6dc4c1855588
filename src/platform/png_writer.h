#pragma once
#include <cstdint>

// Writes an 8-bit RGB picture (3 bytes a pixel, rows top to bottom) as a PNG file.
bool writePng(const char* path, const uint8_t* rgb, int width, int height);
