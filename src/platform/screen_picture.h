// Slot 0 seen through the device palette, as the reader sees it.
#pragma once
#include <cstdint>

#include "platform/window_system.h"

const int kScreenWidth = 640;
const int kScreenHeight = 480;

// Writes the screen as 3 bytes a pixel (red, green, blue); black where there is no screen yet.
void screenToRgb(const ScreenSource& source, uint8_t* rgb);
