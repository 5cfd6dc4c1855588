#include "bench_support.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/window_system.h"

namespace {

std::string windowAsked() {
    const char* value = std::getenv("ZEBORA_BENCH_WINDOW");
    return value ? value : "";
}

bool realWindowAsked() {
    return windowAsked() == "1" || windowAsked() == "full";
}

}  // namespace

bool useBenchWindowSystem() {
    static bool ready = false;
    if (ready) return true;
    PlatformOptions options;
    options.headless = !realWindowAsked();
    options.windowed = windowAsked() != "full";
    options.timeLimitMs = 0;
    g_windowSystem = createWindowSystem(options);
    if (!g_windowSystem || !g_windowSystem->openWindow("zebora bench")) return false;
    g_display.open();
    // The system graphics hold the wipe masks.
    const char* system = ZEBORA_SOURCE_DIR "/games/system.bmp";
    g_display.loadPalette(system);
    g_display.loadBitmap(system, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_SYSTEM);
    ready = true;
    return true;
}

std::string benchWindowSystemName() {
    if (!realWindowAsked()) return "headless";
    const char* renderer = std::getenv("SDL_RENDER_DRIVER");
    return std::string(windowAsked() == "full" ? "sdl full screen" : "sdl window") + ", renderer " +
           (renderer ? renderer : "by default");
}

void useScriptText(const std::string& stream) {
    std::free(g_engine.script);
    g_engine.script = strdup(stream.c_str());
    g_engine.length = static_cast<int32_t>(stream.size());
}

BenchFolder::BenchFolder() {
    const char* base = std::getenv("TMPDIR");
    folder_ = std::string(base ? base : "/tmp") + "/zebora-bench-XXXXXX";
    ready_ = mkdtemp(&folder_[0]) != nullptr;
}

BenchFolder::~BenchFolder() {
    unlink(file().c_str());
    rmdir(folder_.c_str());
}
