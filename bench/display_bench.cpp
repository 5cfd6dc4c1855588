// Presenting a screen of which one pixel in the middle or every pixel changed, through each filter,
// a whole-slot keyed copy, a brightness change, and one 26-pixel character of the message font with
// its glyph already rendered.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_support.h"
#include "display/display.h"
#include "display/palette_fader.h"
#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"
#include "platform/window_system.h"

namespace {

const char* const kFilterNames[] = {"sharp", "nearest", "smooth"};

// The filter of the benchmark's argument, named in its label.
void useFilterOf(benchmark::State& state) {
    auto filter = static_cast<ScaleFilter>(state.range(0));
    g_windowSystem->setScaling(filter, false);
    state.SetLabel(benchWindowSystemName() + ", " + kFilterNames[state.range(0)]);
}

void BM_PresentChangedScreen(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    useFilterOf(state);
    uint8_t value = 0;
    for (auto _ : state) {
        g_display.pixels[SLOT_SCREEN][kSlotHeight / 2 * kSlotWidth + kSlotWidth / 2] = ++value;
        // Idling presents a changed screen at once.
        g_windowSystem->idleUntil(g_windowSystem->milliseconds());
    }
}
BENCHMARK(BM_PresentChangedScreen)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PresentWholeChangedScreen(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    useFilterOf(state);
    uint8_t value = 0;
    for (auto _ : state) {
        std::memset(g_display.pixels[SLOT_SCREEN], ++value, kSlotWidth * kSlotHeight);
        g_windowSystem->idleUntil(g_windowSystem->milliseconds());
    }
}
BENCHMARK(BM_PresentWholeChangedScreen)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_KeyedCopyWholeSlot(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    for (int i = 0; i < kSlotWidth * kSlotHeight; ++i)
        g_display.pixels[SLOT_TEXT][i] = static_cast<uint8_t>(i % 7);
    for (auto _ : state)
        g_display.copyKeyed(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCENE, SLOT_TEXT);
}
BENCHMARK(BM_KeyedCopyWholeSlot)->Unit(benchmark::kMicrosecond);

void BM_SetBrightness(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    int32_t offset = 0;
    for (auto _ : state)
        g_fader.setBrightness(offset++ % 255 - 255);
}
BENCHMARK(BM_SetBrightness);

void BM_DrawOneCharacterWarm(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    const char* character = sjis("漢");
    TargetSurface surface = {g_display.pixels[SLOT_TEXT], g_display.pitch[SLOT_TEXT], kSlotWidth,
                             kSlotHeight};
    for (auto _ : state) {
        // As the message window does: make the font, measure, draw shadow and character.
        int font = openFont({sjis("ＭＳ Ｐ明朝"), 26, 0, 800, false});
        int32_t width = 0, height = 0;
        measureText(font, character, 2, width, height);
        drawTextPixels(font, character, 2, 18, 18, 0, surface);
        drawTextPixels(font, character, 2, 16, 16, 255, surface);
        benchmark::DoNotOptimize(width);
    }
}
BENCHMARK(BM_DrawOneCharacterWarm);

}  // namespace
