#pragma once

#include "platform/window_system.h"
#include "shell/working_folder.h"

// The engine's tables: the dissolve order, the message face, the system graphics, the command table.
void initEngine();

// The entry point's start-up sequence, playing the game named on the command line when there is one
// and else the one of start.dat; never returns.
[[noreturn]] void runZebora(const PlatformOptions& options, const NamedGame* game = nullptr);
