// The pump, resetting a large script (its place scan pumps once per character), and a jump to the
// last of 999 places (the search re-reads every place before it).
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "engine/script_engine.h"
#include "shell/shell.h"

namespace {

std::string megabyteScript() {
    std::string script;
    int place = 0;
    while (script.size() < 1024 * 1024) {
        script += "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8textandmoretext\\n";
        if (script.size() % 97 < 40 && place < 900) script += "@name(place" + std::to_string(place++) + ");";
        script += "@flag(3,+,1);";
    }
    return script;
}

void BM_PumpMessages(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    state.SetLabel(benchWindowSystemName());
    for (auto _ : state)
        benchmark::DoNotOptimize(pumpMessages());
}
BENCHMARK(BM_PumpMessages);

void BM_ResetMegabyteScript(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    state.SetLabel(benchWindowSystemName());
    useScriptText(megabyteScript());
    for (auto _ : state)
        g_engine.resetGameState();
    state.counters["places"] = g_engine.nameCount;
}
BENCHMARK(BM_ResetMegabyteScript)->Unit(benchmark::kMillisecond);

void BM_JumpToLastOf999Places(benchmark::State& state) {
    if (!useBenchWindowSystem()) return state.SkipWithError("no display");
    state.SetLabel(benchWindowSystemName());
    std::string script;
    for (int i = 0; i < 999; ++i)
        script += "@name(place" + std::to_string(i) + ");text";
    useScriptText(script);
    g_engine.scanLabels();
    for (auto _ : state)
        g_engine.jumpToLabel("place998");
}
BENCHMARK(BM_JumpToLastOf999Places)->Unit(benchmark::kMicrosecond);

}  // namespace
