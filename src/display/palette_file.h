// Colour tables read from bitmap files as palette files: 4-byte entries (blue, green, red, reserved)
// from byte 54, whatever the header says.
#pragma once

#include "display/display.h"

// Reads count entries into table (flag bytes 1); a byte past the end of the file reads as 255.
// False, with the table unchanged, when the file cannot be opened.
bool readColourTable(const char* fileName, PaletteEntry* table, int count);
