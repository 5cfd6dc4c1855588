// A game's script: loaded and stripped, its places scanned, then played on the virtual clock by a reader
// that holds Ctrl and clicks, right-clicks and presses Space, so that commands, menus, the system menu
// and jumps run, until the reader is done or ten seconds of engine time have passed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/script_engine.h"
#include "fuzz_support.h"

namespace {

const char kScriptName[] = "story.zeb";

void playScript(const uint8_t* data, size_t size) {
    writeFuzzFile(std::string(kFuzzGame) + "/" + kScriptName, data, size);
    selectFuzzScript(kScriptName, static_cast<uint32_t>(size));
    g_engine.launchGame();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeadlessRun run;
    run.readerFile = clickingReader();
    runHeadless(run, playScript, data, size);
    return 0;
}
