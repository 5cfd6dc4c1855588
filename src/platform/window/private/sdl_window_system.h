// The real window: SDL2 shows slot 0 scaled to the window and turns SDL events into window messages,
// those of game controllers and touch screens too. Alt+Enter and F11 switch it between full screen and
// a window of a whole multiple of 640×480, which the reader may resize and maximise; F12 takes a
// screenshot.
#pragma once
#include <deque>
#include <memory>
#include <string>

#include "platform/audio/private/sdl_sound_device.h"
#include "platform/audio/private/silent_sound_device.h"
#include "platform/window/private/sdl_game_pads.h"
#include "platform/window/private/sdl_presenter.h"
#include "platform/window/private/virtual_input.h"
#include "platform/window/touch_gestures.h"
#include "platform/window_system.h"

struct SDL_Window;
struct SDL_Rect;
struct SDL_Cursor;
struct SDL_Keysym;
union SDL_Event;

class SdlWindowSystem : public WindowSystem {
public:
    explicit SdlWindowSystem(const PlatformOptions& options);
    ~SdlWindowSystem() override;

    bool openWindow(const char* utf8Title) override;
    void pumpEvents() override;
    bool takeMessage(WindowMessage& out) override;
    uint32_t milliseconds() override;
    void idleUntil(uint32_t deadline) override;
    void idleForInput() override;
    void showMessageBox(const char* utf8Caption, const char* utf8Text) override;
    void setTitle(const char* utf8Title) override;
    void showNotice(const char* utf8Text) override;
    void setModeMark(const char* utf8Text) override;
    void setClipboardText(const char* utf8Text) override;
    void setFullScreen(bool fullScreen) override;
    bool fullScreen() const override;
    void setScaling(ScaleFilter filter, bool integer) override;
    void setVolumes(int music, int sound) override;
    void setScreenSource(const ScreenSource& source) override;
    bool padAttached() const override { return pads_.attached(); }
    SoundDevice& soundDevice() override;

private:
    void translate(const SDL_Event& event);
    bool translateWindowEvent(const SDL_Event& event);
    bool dismissesMessageBox(const SDL_Event& event, const PixelRect& okButton);
    void endNoticeWhenDue();
    void translateKey(const SDL_Event& event);
    void translateFinger(const SDL_Event& event);
    void pointTo(int windowX, int windowY);
    void post(uint32_t message, uint32_t wParam, uint32_t lParam);
    void postMouse(uint32_t message, int windowX, int windowY);
    void presentIfChanged();
    void setIconAndCursor();
    SDL_Rect areaFor(bool fullScreen, int display) const;
    void openSound();

    bool windowed_;
    int scale_;              // the window's size out of full screen; 0 for what the desktop allows
    std::string soundFont_;  // empty for the default one
    double musicGain_;
    double waveGain_;
    SDL_Window* window_ = nullptr;
    SDL_Cursor* cursor_ = nullptr;
    SdlPresenter presenter_;
    std::deque<WindowMessage> queue_;
    SdlGamePads pads_{
        [this](uint32_t message, uint32_t wParam, uint32_t lParam) { post(message, wParam, lParam); },
        [this](int x, int y) { pointTo(x, y); }};
    TouchGestures touches_{
        [this](uint32_t message, uint32_t wParam, uint32_t lParam) { post(message, wParam, lParam); }};
    std::unique_ptr<VirtualInput> virtualInput_;  // null but in the tests
    uint32_t lastPoll_ = 0;
    uint32_t lastPresent_ = 0;
    PixelRect notice_;  // where the notice lies while one is shown
    PixelRect mark_;    // and the mode's mark
    uint32_t noticeEnds_ = 0;
    // Without an audio device, pieces still take their time on the real clock and report their ends.
    uint32_t soundClock_ = 0;
    SilentSoundDevice silentSound_{soundClock_, waveGain_};
    std::unique_ptr<SdlSoundDevice> sound_;  // null when the audio device could not be opened
};
