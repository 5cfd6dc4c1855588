// The transitions and typing with Ctrl held, so that drawing and pumping are all that is measured.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_support.h"
#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const int kStepsOfEffect[15] = {1, 256, 16, 16, 16, 32, 32, 640, 296, 56, 56, 56, 72, 52, 480};

void holdCtrl() {
    mainWindowProc({WM_KEYDOWN, VK_CONTROL, 0});
}

// One whole effect over the full screen; the figure that matters is the time of one step.
void BM_EffectStep(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    state.SetLabel(benchWindowSystemName());
    holdCtrl();
    int effect = static_cast<int>(state.range(0));
    for (int i = 0; i < kSlotWidth * kSlotHeight; ++i)
        g_display.pixels[SLOT_SCENE][i] = static_cast<uint8_t>(i);
    for (auto _ : state)
        g_effects.run(effect, 0, 0, 0, 0, kSlotWidth, kSlotHeight, 0, SLOT_SCREEN, SLOT_SCENE);
    state.counters["steps"] = kStepsOfEffect[effect];
    state.counters["step"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kStepsOfEffect[effect],
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EffectStep)->DenseRange(1, 14)->Unit(benchmark::kMillisecond);

void BM_TypeCharactersWithCtrl(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    state.SetLabel(benchWindowSystemName());
    holdCtrl();
    std::string text;
    while (text.size() < 2000)
        text += sjis("吾輩は猫である。名前はまだ無い。");
    useScriptText(text);
    std::strcpy(g_engine.fontFace, sjis("ＭＳ Ｐ明朝"));
    g_engine.fontHeight = g_engine.lineHeight = 26;
    g_engine.fontWeight = 800;
    g_engine.textColor = 255;
    g_engine.dimLevel = -64;
    g_engine.textX = g_engine.textY = 16;
    g_engine.pos = 0;
    for (auto _ : state) {
        g_engine.typeCharacter();
        waitSinceMark(0);
        if (g_engine.pos >= g_engine.length) g_engine.pos = 0;
        if (g_engine.textY > 400) g_engine.textY = 16;
    }
    state.counters["characters"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TypeCharactersWithCtrl);

}  // namespace
