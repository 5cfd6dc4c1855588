#include "commands/command_check.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/palette_file.h"
#include "display/transition_effects.h"
#include "engine/command_args.h"
#include "platform/files/text_encoding.h"
#include "platform/formats/bitmap_file.h"
#include "shell/shell.h"

namespace {

const int kKeyColourEntries = 2;
const int32_t kLowByte = 0xFF;

bool sameColour(const BitmapRgb& pixel, const PaletteEntry& key) {
    return pixel.red == key.red && pixel.green == key.green && pixel.blue == key.blue;
}

// Whether a pixel of the rectangle width × height from the picture's top-left corner has the colour:
// a picture's colours land on the palette entry of the same colour, so these are the pixels that the
// colour key leaves out.
bool hasPixelOf(const DecodedBitmap& picture, int32_t width, int32_t height, const PaletteEntry& colour) {
    int32_t columns = std::min(width, picture.width), rows = std::min(height, picture.height);
    for (int32_t y = 0; y < rows; ++y) {
        size_t row = static_cast<size_t>(y) * picture.width;
        for (int32_t x = 0; x < columns; ++x) {
            size_t at = row + x;
            if (!picture.indexed() && sameColour(picture.pixels[at], colour)) return true;
            if (picture.indexed() && picture.indices[at] < picture.colours.size() &&
                sameColour(picture.colours[picture.indices[at]], colour))
                return true;
        }
    }
    return false;
}

}  // namespace

bool CommandCheck::problemWith(const char* sjisFormat, const char* value) {
    char message[kErrorTextBytes];  // as long as the engine's own
    formatMessage(sjisFormat, value, message, sizeof message);
    return problem(message);
}

void CommandCheck::transition(int32_t effect, bool noneAllowed) {
    if (isTransition(effect) || (noneAllowed && effect == kNoTransition)) return;
    problem(sjis(kTransitionRangeMessage));
}

void CommandCheck::background(const char* file) {
    DecodedBitmap picture;
    if (!readBitmapFile(file, picture)) {
        problemWith(sjis(kMissingBitmapMessage), file);
    } else if (keyKnown_ && hasPixelOf(picture, kSlotWidth, kSlotHeight, key_)) {
        warnWith(sjis("[%s]背景の絵に透明色の点があり、そこには前の画面が残ります"), file);
    }
}

void CommandCheck::overlay(const char* file, int32_t width, int32_t height) {
    DecodedBitmap picture;
    if (!readBitmapFile(file, picture)) {
        problemWith(sjis(kMissingBitmapMessage), file);
    } else if (keyKnown_ && width > 0 && height > 0 && !hasPixelOf(picture, width, height, key_)) {
        warnWith(sjis("[%s]透明色の点がないので、下の絵が透けて見えません"), file);
    }
}

void CommandCheck::keyColour(const char* file) {
    PaletteEntry colours[kKeyColourEntries];
    if (!readColourTable(file, colours, kKeyColourEntries))
        problem(sjis(kUnreadableKeyColourMessage));
    else
        takeKey(colours[kTransparentEntry]);
}

void CommandCheck::paletteKey(const PaletteEntry& entry) {
    takeKey(entry);
}

void CommandCheck::fixKey(int32_t red, int32_t green, int32_t blue) {
    keyFixed_ = red != -1 || green != -1 || blue != -1;
    if (!keyFixed_) return;
    key_ = {static_cast<uint8_t>(red & kLowByte), static_cast<uint8_t>(green & kLowByte),
            static_cast<uint8_t>(blue & kLowByte), 1};
    keyKnown_ = true;
}

void CommandCheck::takeKey(const PaletteEntry& entry) {
    if (keyFixed_) return;
    key_ = entry;
    keyKnown_ = true;
}

// The file's name in place of the warning's %s, then the colour the key has there.
void CommandCheck::warnWith(const char* sjisFormat, const char* file) {
    char message[kErrorTextBytes * 2];  // the note after a message as long as the engine's own
    formatMessage(sjisFormat, file, message, kErrorTextBytes);
    size_t length = std::strlen(message);
    std::snprintf(message + length, sizeof message - length, sjis("（透明色はパレット1番の %d,%d,%d）"),
                  key_.red, key_.green, key_.blue);
    warning(message);
}
