#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "display/display.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

const size_t kMessageBytes = 1024;

}  // namespace

void quitProgram() {
    g_display.close();
    std::exit(1);
}

void fatalError(const char* text) {
    g_display.close();
    char caption[kMessageBytes], message[kMessageBytes];
    sjisToUtf8(sjis("エラーが発生したらしい(^^;"), caption, sizeof caption);
    sjisToUtf8(text, message, sizeof message);
    std::fprintf(stderr, "%s: %s\n", caption, message);
    std::fflush(stderr);
    if (g_windowSystem) g_windowSystem->showMessageBox(caption, message);
    std::exit(1);
}

void fatalErrorf(const char* format, ...) {
    va_list values;
    va_start(values, format);
    std::vsnprintf(g_errorText, sizeof g_errorText, format, values);
    va_end(values);
    fatalError(g_errorText);
}
