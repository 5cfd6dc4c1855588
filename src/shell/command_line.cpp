#include "shell/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: zebora [--root DIR] [--window] [--headless] [--reader FILE] [--shots DIR]\n"
    "  --root DIR     the working folder (function.dat, system.bmp and the games); default: here\n"
    "  --window       show the picture in a window instead of the whole screen\n"
    "  --headless     no window and no sound; the engine runs on a virtual clock\n"
    "  --reader FILE  a reader acts from FILE, one action per line (with --headless)\n"
    "  --shots DIR    where the reader's shot action writes its pictures; default: here\n";

}  // namespace

bool parseCommandLine(int argc, char** argv, CommandLine& out) {
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        bool hasValue = i + 1 < argc;
        if (std::strcmp(option, "--window") == 0) {
            out.platform.windowed = true;
        } else if (std::strcmp(option, "--headless") == 0) {
            out.platform.headless = true;
        } else if (std::strcmp(option, "--root") == 0 && hasValue) {
            out.root = argv[++i];
        } else if (std::strcmp(option, "--reader") == 0 && hasValue) {
            out.platform.readerFile = argv[++i];
        } else if (std::strcmp(option, "--shots") == 0 && hasValue) {
            out.platform.shotsFolder = argv[++i];
        } else {
            std::fprintf(stderr, "zebora: cannot understand \"%s\"\n%s", option, kUsage);
            return false;
        }
    }
    if (out.platform.readerFile && !out.platform.headless) {
        std::fprintf(stderr, "zebora: --reader needs --headless\n%s", kUsage);
        return false;
    }
    return true;
}
