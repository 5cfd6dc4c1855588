#include "shell/command_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: zebora [--root DIR] [--window] [--headless] [--reader FILE] [--shots DIR]\n"
    "              [--trace FILE] [--transcript FILE] [--soundfont FILE] [--help] [--version]\n"
    "  --root DIR     the working folder (function.dat, system.bmp and the games); default: here\n"
    "  --window       show the picture in a window instead of the whole screen\n"
    "  --headless     no window and no sound; the engine runs on a virtual clock\n"
    "  --reader FILE  a reader acts from FILE, one action per line (with --headless)\n"
    "  --shots DIR    where the reader's shot action writes its pictures; default: here\n"
    "  --trace FILE   write a line for every sound, save, load and screenshot, with its time\n"
    "  --transcript FILE  write the text as it is shown, in UTF-8 (- for standard output)\n"
    "  --soundfont FILE  the General MIDI sound font for the music (also ZEBORA_SOUNDFONT)\n"
    "  --help         print this text\n"
    "  --version      print the player's version\n"
    "Relative paths are taken from the folder the player was started in.\n";

const char kVersion[] = "zebora " ZEBORA_VERSION "\n";

std::string fromStartFolder(const char* path) {
    if (path[0] == '/') return path;
    char here[4096];
    if (!getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}

}  // namespace

const char* usageText() {
    return kUsage;
}

const char* versionText() {
    return kVersion;
}

CommandLineAction parseCommandLine(int argc, char** argv, CommandLine& out) {
    const char* reader = nullptr;
    const char* shots = ".";
    const char* trace = nullptr;
    const char* transcript = nullptr;
    const char* soundFont = std::getenv("ZEBORA_SOUNDFONT");
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        bool hasValue = i + 1 < argc;
        if (std::strcmp(option, "--help") == 0) return CommandLineAction::ShowHelp;
        if (std::strcmp(option, "--version") == 0) return CommandLineAction::ShowVersion;
        if (std::strcmp(option, "--window") == 0) {
            out.platform.windowed = true;
        } else if (std::strcmp(option, "--headless") == 0) {
            out.platform.headless = true;
        } else if (std::strcmp(option, "--root") == 0 && hasValue) {
            out.root = argv[++i];
        } else if (std::strcmp(option, "--reader") == 0 && hasValue) {
            reader = argv[++i];
        } else if (std::strcmp(option, "--shots") == 0 && hasValue) {
            shots = argv[++i];
        } else if (std::strcmp(option, "--trace") == 0 && hasValue) {
            trace = argv[++i];
        } else if (std::strcmp(option, "--transcript") == 0 && hasValue) {
            transcript = argv[++i];
        } else if (std::strcmp(option, "--soundfont") == 0 && hasValue) {
            soundFont = argv[++i];
        } else {
            std::fprintf(stderr, "zebora: cannot understand \"%s\"\n%s", option, kUsage);
            return CommandLineAction::Refuse;
        }
    }
    if (reader && !out.platform.headless) {
        std::fprintf(stderr, "zebora: --reader needs --headless\n%s", kUsage);
        return CommandLineAction::Refuse;
    }
    if (reader) {
        out.readerFile = fromStartFolder(reader);
        out.platform.readerFile = out.readerFile.c_str();
    }
    out.shotsFolder = fromStartFolder(shots);
    out.platform.shotsFolder = out.shotsFolder.c_str();
    if (trace) {
        out.traceFile = fromStartFolder(trace);
        out.platform.traceFile = out.traceFile.c_str();
    }
    if (transcript) {
        out.transcriptFile = std::strcmp(transcript, "-") == 0 ? "-" : fromStartFolder(transcript);
        out.platform.transcriptFile = out.transcriptFile.c_str();
    }
    if (soundFont && *soundFont) {
        out.soundFont = fromStartFolder(soundFont);
        out.platform.soundFont = out.soundFont.c_str();
    }
    return CommandLineAction::Run;
}
