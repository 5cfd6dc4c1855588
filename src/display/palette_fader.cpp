#include "display/palette_fader.h"

#include <cstring>

#include "display/display.h"
#include "engine/script_engine.h"
#include "shell/shell.h"

PaletteFader g_fader;

namespace {

// The windowed variant fades in steps four times as large.
const int32_t kWindowedStepFactor = 4;

bool exempt(int entry) {
    return entry == kTransparentEntry || entry == kGreyEntry || g_fadeLocked[entry] != 0 ||
           entry == g_engine.textColor;
}

uint8_t shifted(uint8_t channel, int32_t offset) {
    int64_t value = static_cast<int64_t>(channel) + offset;
    return static_cast<uint8_t>(value <= 0 ? 0 : value >= 255 ? 255 : value);
}

}  // namespace

void PaletteFader::applyBrightness(int first, int last, int32_t offset) {
    if (first < 0) first = 0;
    if (last > kPaletteEntries - 1) last = kPaletteEntries - 1;
    for (int i = first; i <= last; ++i) {
        if (exempt(i)) continue;
        if (offset == 0) {
            g_shownPalette[i] = g_basePalette[i];
        } else {
            g_shownPalette[i] = {shifted(g_basePalette[i].red, offset),
                                 shifted(g_basePalette[i].green, offset),
                                 shifted(g_basePalette[i].blue, offset), 1};
        }
    }
    g_display.sendPalette(g_shownPalette);
}

void PaletteFader::setBrightness(int32_t offset) {
    applyBrightness(0, kPaletteEntries - 1, offset);
}

// One loop for every fade: a pass per step of at least ms, then the closing call over the whole
// palette, also when the loop reached the target exactly or did not run at all.
void PaletteFader::fade(int32_t from, int32_t to, int first, int last, int32_t step, uint32_t ms) {
    int64_t stride = static_cast<int64_t>(step) * (g_fullScreen ? 1 : kWindowedStepFactor);
    if (stride == 0) stride = 1;
    bool up = stride > 0;
    for (int64_t v = from; up ? v <= to : v >= to; v += stride) {
        markTime();
        applyBrightness(first, last, static_cast<int32_t>(v));
        waitSinceMark(ms);
    }
    setBrightness(to);
}

void PaletteFader::fadeUp(int32_t from, int32_t to, int32_t step, uint32_t ms) {
    fade(from, to, 0, kPaletteEntries - 1, step, ms);
}

void PaletteFader::fadeDown(int32_t from, int32_t to, int32_t step, uint32_t ms) {
    fade(from, to, 0, kPaletteEntries - 1, -step, ms);
}

void PaletteFader::fadeUpRange(int32_t from, int32_t to, int first, int last, int32_t step, uint32_t ms) {
    fade(from, to, first, last, step, ms);
}

void PaletteFader::fadeDownRange(int32_t from, int32_t to, int first, int last, int32_t step, uint32_t ms) {
    fade(from, to, first, last, -step, ms);
}

void PaletteFader::commitPalette() {
    std::memcpy(g_shownPalette, g_basePalette, sizeof g_shownPalette);
    g_display.sendPalette(g_shownPalette);
}
