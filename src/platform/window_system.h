// The window, its message queue, the clock and the message box, as the shell sees them.
// Two implementations: a real SDL window, and the headless reader on a virtual clock.
#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "platform/platform_options.h"
#include "platform/window_messages.h"

class SoundDevice;

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
    // A short notice over the picture, gone after a moment on its own (a screenshot taken, a quick save).
    virtual void showNotice(const char* utf8Text) = 0;
    // A small mark that stays over a corner of the picture while a reading mode is on ("AUTO", "SKIP");
    // null takes it away.
    virtual void setModeMark(const char* utf8Text) = 0;
    // Puts a text of the story on the desktop's clipboard, for the reader's dictionary tools.
    virtual void setClipboardText(const char* utf8Text) = 0;
    virtual void setScreenSource(const ScreenSource& source) = 0;
    // The reader's choices, taken at once: full screen or a window, how the picture is scaled, the
    // volumes (0 to kFullVolume; muting is both at 0).
    virtual void setFullScreen(bool fullScreen) = 0;
    virtual bool fullScreen() const = 0;
    virtual void setScaling(ScaleFilter filter, bool integer) = 0;
    virtual void setVolumes(int music, int sound) = 0;
    // Whether a game controller is there to read with, so that the pages of our own show its buttons.
    virtual bool padAttached() const = 0;
    // The sound device that goes with the window: its ends of pieces arrive in the window's queue.
    virtual SoundDevice& soundDevice() = 0;

    // The path of a file or folder dropped onto the window, oldest first, one for each WM_DROPFILES;
    // empty when none waits.
    std::string takeDroppedPath() {
        if (dropped_.empty()) return "";
        std::string path = dropped_.front();
        dropped_.pop_front();
        return path;
    }

protected:
    // Kept for takeDroppedPath; the window posts WM_DROPFILES for it.
    void keepDroppedPath(const std::string& path) { dropped_.push_back(path); }

private:
    std::deque<std::string> dropped_;
};

extern WindowSystem* g_windowSystem;

// Creates the window system chosen by the options; null (reported on stderr) when the reader file is bad.
WindowSystem* createWindowSystem(const PlatformOptions& options);
// Takes the window system down with everything it started (the window, the sound device and its thread),
// so that nothing of it still runs while the process ends.
void shutDownPlatform();
