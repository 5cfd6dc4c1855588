#pragma once
#include <cstdint>

#include "engine/script_engine.h"
#include "shell/shell.h"

// Whether the pointer lies in the rectangle, edges included.
inline bool pointerIn(const MenuRect& rect) {
    return g_mouseX >= rect.left && g_mouseX <= rect.right && g_mouseY >= rect.top && g_mouseY <= rect.bottom;
}
