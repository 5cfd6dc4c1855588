#include "platform/window/private/sdl_window_system.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/window/letterbox.h"
#include "platform/window/overlay_pictures.h"
#include "platform/window/private/screenshot_file.h"
#include "platform/window/screen_picture.h"
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
const uint32_t kNoticeMs = 1500;

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
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
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

// Alt+Enter and F11 belong to the window, as in most full-screen programs; the engine never sees them,
// nor F12, which takes a screenshot.
bool isModeSwitch(const SDL_Keysym& key) {
    bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT));
}

}  // namespace

SdlWindowSystem::SdlWindowSystem(const PlatformOptions& options)
    : windowed_(options.windowed),
      scale_(options.scale),
      soundFont_(options.soundFont ? options.soundFont : ""),
      musicGain_(volumeGain(options.musicVolume)),
      waveGain_(volumeGain(options.soundVolume)) {
    presenter_.setScaling(options.filter, options.integerScale);
}

// The sound goes first: its audio thread posts to the event queue, and it must stop before SDL does.
SdlWindowSystem::~SdlWindowSystem() {
    sound_.reset();
    virtualInput_.reset();
    pads_.close();
    if (cursor_) SDL_FreeCursor(cursor_);
    presenter_.close();
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
    SDL_Rect area = areaFor(!windowed_, 0);
    uint32_t flags = SDL_WINDOW_RESIZABLE | (windowed_ ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    window_ = SDL_CreateWindow(utf8Title, area.x, area.y, area.w, area.h, flags);
    if (!window_ || !presenter_.open(window_)) {
        std::fprintf(stderr, "zebora: cannot open the window (%s)\n", SDL_GetError());
        return false;
    }
    setIconAndCursor();
    presentIfChanged();
    openSound();
    pads_.open();
    virtualInput_ = VirtualInput::fromEnvironment();
    return true;
}

void SdlWindowSystem::openSound() {
    auto device = std::make_unique<SdlSoundDevice>(soundFont_.empty() ? nullptr : soundFont_.c_str(),
                                                   musicGain_, waveGain_);
    if (device->openAudio()) sound_ = std::move(device);
}

SoundDevice& SdlWindowSystem::soundDevice() {
    if (sound_) return *sound_;
    return silentSound_;
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
    if (virtualInput_) virtualInput_->act(window_);
    pads_.update(window_, now);
    SDL_Event event;
    while (SDL_PollEvent(&event))
        translate(event);
    touches_.timePassed(now);
    soundClock_ = milliseconds();
    if (silentSound_.takeEnd()) post(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    endNoticeWhenDue();
    if (now - lastPresent_ >= kPresentIntervalMs) presentIfChanged();
}

// What the window does whatever it shows: the ends of pieces, closing, redrawing. False for input.
bool SdlWindowSystem::translateWindowEvent(const SDL_Event& event) {
    if (sound_ && event.type == sound_->endEventType()) {
        if (sound_->takeEnd(event.user.code)) post(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
        return true;
    }
    if (event.type == SDL_QUIT) {
        post(WM_QUIT, 0, 0);
        return true;
    }
    if (event.type != SDL_WINDOWEVENT) return false;
    if (event.window.event == SDL_WINDOWEVENT_CLOSE) post(WM_CLOSE, 0, 0);
    if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        presenter_.redrawAll();
    return true;
}

// SDL tells of a touch as a mouse too, unless asked not to, and may tell of the mouse as a touch: each
// is taken only as itself.
void SdlWindowSystem::translate(const SDL_Event& event) {
    if (translateWindowEvent(event) || pads_.translate(event)) return;
    bool touchMouse = (event.type == SDL_MOUSEMOTION && event.motion.which == SDL_TOUCH_MOUSEID) ||
                      ((event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) &&
                       event.button.which == SDL_TOUCH_MOUSEID);
    if (touchMouse) return;
    switch (event.type) {
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
        case SDL_MOUSEWHEEL: {
            int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (notches != 0) post(WM_MOUSEWHEEL, wheelParam(notches), 0);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            translateKey(event);
            break;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP:
            translateFinger(event);
            break;
        case SDL_DROPFILE:
            keepDroppedPath(event.drop.file);
            SDL_free(event.drop.file);
            post(WM_DROPFILES, 0, 0);
            break;
        default:
            break;
    }
}

// A finger's place is a fraction of the window; the picture lies in it as the mouse finds it.
void SdlWindowSystem::translateFinger(const SDL_Event& event) {
    const SDL_TouchFingerEvent& finger = event.tfinger;
    if (finger.touchId == SDL_MOUSE_TOUCHID) return;
    int width = 0, height = 0, x = 0, y = 0;
    SDL_GetWindowSize(window_, &width, &height);
    presenter_.toScreen(static_cast<int>(finger.x * static_cast<float>(width)),
                        static_cast<int>(finger.y * static_cast<float>(height)), x, y);
    if (event.type == SDL_FINGERDOWN) touches_.fingerDown(finger.fingerId, x, y, finger.timestamp);
    if (event.type == SDL_FINGERMOTION) touches_.fingerMoved(finger.fingerId, x, y);
    if (event.type == SDL_FINGERUP) touches_.fingerUp(finger.fingerId, finger.timestamp);
}

// The right stick moves the pointer the reader sees; the engine hears of it at once, whether or not
// the window system tells of the move.
void SdlWindowSystem::pointTo(int windowX, int windowY) {
    SDL_WarpMouseInWindow(window_, windowX, windowY);
    postMouse(WM_MOUSEMOVE, windowX, windowY);
}

void SdlWindowSystem::translateKey(const SDL_Event& event) {
    bool down = event.type == SDL_KEYDOWN;
    if (isModeSwitch(event.key.keysym)) {
        bool fullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
        if (down && !event.key.repeat) setFullScreen(!fullScreen);
        return;
    }
    if (event.key.keysym.sym == SDLK_F12) {
        if (down && !event.key.repeat) {
            showNotice(takeScreenshot(presenter_.source()) ? "スクリーンショットを保存しました"
                                                           : "スクリーンショットを保存できませんでした");
        }
        return;
    }
    if (uint32_t vk = virtualKey(event.key.keysym.sym)) post(down ? WM_KEYDOWN : WM_KEYUP, vk, 0);
}

// Full screen asks for the whole display as well: without a window manager nobody else resizes the
// window, and SDL would go on believing it covers the display. Out of full screen the window is a
// whole multiple of the screen, centred, so that the sharp filter has nothing to blend.
SDL_Rect SdlWindowSystem::areaFor(bool fullScreen, int display) const {
    SDL_Rect bounds = {0, 0, kScreenWidth, kScreenHeight};
    if (fullScreen && SDL_GetDisplayBounds(display, &bounds) == 0) return bounds;
    int scale = scale_;
    if (scale == 0)
        scale =
            SDL_GetDisplayUsableBounds(display, &bounds) == 0 ? fittingWindowScale(bounds.w, bounds.h) : 1;
    int centred = static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    return {centred, centred, scale * kScreenWidth, scale * kScreenHeight};
}

// A window maximised before it went full screen comes back at its own size too.
void SdlWindowSystem::setFullScreen(bool fullScreen) {
    SDL_Rect area = areaFor(fullScreen, SDL_GetWindowDisplayIndex(window_));
    if (!fullScreen) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_RestoreWindow(window_);
    }
    SDL_SetWindowSize(window_, area.w, area.h);
    SDL_SetWindowPosition(window_, area.x, area.y);
    if (fullScreen) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    presenter_.redrawAll();
}

bool SdlWindowSystem::fullScreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlWindowSystem::setScaling(ScaleFilter filter, bool integer) {
    presenter_.setScaling(filter, integer);
}

void SdlWindowSystem::setVolumes(int music, int sound) {
    musicGain_ = volumeGain(music);
    waveGain_ = volumeGain(sound);
    silentSound_.setGains(musicGain_, waveGain_);
    if (sound_) sound_->setGains(musicGain_, waveGain_);
}

void SdlWindowSystem::post(uint32_t message, uint32_t wParam, uint32_t lParam) {
    queue_.push_back({message, wParam, lParam});
}

void SdlWindowSystem::postMouse(uint32_t message, int windowX, int windowY) {
    int x = 0, y = 0;
    presenter_.toScreen(windowX, windowY, x, y);
    post(message, 0, pointParam(x, y));
}

bool SdlWindowSystem::takeMessage(WindowMessage& out) {
    if (queue_.empty()) return false;
    out = queue_.front();
    queue_.pop_front();
    return true;
}

void SdlWindowSystem::idleUntil(uint32_t deadline) {
    presentIfChanged();
    uint32_t end = 0;
    if (silentSound_.nextEnd(end) && static_cast<int32_t>(end - deadline) < 0) deadline = end;
    auto earlier = [&deadline](uint32_t ticks) {
        if (static_cast<int32_t>(ticks + kClockOffset - deadline) < 0) deadline = ticks + kClockOffset;
    };
    if (!notice_.empty()) earlier(noticeEnds_);
    uint32_t at = 0;
    if (pads_.nextStep(at)) earlier(at);
    if (touches_.longPressAt(at)) earlier(at);
    int32_t remaining = static_cast<int32_t>(deadline - milliseconds());
    if (remaining <= 0) return;
    SDL_WaitEventTimeout(nullptr,
                         remaining < static_cast<int32_t>(kLongestSleepMs) ? remaining : kLongestSleepMs);
    lastPoll_ = SDL_GetTicks() - kPollIntervalMs;
}

void SdlWindowSystem::idleForInput() {
    idleUntil(milliseconds() + kLongestSleepMs);
}

// Drawn in the window, over the picture the reader last saw: SDL's own box draws with the X server's
// core fonts, which on most desktops have no Japanese. Input goes to the box alone while it is up, as
// the system's box takes it from its owner; the ends of pieces and the close button still arrive.
void SdlWindowSystem::showMessageBox(const char* utf8Caption, const char* utf8Text) {
    if (!window_) return;
    MessageBoxPicture box(utf8Caption, utf8Text);
    box.draw(presenter_.overlay());
    presentIfChanged();
    for (bool open = true; open;) {
        pads_.update(window_, SDL_GetTicks());
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, kLongestSleepMs)) open = !dismissesMessageBox(event, box.okButton());
        presentIfChanged();
    }
    box.erase(presenter_.overlay());
    presentIfChanged();
    lastPoll_ = SDL_GetTicks() - kPollIntervalMs;
}

// OK, Return, Space or Escape, or a game controller's A, B or Start; the window's close button too,
// which the engine then hears. A controller's other presses go to the box alone, as keys do, but it
// may be plugged in or out, and let go of what it held, meanwhile.
bool SdlWindowSystem::dismissesMessageBox(const SDL_Event& event, const PixelRect& okButton) {
    if (translateWindowEvent(event))
        return event.type == SDL_QUIT ||
               (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
    if (event.type == SDL_CONTROLLERBUTTONDOWN) return SdlGamePads::dismisses(event);
    if (pads_.translate(event)) return false;
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
        int x = 0, y = 0;
        presenter_.toScreen(event.button.x, event.button.y, x, y);
        return okButton.contains(x, y);
    }
    if (event.type != SDL_KEYDOWN) return false;
    if (isModeSwitch(event.key.keysym)) {
        translateKey(event);
        return false;
    }
    SDL_Keycode key = event.key.keysym.sym;
    return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE || key == SDLK_ESCAPE;
}

void SdlWindowSystem::setTitle(const char* utf8Title) {
    if (window_) SDL_SetWindowTitle(window_, utf8Title);
}

// A short notice over the picture, gone after a while on its own.
void SdlWindowSystem::showNotice(const char* utf8Text) {
    Overlay& overlay = presenter_.overlay();
    if (!notice_.empty()) overlay.erase(notice_);
    notice_ = drawNotice(overlay, utf8Text);
    noticeEnds_ = SDL_GetTicks() + kNoticeMs;
}

void SdlWindowSystem::setModeMark(const char* utf8Text) {
    Overlay& overlay = presenter_.overlay();
    if (!mark_.empty()) overlay.erase(mark_);
    mark_ = utf8Text ? drawModeMark(overlay, utf8Text) : PixelRect{};
}

// The window owns the clipboard from now on; SDL hands the text over when a tool asks, in the pump.
void SdlWindowSystem::setClipboardText(const char* utf8Text) {
    if (window_) SDL_SetClipboardText(utf8Text);
}

void SdlWindowSystem::endNoticeWhenDue() {
    if (notice_.empty() || static_cast<int32_t>(SDL_GetTicks() - noticeEnds_) < 0) return;
    presenter_.overlay().erase(notice_);
    notice_ = {};
}

void SdlWindowSystem::setScreenSource(const ScreenSource& source) {
    presenter_.setSource(source);
}

void SdlWindowSystem::presentIfChanged() {
    lastPresent_ = SDL_GetTicks();
    presenter_.presentIfChanged();
}
