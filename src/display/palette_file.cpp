#include "display/palette_file.h"

#include <cstdio>

#include "platform/files/file_system.h"

namespace {

const long kColourTableOffset = 54;
const int kPastTheEnd = 255;

int nextByte(FILE* file) {
    int c = std::fgetc(file);
    return c == EOF ? kPastTheEnd : c;
}

}  // namespace

bool readColourTable(const char* fileName, PaletteEntry* table, int count) {
    FILE* file = openGameFile(fileName);
    if (!file) return false;
    std::fseek(file, kColourTableOffset, SEEK_SET);
    for (int i = 0; i < count; ++i) {
        table[i].blue = static_cast<uint8_t>(nextByte(file));
        table[i].green = static_cast<uint8_t>(nextByte(file));
        table[i].red = static_cast<uint8_t>(nextByte(file));
        nextByte(file);
        table[i].flag = 1;
    }
    std::fclose(file);
    return true;
}

bool Display::loadPalette(const char* fileName) {
    PaletteEntry table[kPaletteEntries];
    if (!readColourTable(fileName, table, kPaletteEntries)) return false;
    for (int i = 0; i < kPaletteEntries; ++i)
        g_basePalette[i] = g_shownPalette[i] = table[i];
    g_basePalette[2] = {160, 160, 160, 1};
    g_basePalette[255] = {255, 255, 255, 1};
    sendPalette(g_basePalette);
    return true;
}
