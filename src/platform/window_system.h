// The window, its message queue, the clock and the message box, as the shell sees them.
// Two implementations: a real SDL window, and the headless reader on a virtual clock.
#pragma once
#include <cstdint>

class SoundDevice;

struct WindowMessage {
    uint32_t message;
    uint32_t wParam;
    uint32_t lParam;
};

// Window message numbers the shell's window procedure knows.
enum : uint32_t {
    WM_DESTROY = 2,
    WM_CLOSE = 16,
    WM_QUIT = 18,
    WM_KEYDOWN = 256,
    WM_KEYUP = 257,
    WM_MOUSEMOVE = 512,
    WM_LBUTTONDOWN = 513,
    WM_RBUTTONDOWN = 516,
    WM_MOUSEWHEEL = 522,
    MM_MCINOTIFY = 953,
};

enum : uint32_t { MCI_NOTIFY_SUCCESSFUL = 1 };

// A wheel message carries its turn in the high word of wParam, signed, in steps of this much a notch:
// positive away from the reader (up), negative towards (down).
const int32_t WHEEL_DELTA = 120;
inline uint32_t wheelParam(int32_t notches) {
    return static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(notches * WHEEL_DELTA))) << 16;
}

// Windows virtual-key codes.
enum : uint32_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F1 = 112,
    VK_F12 = 123,
};

// What the presenter shows: slot 0 through the device palette (256 entries of red, green, blue, flag).
struct ScreenSource {
    const uint8_t* pixels = nullptr;
    int pitch = 0;
    const uint8_t* palette = nullptr;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Opens the main window. False when there is no display to open it on (already reported on stderr).
    virtual bool openWindow(const char* utf8Title) = 0;
    // Gathers input into the message queue and shows the screen when it changed.
    virtual void pumpEvents() = 0;
    // Takes the oldest queued message; false when the queue is empty.
    virtual bool takeMessage(WindowMessage& out) = 0;
    // The millisecond clock: monotonic, wrapping at 2^32.
    virtual uint32_t milliseconds() = 0;
    // Lets time pass until the clock reaches deadline or input may have arrived, whichever is first.
    virtual void idleUntil(uint32_t deadline) = 0;
    // Lets time pass until input may have arrived.
    virtual void idleForInput() = 0;
    // A modal message box with an OK button: returns when the reader has dismissed it.
    virtual void showMessageBox(const char* utf8Caption, const char* utf8Text) = 0;
    virtual void setTitle(const char* utf8Title) = 0;
    virtual void setScreenSource(const ScreenSource& source) = 0;
    // The sound device that goes with the window: its ends of pieces arrive in the window's queue.
    virtual SoundDevice& soundDevice() = 0;
};

extern WindowSystem* g_windowSystem;

// The reader's volumes are percentages of the full level, linear in amplitude: 50 is half (-6 dB),
// 0 silence.
const int kFullVolume = 100;

inline double volumeGain(int volume) {
    return volume / static_cast<double>(kFullVolume);
}

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
    // A headless run is stopped after this much engine time without a reader's action (0: never), so a
    // reader that never closes the window cannot hang, while one that keeps acting plays on.
    uint32_t timeLimitMs = 60 * 60 * 1000;
};

// Creates the window system chosen by the options; null (reported on stderr) when the reader file is bad.
WindowSystem* createWindowSystem(const PlatformOptions& options);
// Takes the window system down with everything it started (the window, the sound device and its thread),
// so that nothing of it still runs while the process ends.
void shutDownPlatform();
