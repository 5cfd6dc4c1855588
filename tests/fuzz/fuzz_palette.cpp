// Palette files: the colour table a plload or a game's palette reads, in both screen variants.
#include <cstddef>
#include <cstdint>

#include "display/display.h"
#include "fuzz_support.h"
#include "shell/shell.h"

namespace {

void loadPalette(const uint8_t* data, size_t size) {
    writeFuzzFile("colours.pal", data, size);
    g_display.loadPalette("colours.pal");
    g_fullScreen = 0;
    g_display.loadPalette("colours.pal");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runGuarded(loadPalette, data, size);
    return 0;
}
