// F12 in either window system.
#pragma once
#include "platform/window_system.h"

// The folder name of the game that starts, written in Shift-JIS or in UTF-8; null when it has ended.
void setScreenshotGame(const char* folderName);

// Writes the screen into the Zebora folder of the pictures folder as GAME-YYYYMMDD-HHMMSS.png, or
// with -2, -3 … when that name is taken, and traces "screenshot PATH". The first screenshot that
// cannot be written says why on stderr; the game goes on either way. False when it was not written.
bool takeScreenshot(const ScreenSource& screen);
