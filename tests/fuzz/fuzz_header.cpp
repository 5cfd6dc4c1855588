// A game's header lines, read for the game page from the top of its script.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "frontend/front_end.h"
#include "fuzz_support.h"

namespace {

void readHeader(const uint8_t* data, size_t size) {
    writeFuzzFile("story.zeb", data, size);
    g_frontEnd.readHeader("story.zeb", 0);
    for (const char* field :
         {g_frontEnd.title[0], g_frontEnd.subtitle[0], g_frontEnd.artist[0], g_frontEnd.genre[0]})
        if (std::strlen(field) >= kGameTextBytes) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runGuarded(readHeader, data, size);
    return 0;
}
