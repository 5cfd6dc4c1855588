#include "platform/headless/private/headless_window_system.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/files/file_system.h"
#include "platform/headless/trace.h"
#include "platform/window/png_file.h"
#include "platform/window/private/screenshot_file.h"
#include "platform/window/screen_picture.h"

namespace {

// The virtual clock starts here, like a machine that has been up for a while, so that a wait whose
// end time wraps below its start ends at once as it does on Windows.
const uint32_t kVirtualClockStart = 10000000;
// A key or a button pressed by the reader stays down this long, longer than any step between two input
// tests.
const uint32_t kKeyHoldMs = 200;
const uint32_t kIdleStepMs = 24 * 60 * 60 * 1000;

// F12 belongs to the window, as in the real one: the engine sees neither its press nor its release.
bool isScreenshotKey(const ReaderAction& action) {
    bool keyAction =
        action.verb == ReaderVerb::Key || action.verb == ReaderVerb::Down || action.verb == ReaderVerb::Up;
    return keyAction && action.value == VK_F12;
}

}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem(std::vector<ReaderAction> actions, bool hasReader,
                                           std::string shotsFolder, uint32_t timeLimitMs, double waveGain)
    : actions_(std::move(actions)),
      hasReader_(hasReader),
      shotsFolder_(std::move(shotsFolder)),
      clock_(kVirtualClockStart),
      lastActionAt_(kVirtualClockStart),
      timeLimitMs_(timeLimitMs),
      nextActionAt_(kVirtualClockStart),
      sound_(clock_, waveGain) {}

bool HeadlessWindowSystem::openWindow(const char*) {
    return true;
}

