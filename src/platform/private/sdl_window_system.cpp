#include "platform/private/sdl_window_system.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/screen_picture.h"
#include "resources/cur_cursor.h"
#include "resources/zeb_icon.h"

namespace {

// Like the tick count of a machine that has been up for a while: a wait whose end time wraps below
// its start then ends at once, as it does on Windows.
const uint32_t kClockOffset = 10000000;
// One SDL poll costs several microseconds under X; input needs no more than one a millisecond.
const uint32_t kPollIntervalMs = 1;
const uint32_t kPresentIntervalMs = 16;
const uint32_t kLongestSleepMs = 100;
const int kPaletteBytes = 256 * 4;

uint32_t virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint32_t>(key - SDLK_a + 'A');
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint32_t>(key - SDLK_0 + '0');
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<uint32_t>(key - SDLK_F1) + VK_F1;
    switch (key) {
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        default:
            return 0;
    }
}

// SDL falls back to its offscreen driver when there is no display; that is no display to a reader.
bool initVideo() {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    bool chosen = requested && *requested;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    // Without a Wayland compositor, trying Wayland only prints noise about XDG_RUNTIME_DIR.
    if (!chosen && !(wayland && *wayland)) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,kmsdrm");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    bool virtualDriver =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (SDL_GetNumVideoDisplays() < 1 || (virtualDriver && !chosen)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("no X11, Wayland or console display");
        return false;
    }
    return true;
}

int clampTo(int value, int limit) {
    return value < 0 ? 0 : value >= limit ? limit - 1 : value;
}

}  // namespace

SdlWindowSystem::~SdlWindowSystem() {
    if (cursor_) SDL_FreeCursor(cursor_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

bool SdlWindowSystem::openWindow(const char* utf8Title) {
    if (!initVideo()) {
        std::fprintf(stderr,
                     "zebora: there is no display to open a window on (%s).\n"
                     "To run without a window: zebora --headless --reader FILE [--shots DIR] [--root DIR]\n",
                     SDL_GetError());
        return false;
    }
    uint32_t flags = windowed_ ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(utf8Title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kScreenWidth,
                               kScreenHeight, flags);
    if (window_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     kScreenWidth, kScreenHeight);
    }
    if (!texture_) {
        std::fprintf(stderr, "zebora: cannot open the window (%s)\n", SDL_GetError());
        return false;
    }
    setIconAndCursor();
    converted_.assign(kScreenWidth * kScreenHeight, 0);
    presentIfChanged(true);
    return true;
}

void SdlWindowSystem::setIconAndCursor() {
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon) {
        auto* pixels = static_cast<uint32_t*>(icon->pixels);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                char digit = kIconRows[y][x];
                int index = digit <= '9' ? digit - '0' : digit - 'A' + 10;
                uint32_t alpha = index == 0 ? 0 : 0xFF000000u;
                pixels[y * (icon->pitch / 4) + x] = alpha | kIconPalette[index];
            }
        }
        SDL_SetWindowIcon(window_, icon);
        SDL_FreeSurface(icon);
    }
    uint8_t data[32 * 4] = {}, mask[32 * 4] = {};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            char c = kCursorRows[y][x];
            uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (c != ' ') mask[y * 4 + x / 8] |= bit;
            if (c == 'X') data[y * 4 + x / 8] |= bit;
        }
    }
    cursor_ = SDL_CreateCursor(data, mask, 32, 32, kCursorHotX, kCursorHotY);
    if (cursor_) SDL_SetCursor(cursor_);
}

uint32_t SdlWindowSystem::milliseconds() {
    return SDL_GetTicks() + kClockOffset;
}

void SdlWindowSystem::pumpEvents() {
    uint32_t now = SDL_GetTicks();
    if (now - lastPoll_ < kPollIntervalMs) return;
    lastPoll_ = now;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        translate(event);
    if (now - lastPresent_ >= kPresentIntervalMs) presentIfChanged(false);
}

