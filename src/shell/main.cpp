#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/script_checker.h"
#include "frontend/front_end.h"
#include "shell/command_line.h"
#include "shell/startup.h"

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
            return checkScript(options.checkPath);
        case CommandLineAction::Refuse:
            // Every other way out of the program ends with status 1.
            return 1;
        case CommandLineAction::Run:
            break;
    }
    NamedGame game;
    if (!options.game.empty() && !findNamedGame(options.game, game)) {
        std::fprintf(stderr, "zebora: %s is neither a game folder holding a .zeb script nor a script\n",
                     options.game.c_str());
        return 1;
    }
    bool installed = false;
    std::string folder = chooseWorkingFolder(options.root, installed);
    if (installed) g_frontEnd.userGames = userGamesFolder();
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "zebora: cannot enter the working folder %s\n", folder.c_str());
        return 1;
    }
    runZebora(options.platform, options.game.empty() ? nullptr : &game);
}
