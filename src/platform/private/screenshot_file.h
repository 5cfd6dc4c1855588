// F12 in either window system.
#pragma once
#include "platform/window_system.h"

// Writes the screen into the Zebora folder of the pictures folder as GAME-YYYYMMDD-HHMMSS.png, or
// with -2, -3 … when that name is taken, and traces "screenshot PATH". The first screenshot that
// cannot be written says why on stderr; the game goes on either way.
void takeScreenshot(const ScreenSource& screen);
