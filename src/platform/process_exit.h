// The end of the process. The player exits; a harness that runs the engine many times in one process
// (a fuzzer) sets a hook that ends one run instead, so that an error message ends an input, not the
// harness.
#pragma once

// The hook must not return: it leaves the run by unwinding or ends the process itself.
using ExitHook = void (*)(int status);

void setExitHook(ExitHook hook);

[[noreturn]] void exitProcess(int status);
