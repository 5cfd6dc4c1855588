// text, textcolor, textend and settrans: the message font, the text's own colours, and the colour of
// the colour key.
#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "display/display.h"
#include "display/palette_fader.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"
#include "shell/shell.h"

namespace {

const char* const kFaces[] = {
    nullptr,         "ＭＳ Ｐ明朝",     "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック",
    "Comic Sans MS", "Times New Roman", "Impact",    "Webdings",        "WingDings",
};

}  // namespace

// 0 in the first, second or fourth place keeps the current value; the width is always taken. A height
// or width beyond the largest font drawn is held at it, which draws the same, keeps the layout's sums
// small and keeps bookmarks within what loading accepts.
void ScriptEngine::cmdText() {
    TextArgs given;
    if (const char* error = readTextArgs(args, given)) fatalError(error);
    if (given.face != 0) std::strcpy(fontFace, sjis(kFaces[given.face]));
    if (given.height != 0) fontHeight = drawableFontSize(given.height);
    fontWidth = drawableFontSize(given.width);
    if (given.weight != 0) fontWeight = given.weight;
}

void ScriptEngine::cmdTextColor() {
    TextColorArgs given;
    if (const char* error = readTextColorArgs(args, given)) fatalError(error);
    int32_t entry = given.entry;
    if (entry != kWhiteEntry) {
        PaletteEntry& colour = g_basePalette[entry];
        colour.red = static_cast<uint8_t>(given.red);
        colour.green = static_cast<uint8_t>(given.green);
        colour.blue = static_cast<uint8_t>(given.blue);
        g_shownPalette[entry] = colour;
        g_display.sendPaletteEntry(entry, colour);
        g_fadeLocked[entry] = 1;
    }
    textColor = entry;
}

// A number outside the lock table locks nothing, so there is nothing to release.
void ScriptEngine::cmdTextEnd() {
    EntryArgs given;
    if (const char* error = readTextEndArgs(args, given)) fatalError(error);
    if (given.entry >= 0 && given.entry < kPaletteEntries) g_fadeLocked[given.entry] = 0;
}

void ScriptEngine::cmdSetTrans() {
    ColourArgs given;
    if (const char* error = readSetTransArgs(args, given)) fatalError(error);
    int32_t red = given.red, green = given.green, blue = given.blue;
    if (red == -1 && green == -1 && blue == -1) {
        transparentSet = 0;
        return;
    }
    PaletteEntry& key = g_basePalette[kTransparentEntry];
    key.red = static_cast<uint8_t>(red & 0xFF);
    key.green = static_cast<uint8_t>(green & 0xFF);
    key.blue = static_cast<uint8_t>(blue & 0xFF);
    g_shownPalette[kTransparentEntry] = key;
    transparentSet = 1;
    g_fader.applyBrightness(kTransparentEntry, kGreyEntry, dimLevel);
}

void checkSetTrans(const char* args, CommandCheck& check) {
    ColourArgs given;
    if (!check.problem(readSetTransArgs(args, given))) check.fixKey(given.red, given.green, given.blue);
}
