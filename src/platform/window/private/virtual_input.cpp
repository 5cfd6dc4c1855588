#include "platform/window/private/virtual_input.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

std::unique_ptr<VirtualInput> VirtualInput::fromEnvironment() {
    const char* path = std::getenv("ZEBORA_TEST_INPUT");
    if (!path || !*path) return nullptr;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<VirtualInput>(fd);
}

VirtualInput::~VirtualInput() {
    unplug();
    close(fd_);
}

void VirtualInput::act(SDL_Window* window) {
    char bytes[4096];
    for (ssize_t got; (got = read(fd_, bytes, sizeof bytes)) > 0;)
        unread_.append(bytes, static_cast<size_t>(got));
    for (size_t end; (end = unread_.find('\n')) != std::string::npos;) {
        std::string line = unread_.substr(0, end);
        unread_.erase(0, end + 1);
        if (perform(line, window)) return;
    }
}

bool VirtualInput::perform(const std::string& line, SDL_Window* window) {
    std::istringstream in(line);
    std::string verb, name;
    long long value = 0;
    int x = 0, y = 0;
    in >> verb;
    if (verb == "plug") plug();
    if (verb == "unplug") unplug();
    if ((verb == "press" || verb == "release") && joystick_ && in >> name)
        SDL_JoystickSetVirtualButton(joystick_, SDL_GameControllerGetButtonFromString(name.c_str()),
                                     verb == "press");
    if (verb == "axis" && joystick_ && in >> name >> value)
        SDL_JoystickSetVirtualAxis(joystick_, SDL_GameControllerGetAxisFromString(name.c_str()),
                                   static_cast<Sint16>(value));
    if (verb == "finger" && in >> name >> value >> x >> y) touch(name, value, x, y, window);
    return verb != "finger";
}

void VirtualInput::plug() {
    if (joystick_) return;
    SDL_VirtualJoystickDesc description = {};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.name = "Zebora test controller";
    int device = SDL_JoystickAttachVirtualEx(&description);
    if (device >= 0) joystick_ = SDL_JoystickOpen(device);
}

void VirtualInput::unplug() {
    if (!joystick_) return;
    SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
        if (SDL_JoystickGetDeviceInstanceID(device) == id) SDL_JoystickDetachVirtual(device);
    }
}

// SDL tells of a touch twice by default: as a finger, and as a mouse whose events come from
// SDL_TOUCH_MOUSEID.
void VirtualInput::touch(const std::string& what, long long finger, int x, int y, SDL_Window* window) {
    int width = 1, height = 1;
    SDL_GetWindowSize(window, &width, &height);
    SDL_Event event = {};
    event.type = what == "down" ? SDL_FINGERDOWN : what == "up" ? SDL_FINGERUP : SDL_FINGERMOTION;
    event.tfinger.touchId = 1;
    event.tfinger.fingerId = finger;
    event.tfinger.x = static_cast<float>(x) / static_cast<float>(width);
    event.tfinger.y = static_cast<float>(y) / static_cast<float>(height);
    event.tfinger.pressure = 1;
    event.tfinger.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&event);
    SDL_Event mouse = {};
    mouse.type = what == "down" ? SDL_MOUSEBUTTONDOWN : what == "up" ? SDL_MOUSEBUTTONUP : SDL_MOUSEMOTION;
    if (mouse.type == SDL_MOUSEMOTION) {
        mouse.motion = {SDL_MOUSEMOTION, 0, SDL_GetWindowID(window), SDL_TOUCH_MOUSEID, 0, x, y, 0, 0};
    } else {
        mouse.button.type = mouse.type;
        mouse.button.windowID = SDL_GetWindowID(window);
        mouse.button.which = SDL_TOUCH_MOUSEID;
        mouse.button.button = SDL_BUTTON_LEFT;
        mouse.button.state = what == "down" ? SDL_PRESSED : SDL_RELEASED;
        mouse.button.clicks = 1;
        mouse.button.x = x;
        mouse.button.y = y;
    }
    SDL_PushEvent(&mouse);
}
