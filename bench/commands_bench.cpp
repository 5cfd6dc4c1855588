// The scene commands: recomposing the scene, a whole objload with effect 0, and redrawing a choice
// under the pointer.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "bench_support.h"
#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

void useDemoFolder() {
    static bool entered = false;
    if (!entered && chdir(ZEBORA_SOURCE_DIR "/games/hanami") == 0) entered = true;
}

void BM_ComposeScene(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    for (auto _ : state)
        g_engine.composeScene();
}
BENCHMARK(BM_ComposeScene)->Unit(benchmark::kMicrosecond);

void BM_ObjloadWithEffectZero(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    useDemoFolder();
    mainWindowProc({WM_KEYDOWN, VK_CONTROL, 0});
    g_engine.dimLevel = 0;
    for (auto _ : state) {
        std::strcpy(g_engine.args, "sakura.bmp 0 0 0");
        g_engine.cmdObjLoad();
    }
}
BENCHMARK(BM_ObjloadWithEffectZero)->Unit(benchmark::kMicrosecond);

void BM_SelectRedrawOnHover(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    std::strcpy(g_engine.fontFace, sjis("ＭＳ Ｐ明朝"));
    g_engine.fontHeight = 26;
    g_engine.fontWeight = 800;
    g_engine.dimLevel = -64;
    const char* choice = sjis("もう少し奥まで歩いてみる");
    int32_t width = 0, height = 0;
    int colour = 2;
    for (auto _ : state) {
        colour = colour == 2 ? 255 : 2;
        g_engine.drawChoiceLine(1, 76, choice, colour, width, height, SLOT_SCREEN);
    }
}
BENCHMARK(BM_SelectRedrawOnHover)->Unit(benchmark::kMicrosecond);

}  // namespace