void SdlWindowSystem::translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            post(WM_QUIT, 0, 0);
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) post(WM_CLOSE, 0, 0);
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) exposed_ = true;
            break;
        case SDL_MOUSEMOTION:
            postMouse(WM_MOUSEMOVE, event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
            postMouse(WM_MOUSEMOVE, event.button.x, event.button.y);
            if (event.button.button == SDL_BUTTON_LEFT)
                postMouse(WM_LBUTTONDOWN, event.button.x, event.button.y);
            if (event.button.button == SDL_BUTTON_RIGHT)
                postMouse(WM_RBUTTONDOWN, event.button.x, event.button.y);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (uint32_t vk = virtualKey(event.key.keysym.sym)) {
                post(event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, vk, 0);
            }
            break;
        default:
            break;
    }
}

void SdlWindowSystem::post(uint32_t message, uint32_t wParam, uint32_t lParam) {
    queue_.push_back({message, wParam, lParam});
}

void SdlWindowSystem::postMouse(uint32_t message, int x, int y) {
    uint32_t position = static_cast<uint32_t>(clampTo(x, kScreenWidth)) |
                        static_cast<uint32_t>(clampTo(y, kScreenHeight)) << 16;
    post(message, 0, position);
}

bool SdlWindowSystem::takeMessage(WindowMessage& out) {
    if (queue_.empty()) return false;
    out = queue_.front();
    queue_.pop_front();
    return true;
}

void SdlWindowSystem::idleUntil(uint32_t deadline) {
    presentIfChanged(false);
    int32_t remaining = static_cast<int32_t>(deadline - milliseconds());
    if (remaining <= 0) return;
    SDL_WaitEventTimeout(nullptr,
                         remaining < static_cast<int32_t>(kLongestSleepMs) ? remaining : kLongestSleepMs);
    lastPoll_ = SDL_GetTicks() - kPollIntervalMs;
}

void SdlWindowSystem::idleForInput() {
    idleUntil(milliseconds() + kLongestSleepMs);
}

void SdlWindowSystem::showMessageBox(const char* utf8Caption, const char* utf8Text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Caption, utf8Text, window_);
}

void SdlWindowSystem::setScreenSource(const ScreenSource& source) {
    screen_ = source;
    shownPixels_.clear();
}

void SdlWindowSystem::presentIfChanged(bool force) {
    if (!renderer_) return;
    lastPresent_ = SDL_GetTicks();
    bool changed = force || exposed_;
    if (screen_.pixels) {
        size_t bytes = static_cast<size_t>(screen_.pitch) * kScreenHeight;
        bool same = shownPixels_.size() == bytes && shownPalette_.size() == kPaletteBytes &&
                    std::memcmp(shownPixels_.data(), screen_.pixels, bytes) == 0 &&
                    std::memcmp(shownPalette_.data(), screen_.palette, kPaletteBytes) == 0;
        if (!same) {
            shownPixels_.assign(screen_.pixels, screen_.pixels + bytes);
            shownPalette_.assign(screen_.palette, screen_.palette + kPaletteBytes);
            changed = true;
        }
    }
    if (!changed) return;
    exposed_ = false;
    if (screen_.pixels) {
        uint32_t colours[256];
        for (int i = 0; i < 256; ++i) {
            const uint8_t* c = screen_.palette + i * 4;
            colours[i] = static_cast<uint32_t>(c[0]) << 16 | static_cast<uint32_t>(c[1]) << 8 | c[2];
        }
        for (int y = 0; y < kScreenHeight; ++y) {
            const uint8_t* row = screen_.pixels + y * screen_.pitch;
            uint32_t* out = converted_.data() + y * kScreenWidth;
            for (int x = 0; x < kScreenWidth; ++x)
                out[x] = colours[row[x]];
        }
    }
    SDL_UpdateTexture(texture_, nullptr, converted_.data(), kScreenWidth * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}
