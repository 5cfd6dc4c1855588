// Bookmarks: the check of a whole file, and for a file that passes, the load into a running game of the
// demo game's script, which then plays on from the bookmark for a few seconds of engine time.
// An input is a bookmark without its three saved slots, 768,000 bytes of pixels that any bytes fill
// validly: the target puts them back (as zeros) after the engine's fields, so that the fuzzer spends
// its time on the fields that can be wrong.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/script_engine.h"
#include "fuzz_support.h"
#include "platform/files/file_system.h"

namespace {

const char kScriptName[] = "story.zeb";
const size_t kSlotsAt = 1320;
const size_t kSlotsBytes = 2 * 640 * 480 + 320 * 480;

std::string withSlots(const uint8_t* data, size_t size) {
    std::string file(reinterpret_cast<const char*>(data), size);
    if (size > kSlotsAt) file.insert(kSlotsAt, kSlotsBytes, '\0');
    return file;
}

void loadBookmark(const uint8_t* data, size_t size) {
    uint32_t scriptSize = 0;
    ReturnToFolder back;
    changeDirectory(kFuzzGame);
    findFile(kScriptName, scriptSize);
    selectFuzzScript(kScriptName, scriptSize);
    g_engine.loadScript();
    g_engine.resetGameState();
    std::string saved = withSlots(data, size);
    writeFuzzFile("save_0.dat", reinterpret_cast<const uint8_t*>(saved.data()), saved.size());
    std::vector<uint8_t> file;
    if (!g_engine.readBookmarkFile(0, file)) return;
    g_engine.loadGame(0, file);
    g_engine.runScript();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool prepared = false;
    if (!prepared) {
        copyDemoScript(kScriptName);
        prepared = true;
    }
    HeadlessRun run;
    run.readerFile = clickingReader();
    run.timeLimitMs = 5000;
    runHeadless(run, loadBookmark, data, size);
    return 0;
}
