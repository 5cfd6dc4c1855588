// From opening the window to the logo's first frame on the screen: the window, the display, the
// 100 ms pause, the engine's tables and the logo's picture. Run once; the pause is real time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "frontend/front_end.h"
#include "platform/window_system.h"
#include "shell/shell.h"
#include "shell/startup.h"

namespace {

void BM_StartupToFirstLogoFrame(benchmark::State& state) {
    const char* window = std::getenv("ZEBORA_BENCH_WINDOW");
    PlatformOptions options;
    options.headless = !(window && std::strcmp(window, "1") == 0);
    options.windowed = true;
    options.timeLimitMs = 0;
    if (chdir(ZEBORA_SOURCE_DIR "/games") != 0) return state.SkipWithError("no games folder");
    // Earlier benchmarks may have left Ctrl held, which would cut the pause short.
    mainWindowProc({WM_KEYUP, VK_CONTROL, 0});
    for (auto _ : state) {
        g_windowSystem = createWindowSystem(options);
        if (!g_windowSystem->openWindow("zebora bench")) return state.SkipWithError("no display");
        g_display.open();
        sleepMs(100);
        initEngine();
        prepareLogo();
        g_windowSystem->idleUntil(g_windowSystem->milliseconds());
    }
    state.SetLabel(options.headless ? "headless" : "sdl");
}
BENCHMARK(BM_StartupToFirstLogoFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
