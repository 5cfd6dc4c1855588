// A bookmark written (encoded, written to a temporary file, flushed to the disk and renamed over the
// old one) and read back (read, checked and decoded), without the wipes and fades around them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/script_engine.h"
#include "platform/files/file_system.h"
#include "save/save_file.h"

namespace {

// A bookmark in a fresh folder of the temporary directory, removed with it.
class BookmarkFolder {
public:
    BookmarkFolder() {
        const char* base = std::getenv("TMPDIR");
        folder_ = std::string(base ? base : "/tmp") + "/zebora-bench-XXXXXX";
        ready_ = mkdtemp(&folder_[0]) != nullptr;
    }
    ~BookmarkFolder() {
        removeGameFile(name().c_str());
        rmdir(folder_.c_str());
    }
    bool ready() const { return ready_; }
    std::string name() const { return folder_ + "/save1.dat"; }

private:
    std::string folder_;
    bool ready_ = false;
};

void BM_WriteBookmark(benchmark::State& state) {
    BookmarkFolder folder;
    if (!folder.ready()) return state.SkipWithError("no temporary folder");
    for (auto _ : state) {
        if (!replaceGameFile(folder.name().c_str(), encodeSaveFile({}, 0)))
            return state.SkipWithError("the bookmark cannot be written");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSaveFileBytes));
}
BENCHMARK(BM_WriteBookmark)->Unit(benchmark::kMillisecond);

void BM_ReadBookmark(benchmark::State& state) {
    BookmarkFolder folder;
    if (!folder.ready() || !replaceGameFile(folder.name().c_str(), encodeSaveFile({}, 0)))
        return state.SkipWithError("the bookmark cannot be written");
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        if (!readGameFile(folder.name().c_str(), kSaveFileWithChoicesBytes, bytes) ||
            checkSaveFile(bytes, g_engine.length) != nullptr)
            return state.SkipWithError("the bookmark does not load");
        benchmark::DoNotOptimize(decodeSaveFile(bytes));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSaveFileBytes));
}
BENCHMARK(BM_ReadBookmark)->Unit(benchmark::kMillisecond);

}  // namespace
