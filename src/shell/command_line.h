#pragma once
#include <string>

#include "engine/reading.h"
#include "engine/settings_page.h"
#include "platform/window_system.h"

struct CommandLine {
    PlatformOptions platform;
    const char* root = nullptr;
    // The game to play at once, as given: found from the folder the player was started in.
    std::string game;
    // The reader file and the shots folder as absolute paths: the player enters the working folder
    // before it opens them, but the reader named them from the folder the player was started in.
    std::string readerFile;
    std::string shotsFolder;
    std::string traceFile;
    std::string transcriptFile;
    std::string soundFont;
    std::string speakCommand;
    ReadingSettings reading;
    ReaderChoices choices;
    // With CommandLineAction::Check: the game folder or script to check.
    const char* checkPath = nullptr;
};

enum class CommandLineAction { Run, ShowHelp, ShowVersion, Check, Refuse };

// Reads the options, and for a run the settings file (settings_file.h) and ZEBORA_SOUNDFONT under them.
// Refuse comes with a usage message on stderr; the relative paths are resolved against the current
// folder, so call this before entering the working folder.
CommandLineAction parseCommandLine(int argc, char** argv, CommandLine& out);
// The text of --version, for stdout; --help's is usageText() of options.h.
const char* versionText();
