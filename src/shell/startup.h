#pragma once

#include "platform/window_system.h"

// The entry point's start-up sequence; never returns.
[[noreturn]] void runZebora(const PlatformOptions& options);
