// The headless reader: no window, a virtual clock, and input taken from a reader file.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/audio/private/silent_sound_device.h"
#include "platform/headless/reader_script.h"
#include "platform/window/pad_buttons.h"
#include "platform/window/touch_gestures.h"
#include "platform/window_system.h"

class HeadlessWindowSystem : public WindowSystem {
public:
    HeadlessWindowSystem(std::vector<ReaderAction> actions, bool hasReader, std::string shotsFolder,
                         uint32_t timeLimitMs, double waveGain);

    // What the window would show first, without a word in the trace.
    void startWindowed(bool windowed) { fullScreen_ = !windowed; }
    bool openWindow(const char* utf8Title) override;
    void pumpEvents() override;
    bool takeMessage(WindowMessage& out) override;
    uint32_t milliseconds() override { return clock_; }
    void idleUntil(uint32_t deadline) override;
    void idleForInput() override;
    void showMessageBox(const char* utf8Caption, const char* utf8Text) override;
    void setTitle(const char* utf8Title) override;
    void showNotice(const char* utf8Text) override;
    void setModeMark(const char* utf8Text) override;
    void setClipboardText(const char* utf8Text) override;
    void setFullScreen(bool fullScreen) override;
    bool fullScreen() const override { return fullScreen_; }
    void setScaling(ScaleFilter filter, bool integer) override;
    void setVolumes(int music, int sound) override;
    // As if a controller were attached once the reader used one.
    bool padAttached() const override { return padUsed_; }
    void setScreenSource(const ScreenSource& source) override { screen_ = source; }
    SoundDevice& soundDevice() override { return sound_; }

private:
    struct PendingRelease {
        uint32_t at;
        WindowMessage message;
    };

    bool reached(uint32_t time) const { return static_cast<int32_t>(clock_ - time) >= 0; }
    uint32_t nextEventTime() const;
    void runDueActions();
    void perform(const ReaderAction& action);
    void post(uint32_t message, uint32_t wParam, uint32_t lParam);
    void postMouse(uint32_t message, int x, int y);
    void pressPad(PadButton button);
    // Posts the press now and the release after a while, as a reader's finger does.
    void press(const WindowMessage& down, const WindowMessage& up);
    void writeShot(const std::string& name);

    std::vector<ReaderAction> actions_;
    bool hasReader_;
    std::string shotsFolder_;
    bool fullScreen_ = true;
    uint32_t clock_;
    uint32_t lastActionAt_;  // where the time limit is counted from
    uint32_t timeLimitMs_;
    size_t next_ = 0;
    uint32_t nextActionAt_;
    bool closeSent_ = false;
    bool timeLimitHit_ = false;
    std::deque<WindowMessage> queue_;
    std::vector<PendingRelease> releases_;
    bool padUsed_ = false;
    TouchGestures touches_{
        [this](uint32_t message, uint32_t wParam, uint32_t lParam) { post(message, wParam, lParam); }};
    ScreenSource screen_;
    SilentSoundDevice sound_;
};
