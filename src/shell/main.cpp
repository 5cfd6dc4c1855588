#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "engine/script_checker.h"
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
    if (options.root && chdir(options.root) != 0) {
        std::fprintf(stderr, "zebora: cannot enter the working folder %s\n", options.root);
        return 1;
    }
    runZebora(options.platform);
}
