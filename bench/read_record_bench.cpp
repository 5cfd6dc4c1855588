// The record of what the reader has read: what it adds to each character typed and to a whole demo
// game read through, and the size and cost of its file for a script of a megabyte (the demo game's
// script over and over).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/read_record.h"
#include "engine/script_engine.h"
#include "engine/script_reading.h"
#include "frontend/front_end.h"
#include "platform/files/file_system.h"

namespace {

const char kDemoGame[] = ZEBORA_SOURCE_DIR "/games/hanami";
const char kDemoScript[] = "story.zeb";
const size_t kMegabyte = 1024 * 1024;

// The characters typed between two waits (\c, \p), and where they lie in the script.
struct Text {
    int32_t from;
    int32_t to;
    std::vector<int32_t> characters;
};

// The demo game's script as the engine loads it.
std::string demoScript() {
    ReturnToFolder back;
    uint32_t size = 0;
    if (!changeDirectory(kDemoGame) || !findFile(kDemoScript, size)) return "";
    g_frontEnd.selected = 0;
    std::snprintf(g_frontEnd.scriptFile[0], sizeof g_frontEnd.scriptFile[0], "%s", kDemoScript);
    g_frontEnd.scriptSize[0] = size;
    g_engine.loadScript();
    return std::string(g_engine.script, static_cast<size_t>(g_engine.length));
}

// The texts of a script, read through the engine's own reading.
std::vector<Text> textsOf(const std::string& script) {
    std::vector<Text> texts(1);
    char args[kArgsBytes];
    ScriptFault fault;
    int32_t length = static_cast<int32_t>(script.size());
    for (int32_t pos = 0; pos < length;) {
        char letter = 0;
        if (script[pos] == '@') {
            if (!extractArguments(script.c_str(), pos, args, fault, nullptr)) break;
        } else if (script[pos] == '\\') {
            int32_t escape = pos;
            if (!readEscape(script.c_str(), pos, letter, fault)) break;
            if (letter != 'c' && letter != 'p') continue;
            texts.back().to = escape;
            texts.push_back({pos, pos, {}});
        } else {
            texts.back().characters.push_back(pos);
            pos += typedCharacterBytes(script.c_str() + pos);
        }
    }
    texts.pop_back();
    return texts;
}

ReadRecord recordOf(const std::string& script, const std::string& file = "") {
    ReadRecord record;
    record.open(file, script.data(), static_cast<int32_t>(script.size()));
    return record;
}

// What the engine asks before each character it types and marks when a wait begins.
void readThrough(ReadRecord& record, const std::vector<Text>& texts) {
    for (const Text& text : texts) {
        for (int32_t pos : text.characters)
            benchmark::DoNotOptimize(record.isRead(pos));
        record.markRead(text.from, text.to);
    }
}

int64_t characterCount(const std::vector<Text>& texts) {
    int64_t count = 0;
    for (const Text& text : texts)
        count += static_cast<int64_t>(text.characters.size());
    return count;
}

std::string megabyteScript() {
    std::string one = demoScript(), script;
    while (script.size() < kMegabyte)
        script += one;
    return script;
}

// Reading the demo game again, all of it read before: the cost a character and a wait add.
void BM_ReadRecordPerCharacter(benchmark::State& state) {
    std::string script = demoScript();
    std::vector<Text> texts = textsOf(script);
    ReadRecord record = recordOf(script);
    for (auto _ : state)
        readThrough(record, texts);
    state.SetItemsProcessed(state.iterations() * characterCount(texts));
    state.counters["characters"] = static_cast<double>(characterCount(texts));
    state.counters["texts"] = static_cast<double>(texts.size());
}
BENCHMARK(BM_ReadRecordPerCharacter);

// A new record of the demo game (its script hashed), read through from the first text to the last.
void BM_ReadRecordWholeDemoGame(benchmark::State& state) {
    std::string script = demoScript();
    std::vector<Text> texts = textsOf(script);
    for (auto _ : state) {
        ReadRecord record = recordOf(script);
        readThrough(record, texts);
    }
    state.counters["script bytes"] = static_cast<double>(script.size());
}
BENCHMARK(BM_ReadRecordWholeDemoGame)->Unit(benchmark::kMicrosecond);

// The file of a megabyte script with every text read, and with every other one: its size, and the
// time to open it (the script hashed, the file read and checked).
void BM_ReadRecordOpenMegabyte(benchmark::State& state) {
    bool everyOther = state.range(0) != 0;
    std::string script = megabyteScript();
    std::vector<Text> texts = textsOf(script);
    BenchFolder folder;
    ReadRecord record = recordOf(script, folder.file());
    for (size_t i = 0; i < texts.size(); i += everyOther ? 2 : 1)
        record.markRead(texts[i].from, texts[i].to);
    if (!folder.ready() || !record.save()) return state.SkipWithError("the record cannot be written");
    for (auto _ : state)
        benchmark::DoNotOptimize(recordOf(script, folder.file()));
    state.SetLabel(everyOther ? "every other text read" : "every text read");
    state.counters["script bytes"] = static_cast<double>(script.size());
    state.counters["file bytes"] = static_cast<double>(record.encode().size());
}
BENCHMARK(BM_ReadRecordOpenMegabyte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Saving the record of a megabyte script, every text read: the file made and written whole, flushed
// to the disk and renamed over the old one.
void BM_ReadRecordSaveMegabyte(benchmark::State& state) {
    std::string script = megabyteScript();
    std::vector<Text> texts = textsOf(script);
    ReadRecord record = recordOf(script);
    for (const Text& text : texts)
        record.markRead(text.from, text.to);
    BenchFolder folder;
    for (auto _ : state) {
        if (!folder.ready() || !replaceFile(folder.file(), record.encode()))
            return state.SkipWithError("the record cannot be written");
    }
}
BENCHMARK(BM_ReadRecordSaveMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
