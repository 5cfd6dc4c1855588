#include "platform/window/pad_buttons.h"

namespace {

// A: the left click, which in a menu picks the highlighted line; B: the right click; X: Space;
// Y: F1; the pad's arrows: the arrow keys; the left shoulder: Tab (skip); the right shoulder, held:
// Ctrl; Start: Escape (the system menu); Back: the A key (auto).
struct PadRow {
    const char* name;
    uint32_t pressed;
    uint32_t released;  // 0 for none
    uint32_t wParam;
};

const PadRow kPadRows[] = {
    {"a", WM_LBUTTONDOWN, 0, kClickOfPad},      {"b", WM_RBUTTONDOWN, 0, 0},
    {"x", WM_KEYDOWN, WM_KEYUP, VK_SPACE},      {"y", WM_KEYDOWN, WM_KEYUP, VK_F1},
    {"up", WM_KEYDOWN, WM_KEYUP, VK_UP},        {"down", WM_KEYDOWN, WM_KEYUP, VK_DOWN},
    {"left", WM_KEYDOWN, WM_KEYUP, VK_LEFT},    {"right", WM_KEYDOWN, WM_KEYUP, VK_RIGHT},
    {"lb", WM_KEYDOWN, WM_KEYUP, VK_TAB},       {"rb", WM_KEYDOWN, WM_KEYUP, VK_CONTROL},
    {"start", WM_KEYDOWN, WM_KEYUP, VK_ESCAPE}, {"back", WM_KEYDOWN, WM_KEYUP, 'A'},
};

}  // namespace

bool padMessage(PadButton button, bool pressed, WindowMessage& out) {
    const PadRow& row = kPadRows[static_cast<int>(button)];
    uint32_t message = pressed ? row.pressed : row.released;
    if (message == 0) return false;
    out = {message, row.wParam, 0};
    return true;
}

bool padButtonNamed(const std::string& name, PadButton& out) {
    for (const PadRow& row : kPadRows) {
        if (name != row.name) continue;
        out = static_cast<PadButton>(&row - kPadRows);
        return true;
    }
    return false;
}
