#include "shell/shell.h"

#include "platform/textout/text_stream.h"

uint32_t timeGetTime() {
    return g_windowSystem->milliseconds();
}

uint32_t getTickCount() {
    return g_windowSystem->milliseconds();
}

bool pumpMessages() {
    g_windowSystem->pumpEvents();
    WindowMessage message;
    while (g_windowSystem->takeMessage(message)) {
        if (message.message == WM_QUIT) return false;
        mainWindowProc(message);
    }
    return true;
}

namespace {

// The quit message ends the process at once, without closing the display.
void pumpOrExit() {
    if (!pumpMessages()) exitProgram();
}

// Pumps until the clock reaches start + ms (an unsigned comparison, so an end time that wraps below
// the start ends the wait at once) or while Ctrl is held; always pumps at least once.
void waitUntil(uint32_t start, uint32_t ms) {
    uint32_t end = start + ms;
    for (;;) {
        pumpOrExit();
        if (timeGetTime() >= end || g_ctrlUp == 0 || g_fastForward) return;
        g_windowSystem->idleUntil(end);
    }
}

}  // namespace

void markTime() {
    g_markTime = timeGetTime();
}

void waitSinceMark(uint32_t ms) {
    waitUntil(g_markTime, ms);
}

void sleepMs(uint32_t ms) {
    waitUntil(getTickCount(), ms);
}

void idleUntilInput() {
    g_windowSystem->idleForInput();
}

void waitForClick() {
    streamWait();
    g_leftClicked = 0;
    for (;;) {
        pumpOrExit();
        if (g_leftClicked) break;
        idleUntilInput();
    }
    g_leftClicked = 0;
}
