// A bookmark written (encoded, written to a temporary file, flushed to the disk and renamed over the
// old one) and read back (read, checked and decoded), without the wipes and fades around them.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/script_engine.h"
#include "platform/files/file_system.h"
#include "save/save_file.h"

namespace {

void BM_WriteBookmark(benchmark::State& state) {
    BenchFolder folder;
    if (!folder.ready()) return state.SkipWithError("no temporary folder");
    for (auto _ : state) {
        if (!replaceGameFile(folder.file().c_str(), encodeSaveFile({}, 0)))
            return state.SkipWithError("the bookmark cannot be written");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSaveFileBytes));
}
BENCHMARK(BM_WriteBookmark)->Unit(benchmark::kMillisecond);

void BM_ReadBookmark(benchmark::State& state) {
    BenchFolder folder;
    if (!folder.ready() || !replaceGameFile(folder.file().c_str(), encodeSaveFile({}, 0)))
        return state.SkipWithError("the bookmark cannot be written");
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        if (!readGameFile(folder.file().c_str(), kSaveFileWithChoicesBytes, bytes) ||
            checkSaveFile(bytes, g_engine.length) != nullptr)
            return state.SkipWithError("the bookmark does not load");
        benchmark::DoNotOptimize(decodeSaveFile(bytes));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSaveFileBytes));
}
BENCHMARK(BM_ReadBookmark)->Unit(benchmark::kMillisecond);

}  // namespace
