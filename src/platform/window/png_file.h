// PNG pictures: the reader's shots, the golden pictures of the tests and the desktop's icons.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

// Writes an 8-bit RGB picture (3 bytes a pixel, rows top to bottom).
bool writePng(const char* path, const uint8_t* rgb, int width, int height);
// The same into a file already opened for writing, which it closes (null: false).
bool writePngTo(FILE* file, const uint8_t* rgb, int width, int height);
// The same with a fourth byte a pixel, its opacity (the desktop's icons).
bool writePngWithAlpha(const char* path, const uint8_t* rgba, int width, int height);
// Reads a PNG file as 8-bit RGB; false when it cannot.
bool readPng(const char* path, std::vector<uint8_t>& rgb, int& width, int& height);
