#include "shell/command_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/options.h"
#include "shell/settings_file.h"

namespace {

const char kVersion[] = "zebora " ZEBORA_VERSION "\n";

std::string fromStartFolder(const char* path) {
    if (path[0] == '/') return path;
    char here[4096];
    if (!getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}

void applyTextOutputs(const Settings& settings, CommandLine& out) {
    out.platform.textOutputs = static_cast<unsigned>(settings.textOut.value_or(0));
    out.platform.textOutPort = settings.textOutPort.value_or(kDefaultTextOutPort);
    // --speak "" asks for no voice, whatever the file says.
    if (settings.speak && !settings.speak->empty()) {
        out.speakCommand = *settings.speak;
        out.platform.speakCommand = out.speakCommand.c_str();
    }
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
    out.choices = {settings.musicVolume.value_or(kFullVolume), settings.soundVolume.value_or(kFullVolume),
                   mute, static_cast<ScaleFilter>(settings.filter.value_or(0)),
                   settings.integerScale.value_or(false)};
    out.platform.scale = settings.scale.value_or(0);
    out.platform.filter =
        static_cast<ScaleFilter>(settings.filter.value_or(static_cast<int>(ScaleFilter::Sharp)));
    out.platform.integerScale = settings.integerScale.value_or(false);
    out.reading.speed =
        static_cast<TextSpeed>(settings.textSpeed.value_or(static_cast<int>(TextSpeed::Normal)));
    out.reading.autoDelayMs =
        static_cast<uint32_t>(settings.autoDelayMs.value_or(static_cast<int>(out.reading.autoDelayMs)));
    out.reading.skipUnread = settings.skipUnread.value_or(false);
    applyTextOutputs(settings, out);
    if (settings.transcript && !settings.transcript->empty()) {
        out.transcriptFile =
            *settings.transcript == "-" ? "-" : fromStartFolder(settings.transcript->c_str());
        out.platform.transcriptFile = out.transcriptFile.c_str();
    }
}

CommandLineAction refuse(const std::string& why) {
    std::fprintf(stderr, "zebora: %s\n%s", why.c_str(), usageText());
    return CommandLineAction::Refuse;
}

}  // namespace

const char* versionText() {
    return kVersion;
}

CommandLineAction parseCommandLine(int argc, char** argv, CommandLine& out) {
    const char* reader = nullptr;
    const char* shots = ".";
    const char* trace = nullptr;
    bool help = false, version = false;
    Settings given;  // by the command line, over the settings file and the environment
    for (int i = 1; i < argc; ++i) {
        const OptionRow* row = optionNamed(argv[i]);
        if (!row && argv[i][0] != '-' && out.game.empty()) {
            out.game = argv[i];
            continue;
        }
        if (!row) return refuse(std::string("cannot understand \"") + argv[i] + "\"");
        const char* value = nullptr;
        if (row->valueName) {
            if (i + 1 == argc) return refuse(std::string(row->name) + " needs " + row->valueName);
            value = argv[++i];
        }
        int number = 1;
        if (value && !readOptionValue(*row, value, number)) {
            return refuse(std::string(row->name) + " takes " + expectedValue(*row) + ", not \"" + value +
                          "\"");
        }
        if (row->settingsKey || row->id == OptionId::FullScreen) {
            takeSetting(*row, value ? value : "", number, given);
            continue;
        }
        switch (row->id) {
            case OptionId::Root:
                out.root = value;
                break;
            case OptionId::Headless:
                out.platform.headless = true;
                break;
            case OptionId::Reader:
                reader = value;
                break;
            case OptionId::Shots:
                shots = value;
                break;
            case OptionId::Trace:
                trace = value;
                break;
            case OptionId::Help:
                help = true;
                break;
            case OptionId::Version:
                version = true;
                break;
            case OptionId::Check:
                out.checkPath = value;
                break;
            default:
                break;
        }
    }
    if (help) return CommandLineAction::ShowHelp;
    if (version) return CommandLineAction::ShowVersion;
    if (out.checkPath) return CommandLineAction::Check;
    if (reader && !out.platform.headless) return refuse("--reader needs --headless");
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
