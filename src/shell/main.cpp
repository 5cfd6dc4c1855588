#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "shell/command_line.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    CommandLine options;
    // Every path out of the program ends with status 1.
    if (!parseCommandLine(argc, argv, options)) return 1;
    if (options.root && chdir(options.root) != 0) {
        std::fprintf(stderr, "zebora: cannot enter the working folder %s\n", options.root);
        return 1;
    }
    runZebora(options.platform);
}
