// The game controllers, through SDL's game-controller interface and its mapping database (to which
// SDL_GAMECONTROLLERCONFIG and SDL_GAMECONTROLLERCONFIG_FILE add), plugged in before the player started
// or while it runs. Their buttons post what pad_buttons.h says, the left stick stands for the pad's
// arrows, and the right stick moves the pointer. SDL reads them only when update() asks it to, and the
// pad watcher wakes the window when they have news, so that an attached controller costs nothing while
// it rests.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/window/pad_buttons.h"
#include "platform/window/private/pad_watcher.h"

struct SDL_Window;
struct _SDL_GameController;
union SDL_Event;

class SdlGamePads {
public:
    using Post = std::function<void(uint32_t message, uint32_t wParam, uint32_t lParam)>;
    // pointTo(x, y) puts the pointer at that point of the window.
    using PointTo = std::function<void(int windowX, int windowY)>;
    SdlGamePads(Post post, PointTo pointTo);
    ~SdlGamePads() { close(); }

    // Starts SDL's game-controller interface, and closes it with every controller before SDL quits.
    void open();
    void close();
    // Before each look at SDL's queue: what the controllers did since the last, into the queue, and the
    // pointer a step further while the right stick is held.
    void update(SDL_Window* window, uint32_t now);
    // Takes the controllers' events; false for every other.
    bool translate(const SDL_Event& event);
    // A press of A, B or Start, which dismisses a message box.
    static bool dismisses(const SDL_Event& event);
    bool attached() const { return !pads_.empty(); }
    // While the right stick moves the pointer, when it next moves it; false while the stick rests.
    bool nextStep(uint32_t& at) const;

private:
    struct Pad {
        _SDL_GameController* controller;
        int32_t id;
        std::string path;
        int leftX;  // where the left stick points: −1, 0 or +1 on each axis
        int leftY;
    };

    void plugged(int deviceIndex);
    void unplugged(int32_t id);
    void axisMoved(int32_t id, uint8_t axis, int value);
    void leftStick(Pad& pad, bool vertical, int value);
    void post(PadButton button, bool pressed);
    void stepPointer(SDL_Window* window, uint32_t now);

    Post post_;
    PointTo pointTo_;
    bool open_ = false;
    std::vector<Pad> pads_;
    uint32_t wakeEvent_ = 0;
    std::atomic<bool> wakeSent_{false};
    PadWatcher watcher_;
    double stickX_ = 0, stickY_ = 0;  // the right stick beyond its dead zone, −1 to 1
    double carryX_ = 0, carryY_ = 0;  // the parts of a window point the pointer has still to move
    uint32_t lastStep_ = 0;
};