void HeadlessWindowSystem::pumpEvents() {
    ++clock_;
    for (size_t i = 0; i < releases_.size();) {
        if (reached(releases_[i].at)) {
            post(releases_[i].message.message, releases_[i].message.wParam, releases_[i].message.lParam);
            releases_.erase(releases_.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    runDueActions();
    if (sound_.takeEnd()) post(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    if (timeLimitMs_ != 0 && !timeLimitHit_ && reached(lastActionAt_ + timeLimitMs_)) {
        timeLimitHit_ = true;
        std::fprintf(stderr, "reader: one hour of engine time has passed; closing the window\n");
        post(WM_CLOSE, 0, 0);
    }
}

void HeadlessWindowSystem::runDueActions() {
    while (next_ < actions_.size() && reached(nextActionAt_)) {
        perform(actions_[next_++]);
    }
    if (hasReader_ && next_ == actions_.size() && reached(nextActionAt_) && !closeSent_) {
        closeSent_ = true;
        post(WM_CLOSE, 0, 0);
    }
}

void HeadlessWindowSystem::perform(const ReaderAction& action) {
    lastActionAt_ = clock_;
    if (isScreenshotKey(action)) {
        if (action.verb != ReaderVerb::Up) takeScreenshot(screen_);
        return;
    }
    switch (action.verb) {
        case ReaderVerb::Wait:
            nextActionAt_ = clock_ + action.value;
            break;
        case ReaderVerb::Sleep:
            // Engine time stands still while the programs beside the player (a WebSocket client, a
            // voice) go on in real time.
            std::this_thread::sleep_for(std::chrono::milliseconds(action.value));
            break;
        case ReaderVerb::Move:
            postMouse(WM_MOUSEMOVE, action.x, action.y);
            break;
        case ReaderVerb::Click:
            postMouse(WM_MOUSEMOVE, action.x, action.y);
            postMouse(WM_LBUTTONDOWN, action.x, action.y);
            break;
        case ReaderVerb::RightClick:
            postMouse(WM_MOUSEMOVE, action.x, action.y);
            postMouse(WM_RBUTTONDOWN, action.x, action.y);
            break;
        case ReaderVerb::Key:
            press({WM_KEYDOWN, action.value, 0}, {WM_KEYUP, action.value, 0});
            break;
        case ReaderVerb::Down:
            post(WM_KEYDOWN, action.value, 0);
            break;
        case ReaderVerb::Up:
            post(WM_KEYUP, action.value, 0);
            break;
        case ReaderVerb::Pad:
            pressPad(static_cast<PadButton>(action.value));
            break;
        case ReaderVerb::Tap:
            touches_.fingerDown(0, action.x, action.y, clock_);
            touches_.fingerUp(0, clock_);
            break;
        case ReaderVerb::Wheel:
            post(WM_MOUSEWHEEL, action.value, 0);
            break;
        case ReaderVerb::Shot:
            writeShot(action.name);
            break;
        case ReaderVerb::Drop:
            keepDroppedPath(action.name);
            post(WM_DROPFILES, 0, 0);
            break;
        case ReaderVerb::Close:
            closeSent_ = true;
            post(WM_CLOSE, 0, 0);
            break;
    }
}

void HeadlessWindowSystem::post(uint32_t message, uint32_t wParam, uint32_t lParam) {
    queue_.push_back({message, wParam, lParam});
}

void HeadlessWindowSystem::postMouse(uint32_t message, int x, int y) {
    post(message, 0, pointParam(x, y));
}

void HeadlessWindowSystem::press(const WindowMessage& down, const WindowMessage& up) {
    post(down.message, down.wParam, down.lParam);
    if (up.message != 0) releases_.push_back({clock_ + kKeyHoldMs, up});
}

void HeadlessWindowSystem::pressPad(PadButton button) {
    padUsed_ = true;
    WindowMessage down = {}, up = {};
    padMessage(button, true, down);
    padMessage(button, false, up);
    press(down, up);
}

bool HeadlessWindowSystem::takeMessage(WindowMessage& out) {
    if (queue_.empty()) return false;
    out = queue_.front();
    queue_.pop_front();
    return true;
}

uint32_t HeadlessWindowSystem::nextEventTime() const {
    // Without a time limit nothing is due for a long time; the waits then take a day at a time.
    uint32_t next = timeLimitMs_ != 0 ? lastActionAt_ + timeLimitMs_ : clock_ + kIdleStepMs;
    auto earlier = [&next](uint32_t time) {
        if (static_cast<int32_t>(time - next) < 0) next = time;
    };
    if (hasReader_ && !closeSent_) earlier(nextActionAt_);
    for (const PendingRelease& release : releases_)
        earlier(release.at);
    uint32_t end = 0;
    if (sound_.nextEnd(end)) earlier(end);
    return next;
}

void HeadlessWindowSystem::idleUntil(uint32_t deadline) {
    uint32_t target = nextEventTime();
    if (static_cast<int32_t>(deadline - target) < 0) target = deadline;
    // The pump that follows moves the clock one more millisecond, onto the target itself.
    if (static_cast<int32_t>(target - 1 - clock_) > 0) clock_ = target - 1;
}

void HeadlessWindowSystem::idleForInput() {
    idleUntil(nextEventTime());
}

void HeadlessWindowSystem::showMessageBox(const char*, const char*) {
    // The shell has written the message to stderr already; there is no one to click OK.
}

void HeadlessWindowSystem::setTitle(const char* utf8Title) {
    traceEvent("window title %s", utf8Title);
}

void HeadlessWindowSystem::showNotice(const char* utf8Text) {
    traceEvent("notice %s", utf8Text);
}

void HeadlessWindowSystem::setModeMark(const char* utf8Text) {
    traceEvent("mark %s", utf8Text ? utf8Text : "none");
}

// On one line, its line ends written as \n.
void HeadlessWindowSystem::setClipboardText(const char* utf8Text) {
    std::string text;
    for (const char* at = utf8Text; *at; ++at)
        text += *at == '\n' ? std::string("\\n") : std::string(1, *at);
    traceEvent("clipboard %s", text.c_str());
}

void HeadlessWindowSystem::setFullScreen(bool fullScreen) {
    fullScreen_ = fullScreen;
    traceEvent("window %s", fullScreen ? "full screen" : "in a window");
}

void HeadlessWindowSystem::setScaling(ScaleFilter filter, bool integer) {
    static const char* const kNames[] = {"sharp", "nearest", "smooth"};
    traceEvent("scaling %s%s", kNames[static_cast<int>(filter)], integer ? ", whole multiples" : "");
}

void HeadlessWindowSystem::setVolumes(int music, int sound) {
    sound_.setGains(volumeGain(music), volumeGain(sound));
}

void HeadlessWindowSystem::writeShot(const std::string& name) {
    std::vector<uint8_t> rgb(kScreenWidth * kScreenHeight * 3);
    screenToRgb(screen_, rgb.data());
    std::string path = joinPath(shotsFolder_, name + ".png");
    std::string failed;
    if (!makeFolders(shotsFolder_, failed)) {
        std::fprintf(stderr, "reader: cannot make the folder %s\n", failed.c_str());
    } else if (!writePng(path.c_str(), rgb.data(), kScreenWidth, kScreenHeight)) {
        std::fprintf(stderr, "reader: cannot write %s\n", path.c_str());
    }
}
