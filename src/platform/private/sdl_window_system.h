// The real window: SDL2 shows slot 0 scaled to the window and turns SDL events into window messages.
#pragma once
#include <deque>
#include <vector>

#include "platform/window_system.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
union SDL_Event;

class SdlWindowSystem : public WindowSystem {
public:
    explicit SdlWindowSystem(bool windowed) : windowed_(windowed) {}
    ~SdlWindowSystem() override;

    bool openWindow(const char* utf8Title) override;
    void pumpEvents() override;
    bool takeMessage(WindowMessage& out) override;
    uint32_t milliseconds() override;
    void idleUntil(uint32_t deadline) override;
    void idleForInput() override;
    void showMessageBox(const char* utf8Caption, const char* utf8Text) override;
    void setScreenSource(const ScreenSource& source) override;

private:
    void translate(const SDL_Event& event);
    void post(uint32_t message, uint32_t wParam, uint32_t lParam);
    void postMouse(uint32_t message, int x, int y);
    void presentIfChanged(bool force);
    void setIconAndCursor();

    bool windowed_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Cursor* cursor_ = nullptr;
    std::deque<WindowMessage> queue_;
    uint32_t lastPoll_ = 0;
    uint32_t lastPresent_ = 0;
    bool exposed_ = true;
    ScreenSource screen_;
    std::vector<uint8_t> shownPixels_;
    std::vector<uint8_t> shownPalette_;
    std::vector<uint32_t> converted_;
};
