#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "engine/shift_jis.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

const size_t kMessageBytes = 1024;

}  // namespace

// The platform goes down before the process ends: the exit clean-up of the sound releases what the
// audio thread plays, so that thread must have stopped first.
void exitProgram() {
    shutDownPlatform();
    std::exit(1);
}

void quitProgram() {
    g_display.close();
    exitProgram();
}

void fatalError(const char* text) {
    g_display.close();
    char caption[kMessageBytes], message[kMessageBytes];
    sjisToUtf8(sjis("エラーが発生したらしい(^^;"), caption, sizeof caption);
    sjisToUtf8(text, message, sizeof message);
    std::fprintf(stderr, "%s: %s\n", caption, message);
    std::fflush(stderr);
    if (g_windowSystem) g_windowSystem->showMessageBox(caption, message);
    exitProgram();
}

void fatalErrorWith(const char* format, const char* value) {
    const char* slot = std::strstr(format, "%s");
    if (!slot) fatalError(format);
    size_t before = static_cast<size_t>(slot - format);
    const char* after = slot + 2;
    int room = static_cast<int>(sizeof g_errorText) - 1 - static_cast<int>(before + std::strlen(after));
    int kept = room > 0 ? sjisPrefixLength(value, room) : 0;
    std::snprintf(g_errorText, sizeof g_errorText, "%.*s%.*s%s", static_cast<int>(before), format, kept,
                  value, after);
    fatalError(g_errorText);
}
