#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "checker/script_checker.h"
#include "engine/reading.h"
#include "engine/settings_page.h"
#include "frontend/front_end.h"
#include "platform/archive/archive_reader.h"
#include "platform/files/text_encoding.h"
#include "shell/command_line.h"
#include "shell/options.h"
#include "shell/startup.h"
#include "shell/working_folder.h"

namespace {

// The game named on the command line, and the working folder whose function.dat and system files go
// with it: the same for playing it and for checking it. False, said on stderr, when there is none.
bool enterNamedGame(const CommandLine& options, const std::string& path, NamedGame& game, bool& installed) {
    if (!path.empty() && !findNamedGame(path, game)) {
        sayNoGame(path, game);
        return false;
    }
    std::string folder = chooseWorkingFolder(options.root, installed);
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "zebora: cannot enter the working folder %s\n", folder.c_str());
        return false;
    }
    return true;
}

// Problems are named after the path as the reader gave it: a folder's script below it.
int checkNamedGame(const CommandLine& options) {
    NamedGame game;
    bool installed = false;
    std::string path = options.checkPath;
    struct stat info;
    bool folder = stat(path.c_str(), &info) == 0 && (S_ISDIR(info.st_mode) || isArchiveName(path));
    if (!enterNamedGame(options, path, game, installed)) return 1;
    std::string inside = game.inArchive.empty() ? "" : nameToUtf8(game.inArchive.c_str()) + "/";
    std::string shown =
        folder ? path + (path.back() == '/' ? "" : "/") + inside + nameToUtf8(game.script.c_str()) : path;
    return checkScript(game.folder.c_str(), game.script.c_str(), shown.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine options;
    switch (parseCommandLine(argc, argv, options)) {
        case CommandLineAction::ShowHelp:
            std::fputs(usageText(), stdout);
            return 0;
        case CommandLineAction::ShowVersion:
            std::fputs(versionText(), stdout);
            return 0;
        case CommandLineAction::Check:
            return checkNamedGame(options);
        case CommandLineAction::Refuse:
            // Every other way out of the program ends with status 1.
            return 1;
        case CommandLineAction::Run:
            break;
    }
    NamedGame game;
    bool installed = false;
    if (!enterNamedGame(options, options.game, game, installed)) return 1;
    if (installed) g_frontEnd.userGames = userGamesFolder();
    g_reading.settings = options.reading;
    g_choices = options.choices;
    runZebora(options.platform, options.game.empty() ? nullptr : &game);
}
