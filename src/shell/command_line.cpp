#include "shell/command_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: zebora [--root DIR] [--window] [--headless] [--reader FILE] [--shots DIR]\n"
    "              [--trace FILE] [--soundfont FILE] [--music-volume N] [--sound-volume N] [--mute]\n"
    "              [--help] [--version]\n"
    "  --root DIR     the working folder (function.dat, system.bmp and the games); default: here\n"
    "  --window       show the picture in a window instead of the whole screen\n"
    "  --headless     no window and no sound; the engine runs on a virtual clock\n"
    "  --reader FILE  a reader acts from FILE, one action per line (with --headless)\n"
    "  --shots DIR    where the reader's shot action writes its pictures; default: here\n"
    "  --trace FILE   write a line for every sound the engine plays or stops, with its time\n"
    "  --soundfont FILE  the General MIDI sound font for the music (also ZEBORA_SOUNDFONT)\n"
    "  --music-volume N  the music's volume, 0 to 100 (percent of the full level); default: 100\n"
    "  --sound-volume N  the sounds' volume, 0 to 100; default: 100\n"
    "  --mute         no music and no sound, whatever the volumes\n"
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

// A whole number from 0 to kFullVolume, in digits.
bool parseVolume(const char* text, int& volume) {
    if (!*text) return false;
    int value = 0;
    for (const char* digit = text; *digit; ++digit) {
        if (*digit < '0' || *digit > '9') return false;
        value = value * 10 + (*digit - '0');
        if (value > kFullVolume) return false;
    }
    volume = value;
    return true;
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
    const char* soundFont = std::getenv("ZEBORA_SOUNDFONT");
    bool mute = false;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        bool hasValue = i + 1 < argc;
        bool musicVolume = std::strcmp(option, "--music-volume") == 0;
        if (std::strcmp(option, "--help") == 0) return CommandLineAction::ShowHelp;
        if (std::strcmp(option, "--version") == 0) return CommandLineAction::ShowVersion;
        if (std::strcmp(option, "--window") == 0) {
            out.platform.windowed = true;
        } else if (std::strcmp(option, "--mute") == 0) {
            mute = true;
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
        } else if (std::strcmp(option, "--soundfont") == 0 && hasValue) {
            soundFont = argv[++i];
        } else if ((musicVolume || std::strcmp(option, "--sound-volume") == 0) && hasValue) {
            int& volume = musicVolume ? out.platform.musicVolume : out.platform.soundVolume;
            if (!parseVolume(argv[++i], volume)) {
                std::fprintf(stderr, "zebora: %s takes a whole number from 0 to %d, not \"%s\"\n%s", option,
                             kFullVolume, argv[i], kUsage);
                return CommandLineAction::Refuse;
            }
        } else {
            std::fprintf(stderr, "zebora: cannot understand \"%s\"\n%s", option, kUsage);
            return CommandLineAction::Refuse;
        }
    }
    if (reader && !out.platform.headless) {
        std::fprintf(stderr, "zebora: --reader needs --headless\n%s", kUsage);
        return CommandLineAction::Refuse;
    }
    // Muting silences both whatever their volumes.
    if (mute) out.platform.musicVolume = out.platform.soundVolume = 0;
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
    if (soundFont && *soundFont) {
        out.soundFont = fromStartFolder(soundFont);
        out.platform.soundFont = out.soundFont.c_str();
    }
    return CommandLineAction::Run;
}
