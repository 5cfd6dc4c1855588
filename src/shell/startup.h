#pragma once

#include "platform/window_system.h"

// The engine's tables: the dissolve order, the message face, the system graphics, the command table.
void initEngine();

// The entry point's start-up sequence; never returns.
[[noreturn]] void runZebora(const PlatformOptions& options);
