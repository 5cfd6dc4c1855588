// Bitmaps: decoding, then the colour mapping of a picture loaded into a slot, whole and clipped.
#include <cstddef>
#include <cstdint>

#include "display/display.h"
#include "fuzz_support.h"
#include "platform/formats/bitmap_file.h"

namespace {

void loadIntoSlots(const uint8_t* data, size_t size) {
    writeFuzzFile("picture.bmp", data, size);
    g_display.loadBitmap("picture.bmp", kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_BG);
    g_display.loadBitmap("picture.bmp", 100, 70, 590, 450, 30, 20, SLOT_CHARS);
    g_display.loadPalette("picture.bmp");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedBitmap bitmap;
    if (!decodeBitmap(data, size, bitmap)) return 0;
    size_t pixels = static_cast<size_t>(bitmap.width) * bitmap.height;
    if (bitmap.width > kMaxBitmapSide || bitmap.height > kMaxBitmapSide) __builtin_trap();
    if (bitmap.indexed() ? bitmap.indices.size() != pixels : bitmap.pixels.size() != pixels) __builtin_trap();
    for (uint8_t index : bitmap.indices)
        if (index >= bitmap.colours.size()) __builtin_trap();
    HeadlessRun run;
    run.engineTables = false;
    runHeadless(run, loadIntoSlots, data, size);
    return 0;
}
