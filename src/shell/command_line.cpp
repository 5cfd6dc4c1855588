#include "shell/command_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/settings_file.h"

namespace {

const char kUsage[] =
    "usage: zebora [--root DIR] [--window | --fullscreen] [--headless] [--reader FILE] [--shots DIR]\n"
    "              [--trace FILE] [--transcript FILE] [--soundfont FILE] [--music-volume N]\n"
    "              [--sound-volume N] [--mute] [--help] [--version] [GAME]\n"
    "       zebora --check PATH\n"
    "  GAME           a game folder, or its .zeb script, to play at once; the program ends with it\n"
    "  --root DIR     the working folder (function.dat, system.bmp and the games); default: here\n"
    "                 when it holds function.dat, else the installed data\n"
    "  --window       show the picture in a window instead of the whole screen\n"
    "  --fullscreen   show the picture on the whole screen, whatever the settings file says\n"
    "  --headless     no window and no sound; the engine runs on a virtual clock\n"
    "  --reader FILE  a reader acts from FILE, one action per line (with --headless)\n"
    "  --shots DIR    where the reader's shot action writes its pictures (made if missing); default: here\n"
    "  --trace FILE   write a line for every sound, save, load and screenshot, with its time\n"
    "  --transcript FILE  write the text as it is shown, in UTF-8 (- for standard output)\n"
    "  --soundfont FILE  the General MIDI sound font for the music (also ZEBORA_SOUNDFONT)\n"
    "  --music-volume N  the music's volume, 0 to 100 (percent of the full level); default: 100\n"
    "  --sound-volume N  the sounds' volume, 0 to 100; default: 100\n"
    "  --mute         no music and no sound, whatever the volumes\n"
    "  -h, --help     print this text\n"
    "  -V, --version  print the player's version\n"
    "  --check PATH   report every problem of a game's script (PATH: its folder or its .zeb file)\n"
    "                 without playing, as file:line: message; status 0 when there is none\n"
    "Relative paths are taken from the folder the player was started in. Outside a working folder the\n"
    "player plays from its installed data and lists the games of $XDG_DATA_HOME/zebora/games too.\n"
    "Settings: $XDG_CONFIG_HOME/zebora/zebora.conf (or ~/.config/zebora/zebora.conf), lines of\n"
    "\"key = value\" for window, soundfont, music-volume, sound-volume and mute; options override it.\n";

const char kVersion[] = "zebora " ZEBORA_VERSION "\n";

std::string fromStartFolder(const char* path) {
    if (path[0] == '/') return path;
    char here[4096];
    if (!getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}

// The settings file first, then ZEBORA_SOUNDFONT, then the command line: the nearer to the run, the
// stronger. Muting silences both whatever their volumes.
void applySettings(const Settings& given, CommandLine& out) {
    Settings settings = readSettingsFile(settingsFilePath());
    const char* soundFont = std::getenv("ZEBORA_SOUNDFONT");
    if (soundFont && *soundFont) settings.soundFont = soundFont;
    settings.overrideWith(given);
    out.platform.windowed = settings.windowed.value_or(false);
    bool mute = settings.mute.value_or(false);
    out.platform.musicVolume = mute ? 0 : settings.musicVolume.value_or(kFullVolume);
    out.platform.soundVolume = mute ? 0 : settings.soundVolume.value_or(kFullVolume);
    // --soundfont "" asks for the default font, whatever the file says.
    if (settings.soundFont && !settings.soundFont->empty()) {
        out.soundFont = fromStartFolder(settings.soundFont->c_str());
        out.platform.soundFont = out.soundFont.c_str();
    }
    if (settings.transcript && !settings.transcript->empty()) {
        out.transcriptFile =
            *settings.transcript == "-" ? "-" : fromStartFolder(settings.transcript->c_str());
        out.platform.transcriptFile = out.transcriptFile.c_str();
    }
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
    Settings given;  // by the command line, over the settings file and the environment
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        bool hasValue = i + 1 < argc;
        bool musicVolume = std::strcmp(option, "--music-volume") == 0;
        if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0)
            return CommandLineAction::ShowHelp;
        if (std::strcmp(option, "--version") == 0 || std::strcmp(option, "-V") == 0)
            return CommandLineAction::ShowVersion;
        if (std::strcmp(option, "--check") == 0 && hasValue) {
            out.checkPath = argv[i + 1];
            return CommandLineAction::Check;
        }
        if (std::strcmp(option, "--window") == 0) {
            given.windowed = true;
        } else if (std::strcmp(option, "--fullscreen") == 0) {
            given.windowed = false;
        } else if (std::strcmp(option, "--mute") == 0) {
            given.mute = true;
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
            given.transcript = argv[++i];
        } else if (std::strcmp(option, "--soundfont") == 0 && hasValue) {
            given.soundFont = argv[++i];
        } else if ((musicVolume || std::strcmp(option, "--sound-volume") == 0) && hasValue) {
            int volume = 0;
            if (!parseVolume(argv[++i], volume)) {
                std::fprintf(stderr, "zebora: %s takes a whole number from 0 to %d, not \"%s\"\n%s", option,
                             kFullVolume, argv[i], kUsage);
                return CommandLineAction::Refuse;
            }
            (musicVolume ? given.musicVolume : given.soundVolume) = volume;
        } else if (option[0] != '-' && out.game.empty()) {
            out.game = option;
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
    applySettings(given, out);
    return CommandLineAction::Run;
}
