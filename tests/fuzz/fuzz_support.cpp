#include "fuzz_support.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include "display/display.h"
#include "display/palette_fader.h"
#include "engine/backlog.h"
#include "engine/reading.h"
#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/files/file_system.h"
#include "platform/process_exit.h"
#include "platform/running_game.h"
#include "save/bookmark_name.h"
#include "shell/shell.h"
#include "shell/startup.h"
#include "sound/midi_music.h"
#include "sound/wave_sound.h"

const char kFuzzGame[] = "game";

namespace {

// Thrown by the exit hook: the engine ends every error and every run through the exit, and the
// harness unwinds to the input's start from there.
struct InputEnded {};

[[noreturn]] void endInput(int) {
    throw InputEnded{};
}

std::string g_folder;

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    return std::remove(path);
}

void removeFolder() {
    if (!g_folder.empty()) nftw(g_folder.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

// The demo games' files but their scripts and bookmarks, so that the commands a script gives find
// pictures, palettes, music and sounds.
void copyDemoFiles(const std::string& game) {
    namespace fs = std::filesystem;
    for (const char* demo : {"hanami", "omikuji"}) {
        for (const fs::directory_entry& entry :
             fs::directory_iterator(fs::path(ZEBORA_SOURCE_DIR) / "games" / demo)) {
            std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".zeb" || name.rfind("save_", 0) == 0) continue;
            copyFile(entry.path().string(), game + "/" + name);
        }
    }
}

template <typename T>
void startAfresh(T& object) {
    object.~T();
    new (&object) T();
}

// Every global a run may touch, as the process starts with it.
void resetGlobals() {
    std::free(g_engine.script);
    startAfresh(g_engine);
    startAfresh(g_frontEnd);
    startAfresh(g_display);
    startAfresh(g_fader);
    startAfresh(g_sound);
    startAfresh(g_midi);
    for (PaletteEntry* palette : {g_basePalette, g_shownPalette, g_filePalette, g_devicePalette})
        std::memset(palette, 0, sizeof(PaletteEntry) * kPaletteEntries);
    std::memset(g_fadeLocked, 0, sizeof g_fadeLocked);
    g_clientX = g_clientY = 0;
    g_fullScreen = 1;
    g_hWnd = 0;
    std::memset(g_keyDown, 0, sizeof g_keyDown);
    g_leftClicked = g_rightClicked = 0;
    g_wheelTurns = 0;
    g_fastForward = false;
    clearReaderKeys();
    g_reading = Reading();
    g_backlog.clear();
    setRunningGame(nullptr, nullptr);
    g_ctrlUp = 1;
    g_mouseX = g_mouseY = 0;
    g_markTime = g_playTimeStart = 0;
    std::memset(g_errorText, 0, sizeof g_errorText);
    g_commandCount = 0;
    resetRandomGenerator();
}

// A bookmark saved through the system menu would otherwise be there for the next input to load.
void removeBookmarks() {
    for (int number = 0; number < kBookmarkCount; ++number) {
        std::string file = g_folder + "/" + kFuzzGame + "/" + bookmarkFileName(number);
        std::remove(file.c_str());
        std::remove((file + ".tmp").c_str());
    }
}

// After a run that did not end through the exit, the platform goes down as the exit takes it down.
void takePlatformDown() {
    g_sound.release();
    g_midi.release();
    shutDownPlatform();
}

}  // namespace

void prepareFuzzFolder() {
    if (!g_folder.empty()) return;
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/zebora-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) {
        std::perror("zebora-fuzz: the working folder");
        std::abort();
    }
    g_folder = pattern;
    std::atexit(removeFolder);
    // What the games read and their quick bookmarks stay in the folder too, not in the home of whoever
    // fuzzes.
    setenv("XDG_DATA_HOME", (g_folder + "/data").c_str(), 1);
    copySystemFiles();
    std::string game = g_folder + "/" + kFuzzGame;
    mkdir(game.c_str(), 0755);
    copyDemoFiles(game);
    setExitHook(endInput);
}

std::string fuzzPath(const std::string& relative) {
    prepareFuzzFolder();
    return g_folder + "/" + relative;
}

void copySystemFiles() {
    std::string games = std::string(ZEBORA_SOURCE_DIR) + "/games/";
    copyFile(games + "function.dat", g_folder + "/function.dat");
    copyFile(games + "system.bmp", g_folder + "/system.bmp");
}

void writeFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

void runGuarded(void (*body)(const uint8_t*, size_t), const uint8_t* data, size_t size) {
    prepareFuzzFolder();
    ReturnToFolder back;
    if (chdir(g_folder.c_str()) != 0) std::abort();
    try {
        body(data, size);
    } catch (const InputEnded&) {
    }
    resetGlobals();
}

void runHeadless(const HeadlessRun& run, void (*body)(const uint8_t*, size_t), const uint8_t* data,
                 size_t size) {
    prepareFuzzFolder();
    ReturnToFolder back;
    if (chdir(g_folder.c_str()) != 0) std::abort();
    PlatformOptions options;
    options.headless = true;
    options.readerFile = run.readerFile;
    options.timeLimitMs = run.timeLimitMs;
    g_windowSystem = createWindowSystem(options);
    if (!g_windowSystem) std::abort();
    try {
        g_windowSystem->openWindow("zebora-fuzz");
        g_hWnd = 1;
        g_display.open();
        g_sound.open();
        if (run.engineTables) initEngine();
        body(data, size);
        takePlatformDown();
    } catch (const InputEnded&) {
    }
    removeBookmarks();
    resetGlobals();
}

void copyDemoScript(const char* scriptName) {
    copyFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/story.zeb",
             fuzzPath(std::string(kFuzzGame) + "/" + scriptName));
}

void selectFuzzScript(const char* scriptName, uint32_t size) {
    g_frontEnd.selected = 0;
    std::snprintf(g_frontEnd.folder[0], sizeof g_frontEnd.folder[0], "%s", kFuzzGame);
    std::snprintf(g_frontEnd.scriptFile[0], sizeof g_frontEnd.scriptFile[0], "%s", scriptName);
    g_frontEnd.scriptSize[0] = size;
}

const char* clickingReader() {
    prepareFuzzFolder();
    static const std::string name = g_folder + "/clicks.txt";
    static bool written = false;
    if (!written) {
        std::ofstream reader(name);
        reader << "down ctrl\n";
        for (int i = 0; i < 40; ++i) {
            reader << "wait 150\nclick " << 100 + 37 * i % 440 << ' ' << 80 + 53 * i % 320 << '\n';
            if (i % 7 == 3) reader << "wait 100\nrclick 320 240\n";
            if (i % 11 == 5) reader << "key space\n";
        }
        written = true;
    }
    return name.c_str();
}
