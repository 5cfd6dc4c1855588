// Writes the window icon "ZEB" as the desktop's icons: zebora-SIZE.png in the folder given for each
// size given, scaled by repeating pixels so that it stays as sharp as drawn.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/window/png_file.h"
#include "resources/zeb_icon.h"

namespace {

const int kIconPixels = 32;

int paletteIndex(char digit) {
    return digit <= '9' ? digit - '0' : digit - 'A' + 10;
}

bool writeIcon(const std::string& folder, int size) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int index = paletteIndex(kIconRows[y * kIconPixels / size][x * kIconPixels / size]);
            uint32_t colour = kIconPalette[index];
            uint8_t* pixel = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            pixel[0] = static_cast<uint8_t>(colour >> 16);
            pixel[1] = static_cast<uint8_t>(colour >> 8);
            pixel[2] = static_cast<uint8_t>(colour);
            pixel[3] = index == 0 ? 0 : 0xFF;  // index 0 is the icon's transparent corners
        }
    }
    std::string path = folder + "/zebora-" + std::to_string(size) + ".png";
    if (writePngWithAlpha(path.c_str(), rgba.data(), size, size)) return true;
    std::fprintf(stderr, "zebora_icons: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: zebora_icons FOLDER SIZE...\n", stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        int size = std::atoi(argv[i]);
        if (size < kIconPixels || !writeIcon(argv[1], size)) return 1;
    }
    return 0;
}
