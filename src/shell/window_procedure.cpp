#include <cstring>

#include "shell/shell.h"
#include "sound/midi_music.h"

namespace {

uint32_t g_readerKeys[kReaderKeyQueue];
int g_readerKeyCount = 0;

// A full queue forgets its oldest press: keys held down repeat, and nobody may be taking them.
void queueReaderKey(uint32_t vk) {
    if (vk == VK_SPACE || vk == VK_CONTROL || vk == VK_PAUSE) return;
    if (g_readerKeyCount == kReaderKeyQueue) {
        std::memmove(g_readerKeys, g_readerKeys + 1, sizeof g_readerKeys - sizeof g_readerKeys[0]);
        --g_readerKeyCount;
    }
    g_readerKeys[g_readerKeyCount++] = vk;
}

}  // namespace

bool takeReaderKey(uint32_t& vk) {
    if (g_readerKeyCount == 0) return false;
    vk = g_readerKeys[0];
    std::memmove(g_readerKeys, g_readerKeys + 1,
                 sizeof g_readerKeys[0] * static_cast<size_t>(--g_readerKeyCount));
    return true;
}

void clearReaderKeys() {
    g_readerKeyCount = 0;
}

int32_t mainWindowProc(const WindowMessage& message) {
    switch (message.message) {
        case WM_CLOSE:
            quitProgram();
        case WM_MOUSEMOVE:
            g_mouseX = static_cast<int32_t>(message.lParam & 0xFFFF);
            g_mouseY = static_cast<int32_t>(message.lParam >> 16);
            return 1;
        case WM_KEYDOWN:
            if (message.wParam == VK_PAUSE) quitProgram();
            if (message.wParam < kKeyStates) g_keyDown[message.wParam] = 1;
            if (message.wParam == VK_CONTROL) g_ctrlUp = 0;
            queueReaderKey(message.wParam);
            return 1;
        case WM_KEYUP:
            // Space is a press the waits consume, not a state: they look at it only between their
            // steps (every 150 ms at a click wait), so a short tap must stay recorded until then.
            if (message.wParam < kKeyStates && message.wParam != VK_SPACE) g_keyDown[message.wParam] = 0;
            if (message.wParam == VK_CONTROL) g_ctrlUp = 1;
            return 1;
        case WM_LBUTTONDOWN:
            g_leftClicked = 1;
            g_padClicked = (message.wParam & kClickOfPad) != 0;
            return 1;
        case WM_RBUTTONDOWN:
            g_rightClicked = 1;
            return 1;
        case WM_MOUSEWHEEL:
            g_wheelTurns += static_cast<int16_t>(message.wParam >> 16) / WHEEL_DELTA;
            return 0;
        case MM_MCINOTIFY:
            if (message.wParam == MCI_NOTIFY_SUCCESSFUL) g_midi.onNotify(g_hWnd, 0);
            return 0;
        default:
            return 0;
    }
}
