// The window messages the shell's window procedure knows, as the platform posts them: their numbers,
// and the virtual-key codes of the keys.
#pragma once
#include <cstdint>

struct WindowMessage {
    uint32_t message;
    uint32_t wParam;
    uint32_t lParam;
};

// Window message numbers the shell's window procedure knows.
enum : uint32_t {
    WM_DESTROY = 2,
    WM_CLOSE = 16,
    WM_QUIT = 18,
    WM_KEYDOWN = 256,
    WM_KEYUP = 257,
    WM_MOUSEMOVE = 512,
    WM_LBUTTONDOWN = 513,
    WM_RBUTTONDOWN = 516,
    WM_MOUSEWHEEL = 522,
    WM_DROPFILES = 563,
    MM_MCINOTIFY = 953,
};

enum : uint32_t { MCI_NOTIFY_SUCCESSFUL = 1 };

// The lParam of a mouse message: the point, x in the low word and y in the high.
inline uint32_t pointParam(int x, int y) {
    return static_cast<uint32_t>(x & 0xFFFF) | static_cast<uint32_t>(y & 0xFFFF) << 16;
}

// The wParam of a left button press that the game controller's A button made. It has no place of its
// own (lParam 0): a menu takes it for its highlighted line, as it takes Return.
const uint32_t kClickOfPad = 0x10000;

// A wheel message carries its turn in the high word of wParam, signed, in steps of this much a notch:
// positive away from the reader (up), negative towards (down).
const int32_t WHEEL_DELTA = 120;
inline uint32_t wheelParam(int32_t notches) {
    return static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(notches * WHEEL_DELTA))) << 16;
}

// Windows virtual-key codes.
enum : uint32_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,  // Page Up
    VK_NEXT = 34,   // Page Down
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F1 = 112,
    VK_F12 = 123,
};
