#include <cstdio>
#include <cstring>

#include "display/display.h"
#include "engine/shift_jis.h"
#include "platform/files/text_encoding.h"
#include "platform/process_exit.h"
#include "shell/shell.h"
#include "sound/midi_music.h"
#include "sound/wave_sound.h"

namespace {

const size_t kMessageBytes = 1024;

}  // namespace

// The sound is released first (the waves, then the music), then the platform goes down with its
// audio thread, before the process ends and its objects are destroyed.
void exitProgram() {
    g_sound.release();
    g_midi.release();
    shutDownPlatform();
    exitProcess(1);
}

void showMessage(const char* utf8Caption, const char* utf8Text) {
    std::fprintf(stderr, "%s: %s\n", utf8Caption, utf8Text);
    std::fflush(stderr);
    if (g_windowSystem) g_windowSystem->showMessageBox(utf8Caption, utf8Text);
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
    showMessage(caption, message);
    exitProgram();
}

void formatMessage(const char* format, const char* value, char* out, size_t outSize) {
    const char* slot = std::strstr(format, "%s");
    if (!slot) {
        std::snprintf(out, outSize, "%s", format);
        return;
    }
    size_t before = static_cast<size_t>(slot - format);
    const char* after = slot + 2;
    int room = static_cast<int>(outSize) - 1 - static_cast<int>(before + std::strlen(after));
    int kept = room > 0 ? sjisPrefixLength(value, room) : 0;
    std::snprintf(out, outSize, "%.*s%.*s%s", static_cast<int>(before), format, kept, value, after);
}

void fatalErrorWith(const char* format, const char* value) {
    formatMessage(format, value, g_errorText, sizeof g_errorText);
    fatalError(g_errorText);
}
