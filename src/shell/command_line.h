#pragma once

#include "platform/window_system.h"

struct CommandLine {
    PlatformOptions platform;
    const char* root = nullptr;
};

// Reads the options; false with a usage message on stderr for anything it does not know.
bool parseCommandLine(int argc, char** argv, CommandLine& out);
