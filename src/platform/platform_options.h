// What the command line and the settings file choose of the platform.
#pragma once
#include <cstdint>

// The reader's volumes are percentages of the full level, linear in amplitude: 50 is half (-6 dB),
// 0 silence.
const int kFullVolume = 100;

inline double volumeGain(int volume) {
    return volume / static_cast<double>(kFullVolume);
}

// How the 640×480 picture is scaled to the window: sharp (the largest whole multiple by nearest
// neighbour, then linearly to the size), nearest neighbour all the way, or linearly all the way.
enum class ScaleFilter { Sharp, Nearest, Smooth };

const int kLargestScale = 8;

// Where each text of the story goes besides the transcript (bits of PlatformOptions::textOutputs): the
// clipboard, and WebSocket clients on 127.0.0.1 at the port, 6677 as texthooker pages expect.
const unsigned kClipboardOutput = 1;
const unsigned kWebSocketOutput = 2;
const int kDefaultTextOutPort = 6677;
const int kHighestPort = 65535;

struct PlatformOptions {
    bool headless = false;
    bool windowed = false;  // show the picture in a window instead of desktop-fullscreen
    const char* readerFile = nullptr;
    const char* shotsFolder = ".";
    const char* traceFile = nullptr;       // where the engine's events are written, one a line
    const char* transcriptFile = nullptr;  // where the text shown is written as UTF-8; "-": stdout
    const char* soundFont = nullptr;       // the General MIDI sound font; null for the default
    int musicVolume = kFullVolume;
    int soundVolume = kFullVolume;  // the wave channels'
    int scale = 0;  // the window's first size in multiples of 640×480; 0: as the desktop allows
    ScaleFilter filter = ScaleFilter::Sharp;
    bool integerScale = false;  // whole multiples only, with wider bars
    unsigned textOutputs = 0;
    int textOutPort = kDefaultTextOutPort;
    const char* speakCommand = nullptr;  // run through the shell with each text on its standard input
    // A headless run is stopped after this much engine time without a reader's action (0: never), so a
    // reader that never closes the window cannot hang, while one that keeps acting plays on.
    uint32_t timeLimitMs = 60 * 60 * 1000;
};
