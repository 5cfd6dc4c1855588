// For the tests of the real window: a game controller and a touch screen that exist only in the
// player. With ZEBORA_TEST_INPUT naming a file, the window reads the lines written to it, at its pumps,
// and acts them as a real controller and screen would reach SDL:
//   plug, unplug                    attach or detach a virtual game controller
//   press NAME, release NAME        one of its buttons, by SDL's name (a, b, dpdown, rightshoulder, …)
//   axis NAME VALUE                 one of its axes (leftx, righty, …), −32768 to 32767
//   finger down|motion|up ID X Y    a finger at point (X, Y) of the window, with the mouse events that
//                                   SDL makes of a touch
// A line that changes the controller is acted alone at its pump, so that SDL sees every change.
#pragma once
#include <memory>
#include <string>

struct SDL_Window;
struct _SDL_Joystick;

class VirtualInput {
public:
    // Null without the variable, or when its file cannot be read.
    static std::unique_ptr<VirtualInput> fromEnvironment();
    explicit VirtualInput(int fd) : fd_(fd) {}
    ~VirtualInput();
    VirtualInput(const VirtualInput&) = delete;
    VirtualInput& operator=(const VirtualInput&) = delete;

    // The lines written since the last pump, up to the first that changes the controller.
    void act(SDL_Window* window);

private:
    // True when the line changed the controller.
    bool perform(const std::string& line, SDL_Window* window);
    void plug();
    void unplug();
    void touch(const std::string& what, long long finger, int x, int y, SDL_Window* window);

    int fd_;
    std::string unread_;
    _SDL_Joystick* joystick_ = nullptr;  // the controller while it is plugged in
};
