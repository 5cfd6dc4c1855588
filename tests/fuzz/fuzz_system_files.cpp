// The working folder's own files: function.dat (the command table) and start.dat (the game to start
// at once). The first byte chooses the file; start.dat may start the game folder's script, which then
// plays until the time limit.
#include <cstddef>
#include <cstdint>

#include "engine/script_engine.h"
#include "fuzz_support.h"

namespace {

const uint8_t kSimpleScript[] = "text\\c@select(2,a,0,b,end);@goto(end);";

void readCommandTable(const uint8_t* data, size_t size) {
    writeFuzzFile("function.dat", data, size);
    g_engine.loadCommandTable();
}

void startFromStartFile(const uint8_t* data, size_t size) {
    writeFuzzFile("start.dat", data, size);
    g_engine.startFromStartFile();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool prepared = false;
    if (!prepared) {
        writeFuzzFile(fuzzPath(std::string(kFuzzGame) + "/story.zeb"), kSimpleScript,
                      sizeof kSimpleScript - 1);
        prepared = true;
    }
    if (size == 0) return 0;
    HeadlessRun run;
    run.readerFile = clickingReader();
    if (data[0] & 1) {
        // The command table is loaded before anything else starts.
        runGuarded(readCommandTable, data + 1, size - 1);
    } else {
        runHeadless(run, startFromStartFile, data + 1, size - 1);
        std::remove("start.dat");
    }
    // Every later input starts from the working folder's own command table.
    copySystemFiles();
    return 0;
}
