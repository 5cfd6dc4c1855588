#include "platform/window/png_file.h"

#include <png.h>

#include <cstdio>

namespace {

// Closes the file whatever happens.
bool writePixels(FILE* file, const uint8_t* pixels, int width, int height, bool alpha) {
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && setjmp(png_jmpbuf(png)) == 0;
    if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        size_t rowBytes = static_cast<size_t>(width) * (alpha ? 4 : 3);
        for (int y = 0; y < height; ++y) {
            png_write_row(png, const_cast<png_bytep>(pixels + static_cast<size_t>(y) * rowBytes));
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}

}  // namespace

bool writePng(const char* path, const uint8_t* rgb, int width, int height) {
    return writePixels(std::fopen(path, "wb"), rgb, width, height, false);
}

bool writePngTo(FILE* file, const uint8_t* rgb, int width, int height) {
    return writePixels(file, rgb, width, height, false);
}

bool writePngWithAlpha(const char* path, const uint8_t* rgba, int width, int height) {
    return writePixels(std::fopen(path, "wb"), rgba, width, height, true);
}

bool readPng(const char* path, std::vector<uint8_t>& rgb, int& width, int& height) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) return false;
    image.format = PNG_FORMAT_RGB;
    rgb.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return true;
}
