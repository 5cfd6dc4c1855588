#include "engine/reading.h"

#include <algorithm>
#include <cstdio>

#include "engine/read_record.h"
#include "engine/script_engine.h"
#include "engine/settings_page.h"
#include "platform/headless/trace.h"
#include "shell/shell.h"

Reading g_reading;

namespace {

const uint32_t kTypingDelays[] = {60, 30, 10, 0};  // slow, normal (the engine's own), fast, instant
const uint32_t kAutoMsPerCharacter = 60;
const uint32_t kAutoKey = 'A';
const uint32_t kQuickSaveKey = VK_F1 + 4;  // F5
const uint32_t kQuickLoadKey = VK_F1 + 8;  // F9

// Return, Enter, Down and Page Down go on, as a left click does.
bool goesOn(uint32_t vk) {
    return vk == VK_RETURN || vk == VK_DOWN || vk == VK_NEXT;
}

bool reached(uint32_t time) {
    return static_cast<int32_t>(timeGetTime() - time) >= 0;
}

}  // namespace

void Reading::gameStarts() {
    setAuto(false, nullptr);
    setSkip(false, nullptr);
    typedSinceWait_ = 0;
    typedRuns_.clear();
    g_readRecord.open(readRecordPath(), g_engine.script, g_engine.length);
}

Reading::Typing Reading::typing(int32_t pos) {
    bool atOnce = false;
    if (g_leftClicked) setSkip(false, "the reader");
    for (uint32_t vk = 0; takeReaderKey(vk);) {
        if (goesOn(vk)) atOnce = true;
        if (vk == VK_ESCAPE) g_rightClicked = 1;  // as a right click while typing: a page wait's menu
        if (vk == kAutoKey) setAuto(!autoMode_, "A");
        if (vk == VK_TAB) setSkip(!skipMode_, "Tab");
    }
    if (skipMode_ && !settings.skipUnread && !g_readRecord.isRead(pos)) {
        setSkip(false, "unread text");
        if (!atOnce) return Typing::Slowly;
    }
    return atOnce || settings.speed == TextSpeed::Instant || skipMode_ ? Typing::AtOnce : Typing::AsBefore;
}

void Reading::typed(int32_t pos, int32_t bytes) {
    ++typedSinceWait_;
    if (!typedRuns_.empty() && typedRuns_.back().to == pos)
        typedRuns_.back().to = pos + bytes;
    else
        typedRuns_.push_back({pos, pos + bytes});
}

uint32_t Reading::typingDelayMs() const {
    return kTypingDelays[static_cast<int>(settings.speed)];
}

// What was pressed before the wait is dropped, as the clicks are, but for the modes' keys.
void Reading::waitBegins(bool choice) {
    for (uint32_t vk = 0; takeReaderKey(vk);) {
        if (vk == kAutoKey) setAuto(!autoMode_, "A");
        if (vk == VK_TAB) setSkip(!skipMode_, "Tab");
    }
    // The text is read now, however fast it went by; it was read before if every character was.
    textWasRead_ = settings.skipUnread ||
                   std::all_of(typedRuns_.begin(), typedRuns_.end(),
                               [](const Run& run) { return g_readRecord.isRead(run.from, run.to); });
    for (const Run& run : typedRuns_)
        g_readRecord.markRead(run.from, run.to);
    typedRuns_.clear();
    if (!g_readRecord.save() && !recordFailureSaid_) {
        recordFailureSaid_ = true;
        std::fprintf(stderr, "zebora: cannot keep the record of what was read in %s\n",
                     readRecordPath().c_str());
    }
    autoAt_ = timeGetTime() + settings.autoDelayMs + kAutoMsPerCharacter * typedSinceWait_;
    typedSinceWait_ = 0;
    if (choice) menuOpens();
}

WaitTurn Reading::duringWait(int8_t waitKind) {
    for (uint32_t vk = 0; takeReaderKey(vk);) {
        WaitTurn turn = takeWaitKey(vk, waitKind);
        if (turn != WaitTurn::Stay) return turn;
    }
    if (g_leftClicked || g_rightClicked || g_keyDown[VK_SPACE] || g_wheelTurns) {
        setAuto(false, "the reader");
        setSkip(false, "the reader");
    }
    if (skipMode_ && textWasRead_) {
        traceEvent("skip goes on");
        return WaitTurn::GoOn;
    }
    if (autoMode_ && reached(autoAt_)) {
        traceEvent("auto goes on");
        return WaitTurn::GoOn;
    }
    return WaitTurn::Stay;
}

WaitTurn Reading::takeWaitKey(uint32_t vk, int8_t waitKind) {
    if (goesOn(vk)) {
        setAuto(false, "the reader");
        setSkip(false, "the reader");
        return WaitTurn::GoOn;
    }
    if (vk == VK_ESCAPE) g_rightClicked = 1;
    if ((vk == VK_UP || vk == VK_PRIOR) && waitKind != ACTION_CHOICE) ++g_wheelTurns;
    return otherKey(vk, waitKind);
}

WaitTurn Reading::otherKey(uint32_t vk, int8_t waitKind) {
    if (vk == kAutoKey) setAuto(!autoMode_, "A");
    if (vk == VK_TAB) setSkip(!skipMode_, "Tab");
    if (vk == kQuickSaveKey) {
        bool saved = g_engine.quickSave(waitKind);
        g_windowSystem->showNotice(saved ? "クイックセーブしました" : "クイックセーブできませんでした");
    }
    if (vk == kQuickLoadKey) return quickLoad();
    if (vk == kSettingsKey) {
        runSettingsPage();
        return WaitTurn::Reshown;
    }
    return WaitTurn::Stay;
}

WaitTurn Reading::quickLoad() {
    if (!g_engine.quickLoad()) {
        g_windowSystem->showNotice("クイックセーブがありません");
        return WaitTurn::Stay;
    }
    g_windowSystem->showNotice("クイックロードしました");
    return WaitTurn::Replaced;
}

uint32_t Reading::blinkStep(uint32_t blinkMs) const {
    if (!autoMode_) return blinkMs;
    int32_t left = static_cast<int32_t>(autoAt_ - timeGetTime());
    return std::min<uint32_t>(blinkMs, left > 0 ? static_cast<uint32_t>(left) : 0);
}

void Reading::menuOpens() {
    setAuto(false, "a menu");
    setSkip(false, "a menu");
}

void Reading::setAuto(bool on, const char* why) {
    if (on == autoMode_) return;
    autoMode_ = on;
    if (why) traceEvent("auto %s (%s)", on ? "on" : "off", why);
    showMark();
}

void Reading::setSkip(bool on, const char* why) {
    if (on == skipMode_) return;
    skipMode_ = on;
    g_fastForward = on;
    if (why) traceEvent("skip %s (%s)", on ? "on" : "off", why);
    showMark();
}

void Reading::showMark() const {
    if (!g_windowSystem) return;
    g_windowSystem->setModeMark(skipMode_ && autoMode_ ? "AUTO SKIP"
                                : skipMode_            ? "SKIP"
                                : autoMode_            ? "AUTO"
                                                       : nullptr);
}
