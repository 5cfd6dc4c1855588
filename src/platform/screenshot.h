// Screenshots: F12 writes the picture the reader sees as a PNG into the desktop's pictures folder,
// named after the game and the time. The window takes them, so the engine never sees the key; it
// only says which game runs.
#pragma once

// The folder name of the game that starts, written in Shift-JIS or in UTF-8; null when it has ended.
void setScreenshotGame(const char* folderName);
