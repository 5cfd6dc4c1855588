// What the fuzz targets share: a working folder with the system files and a game folder, the engine
// started headless on the virtual clock, and every global put back as at program start after each input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The game folder below the working folder that the targets play in.
extern const char kFuzzGame[];

// Makes the working folder, with function.dat and system.bmp, and a game folder holding the pictures,
// palettes, music and sounds of the demo games; it is removed when the process ends. Installs the exit
// hook that ends one input instead of the process. Idempotent; the runs below call it. The fuzzer's own
// folder stays current between runs, since it writes its findings and corpus there.
void prepareFuzzFolder();
// A path inside the working folder.
std::string fuzzPath(const std::string& relative);

// Puts the working folder's function.dat and system.bmp back as the player ships them.
void copySystemFiles();

void writeFuzzFile(const std::string& path, const uint8_t* data, size_t size);

struct HeadlessRun {
    const char* readerFile = nullptr;  // null: no reader, only the time limit ends the run
    uint32_t timeLimitMs = 10000;
    // Loads the system graphics and the command table as the player starts; a target that only draws
    // pictures does without them.
    bool engineTables = true;
};

// Opens the headless window, the display and the sound, and loads the engine's tables, as the player
// starts; then runs body. An error message (or the end of the run) leaves body through the exit hook.
// Afterwards the platform is down and every engine global is as at program start.
void runHeadless(const HeadlessRun& run, void (*body)(const uint8_t*, size_t), const uint8_t* data,
                 size_t size);

// Runs body with the exit hook in place and puts every global back afterwards, for targets that need
// no window.
void runGuarded(void (*body)(const uint8_t*, size_t), const uint8_t* data, size_t size);

// Copies the first demo game's script into the game folder under this name.
void copyDemoScript(const char* scriptName);

// Selects the game folder's script for loadScript, as the game page does.
void selectFuzzScript(const char* scriptName, uint32_t size);

// A reader file in the working folder that holds Ctrl (so timed waits pass at once) and clicks, right-
// clicks and presses Space in turns; its path.
const char* clickingReader();
