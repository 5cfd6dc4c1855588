#include "platform/window/private/sdl_game_pads.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace {

const int kStickPushed = 16384;  // half way out: the left stick presses its arrow
const int kStickBack = 8192;     // a quarter: it lets go
const int kDeadZone = 8000;      // the right stick does nothing nearer its rest
const double kStickFull = 32767;
const double kCrossingMs = 1500;  // the right stick pushed fully takes the pointer across the window
const uint32_t kStepMs = 16;

struct ButtonRow {
    SDL_GameControllerButton sdl;
    PadButton button;
};

const ButtonRow kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, PadButton::A},
    {SDL_CONTROLLER_BUTTON_B, PadButton::B},
    {SDL_CONTROLLER_BUTTON_X, PadButton::X},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::Y},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::Up},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::Down},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::Right},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::RightShoulder},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
};

// Where a stick points on one axis, with some way between pushing and letting go so that a stick
// resting near the edge does not press its arrow again and again.
int stickDirection(int was, int value) {
    int reach = was != 0 && (value < 0) == (was < 0) ? kStickBack : kStickPushed;
    if (value >= reach) return 1;
    if (value <= -reach) return -1;
    return 0;
}

double beyondDeadZone(int value) {
    if (std::abs(value) < kDeadZone) return 0;
    return std::clamp((value - std::copysign(kDeadZone, value)) / (kStickFull - kDeadZone), -1.0, 1.0);
}

}  // namespace

SdlGamePads::SdlGamePads(Post post, PointTo pointTo)
    : post_(std::move(post)), pointTo_(std::move(pointTo)), watcher_([this] {
          if (wakeSent_.exchange(true)) return;
          SDL_Event wake = {};
          wake.type = wakeEvent_;
          SDL_PushEvent(&wake);
      }) {}

// SDL would update the controllers inside its own waits, looking every millisecond while one is
// attached; the window asks it at each pump instead.
void SdlGamePads::open() {
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    open_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (open_) wakeEvent_ = SDL_RegisterEvents(1);
}

void SdlGamePads::close() {
    if (!open_) return;
    for (const Pad& pad : pads_) {
        watcher_.forget(pad.path);
        SDL_GameControllerClose(pad.controller);
    }
    pads_.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    open_ = false;
}

void SdlGamePads::update(SDL_Window* window, uint32_t now) {
    if (!open_) return;
    wakeSent_ = false;
    SDL_GameControllerUpdate();
    stepPointer(window, now);
}

bool SdlGamePads::translate(const SDL_Event& event) {
    if (!open_) return false;
    if (event.type == wakeEvent_) return true;
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            plugged(event.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            unplugged(event.cdevice.which);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            for (const ButtonRow& row : kButtons) {
                if (row.sdl == event.cbutton.button) post(row.button, event.type == SDL_CONTROLLERBUTTONDOWN);
            }
            return true;
        case SDL_CONTROLLERAXISMOTION:
            axisMoved(event.caxis.which, event.caxis.axis, event.caxis.value);
            return true;
        default:
            return false;
    }
}

bool SdlGamePads::dismisses(const SDL_Event& event) {
    if (event.type != SDL_CONTROLLERBUTTONDOWN) return false;
    uint8_t button = event.cbutton.button;
    return button == SDL_CONTROLLER_BUTTON_A || button == SDL_CONTROLLER_BUTTON_B ||
           button == SDL_CONTROLLER_BUTTON_START;
}

// SDL tells of every controller attached when it starts, as of one plugged in later.
void SdlGamePads::plugged(int deviceIndex) {
    int32_t id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; })) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    const char* path = SDL_GameControllerPath(controller);
    pads_.push_back({controller, id, path ? path : "", 0, 0});
    if (path) watcher_.watch(path);
}

// SDL has let go of whatever the controller held before it tells that it is gone.
void SdlGamePads::unplugged(int32_t id) {
    auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    if (pad == pads_.end()) return;
    watcher_.forget(pad->path);
    SDL_GameControllerClose(pad->controller);
    pads_.erase(pad);
}

void SdlGamePads::axisMoved(int32_t id, uint8_t axis, int value) {
    if (axis == SDL_CONTROLLER_AXIS_RIGHTX) stickX_ = beyondDeadZone(value);
    if (axis == SDL_CONTROLLER_AXIS_RIGHTY) stickY_ = beyondDeadZone(value);
    auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    if (pad == pads_.end()) return;
    if (axis == SDL_CONTROLLER_AXIS_LEFTX || axis == SDL_CONTROLLER_AXIS_LEFTY)
        leftStick(*pad, axis == SDL_CONTROLLER_AXIS_LEFTY, value);
}

void SdlGamePads::leftStick(Pad& pad, bool vertical, int value) {
    int& was = vertical ? pad.leftY : pad.leftX;
    int now = stickDirection(was, value);
    if (now == was) return;
    PadButton less = vertical ? PadButton::Up : PadButton::Left;
    PadButton more = vertical ? PadButton::Down : PadButton::Right;
    if (was != 0) post(was < 0 ? less : more, false);
    if (now != 0) post(now < 0 ? less : more, true);
    was = now;
}

void SdlGamePads::post(PadButton button, bool pressed) {
    WindowMessage message;
    if (padMessage(button, pressed, message)) post_(message.message, message.wParam, message.lParam);
}

bool SdlGamePads::nextStep(uint32_t& at) const {
    if (stickX_ == 0 && stickY_ == 0) return false;
    at = lastStep_ + kStepMs;
    return true;
}

// The pointer moves as far as the time since the last step and the stick's push make it, whatever
// the window's size; what is left of a window point is kept for the next step.
void SdlGamePads::stepPointer(SDL_Window* window, uint32_t now) {
    uint32_t elapsed = std::min(now - lastStep_, 2 * kStepMs);
    lastStep_ = now;
    if (stickX_ == 0 && stickY_ == 0) return;
    int width = 0, height = 0, x = 0, y = 0;
    SDL_GetWindowSize(window, &width, &height);
    carryX_ += stickX_ * width * elapsed / kCrossingMs;
    carryY_ += stickY_ * width * elapsed / kCrossingMs;
    int dx = static_cast<int>(carryX_), dy = static_cast<int>(carryY_);
    if (dx == 0 && dy == 0) return;
    carryX_ -= dx, carryY_ -= dy;
    SDL_GetMouseState(&x, &y);
    pointTo_(std::clamp(x + dx, 0, width - 1), std::clamp(y + dy, 0, height - 1));
}
