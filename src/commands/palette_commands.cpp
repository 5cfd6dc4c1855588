// plload and plloadf: colours from the colour table of a bitmap file into the palette.
#include <cstdio>

#include "commands/command_rows.h"
#include "display/display.h"
#include "display/palette_fader.h"
#include "display/palette_file.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

// Replaces every colour but the reserved ones (and the colour key while settrans holds it) and shows
// the new palette at full brightness.
void ScriptEngine::cmdPlLoad() {
    FileArgs given;
    if (const char* error = readPlLoadArgs(args, given)) fatalError(error);
    if (!readColourTable(given.file, g_filePalette, kPaletteEntries)) {
        fatalError(sjis(kMissingPaletteMessage));
    }
    for (int i = 0; i < kPaletteEntries; ++i) {
        if (isReservedEntry(i) || (i == kTransparentEntry && transparentSet == 1)) continue;
        g_shownPalette[i] = g_basePalette[i] = g_filePalette[i];
    }
    g_display.sendPalette(g_basePalette);
    dimLevel = 0;
}

// Copies value entries of the file's table from entry bs on into the palette from entry ns on, at
// the current brightness; the reserved entries and the colour key are never replaced.
void ScriptEngine::cmdPlLoadF() {
    PaletteCopyArgs given;
    if (const char* error = readPlLoadFArgs(args, given)) fatalError(error);
    if (!readColourTable(given.file, g_filePalette, kPaletteEntries))
        fatalError(sjis(kUnreadablePaletteMessage));
    if (const char* error = checkPlLoadFRange(given)) fatalError(error);
    int32_t count = given.count, destination = given.destination;
    for (int64_t i = 0; i < count; ++i) {
        int64_t d = static_cast<int64_t>(destination) + i, s = static_cast<int64_t>(given.source) + i;
        if (isReservedEntry(d) || d == kTransparentEntry) continue;
        g_basePalette[d] = g_filePalette[s];
    }
    int64_t last = static_cast<int64_t>(destination) + count - 1;
    g_fader.applyBrightness(destination, static_cast<int>(last > kWhiteEntry ? kWhiteEntry : last), dimLevel);
}

void checkPlLoad(const char* args, CommandCheck& check) {
    FileArgs given;
    PaletteEntry table[kPaletteEntries];
    if (check.problem(readPlLoadArgs(args, given))) return;
    if (!readColourTable(given.file, table, kPaletteEntries))
        check.problem(sjis(kMissingPaletteMessage));
    else
        check.paletteKey(table[kTransparentEntry]);
}

void checkPlLoadF(const char* args, CommandCheck& check) {
    PaletteCopyArgs given;
    PaletteEntry table[kPaletteEntries];
    if (check.problem(readPlLoadFArgs(args, given))) return;
    if (!readColourTable(given.file, table, kPaletteEntries)) check.problem(sjis(kUnreadablePaletteMessage));
    check.problem(checkPlLoadFRange(given));
}
